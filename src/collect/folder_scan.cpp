#include "collect/folder_scan.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "collect/ntfs_name_order.h"
#include "platform/file_system.h"

namespace corvane {
namespace {

// One folder being walked: its path, its entries and the next one to look at.
// The entries are read whole before any subfolder is entered, so a deep tree
// never holds more than one folder open at a time.
// Windows lists a folder in NTFS order already; other systems list it in an
// order of their own (hash order on Linux), which would number the files at
// random, so their entries are put in that order here.
void PutInListingOrder([[maybe_unused]] QList<FolderEntry>& entries) {
#ifndef Q_OS_WIN
  const auto nameOf = [](const FolderEntry& entry) {
    const QStringView path = entry.path;
    return path.sliced(path.lastIndexOf(u'/') + 1);
  };
  std::sort(entries.begin(), entries.end(), [&](const FolderEntry& a, const FolderEntry& b) {
    return ComesFirstInNtfsOrder(nameOf(a), nameOf(b));
  });
#endif
}

struct OpenFolder {
  QString path;
  QList<FolderEntry> entries;
  qsizetype next = 0;
};

class FolderScan {
 public:
  FolderScan(QStringList& files, bool includeSubfolders, FileSystem& fs, const StopRequest* stop,
             ProgressReport* progress, std::vector<bool>* listedAsFiles)
      : includeSubfolders_(includeSubfolders),
        fs_(fs),
        stop_(stop),
        progress_(progress),
        files_(files),
        listedAsFiles_(listedAsFiles) {}

  bool Run(const QString& folder) {
    Enter(folder);
    while (!stack_.empty()) {
      if (stop_ && stop_->requested()) return false;
      Step();
    }
    return true;
  }

 private:
  void Enter(const QString& folder) {
    const std::optional<FileIdentity> identity = fs_.IdentityOf(folder);
    if (!identity || !entered_.insert(*identity).second) return;
    std::optional<QList<FolderEntry>> entries = fs_.ListEntries(folder);
    if (!entries) return;
    PutInListingOrder(*entries);
    stack_.push_back({folder, std::move(*entries), 0});
  }

  void Step() {
    OpenFolder& top = stack_.back();
    if (top.next == top.entries.size()) {
      stack_.pop_back();
      return;
    }
    FolderEntry& entry = top.entries[top.next++];
    if (IsSubfolderToSearch(entry)) {
      const QString subfolder = entry.path;  // Enter grows stack_, where `entry` lives
      Enter(subfolder);
    } else if (entry.kind != FolderEntry::Kind::kFolder) {
      if (listedAsFiles_) listedAsFiles_->push_back(entry.kind == FolderEntry::Kind::kFile);
      files_.append(std::move(entry.path));  // each entry is looked at once
      if (progress_) progress_->Advanced(files_.size(), ProgressReport::kUnknownTotal);
    }
  }

  // Links and entries of file systems that do not tell their kind cost a stat,
  // and only when subfolders are searched: without them, a link to a folder is
  // returned like a file and AddFile passes it over.
  bool IsSubfolderToSearch(const FolderEntry& entry) const {
    if (!includeSubfolders_) return false;
    if (entry.kind != FolderEntry::Kind::kUnknown) return entry.kind == FolderEntry::Kind::kFolder;
    return fs_.FolderExists(entry.path);
  }

  const bool includeSubfolders_;
  FileSystem& fs_;
  const StopRequest* stop_;
  ProgressReport* progress_;
  std::vector<OpenFolder> stack_;
  std::unordered_set<FileIdentity, FileIdentityHash> entered_;
  QStringList& files_;
  std::vector<bool>* listedAsFiles_;
};

}  // namespace

QStringList CollectFolderFiles(const QString& folder, bool includeSubfolders, FileSystem& fs) {
  QStringList files;
  FolderScan(files, includeSubfolders, fs, nullptr, nullptr, nullptr).Run(folder);
  return files;
}

bool CollectFolderFiles(QStringList& files, const QString& folder, bool includeSubfolders,
                        FileSystem& fs, const StopRequest* stop, ProgressReport* progress,
                        std::vector<bool>* listedAsFiles) {
  return FolderScan(files, includeSubfolders, fs, stop, progress, listedAsFiles).Run(folder);
}

}  // namespace corvane
