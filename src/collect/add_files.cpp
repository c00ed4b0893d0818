#include "collect/add_files.h"

#include "collect/folder_scan.h"
#include "platform/file_system.h"
#include "platform/paths.h"

#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace corvane {
namespace {

QDateTime TimeOrZero(const QDateTime& utc) { return utc.isValid() ? utc : ZeroTime(); }

// The files of a folder mostly share a few extensions. An item whose
// extension is the one of the file before takes a shared copy of that string
// instead of a new one: one allocation less per file of a large folder.
class SharedExtension {
 public:
  QString For(QStringView ext) {
    if (ext != last_) last_ = ext.toString();
    return last_;
  }

 private:
  QString last_;
};

void SetSizeAndTimes(TRenameItem& item, const FileMetadata& metadata) {
  item.Size = metadata.size;
  item.CreatedUtc = TimeOrZero(metadata.createdUtc);
  item.ModifiedUtc = TimeOrZero(metadata.modifiedUtc);
}

TRenameItem MakeItem(const QString& path, const FileMetadata& metadata, SharedExtension& ext) {
  TRenameItem item;
  const NameAndExtView parts = SplitFileNameView(FileNameView(path));
  item.OriginalPath = path;
  item.OriginalName = parts.name.toString();
  item.Ext = ext.For(parts.ext);
  SetSizeAndTimes(item, metadata);
  return item;
}

// The duplicate test comes before the file system is asked: it answers from
// the index, and adding a folder a second time then costs no stat per file.
Status AddOne(RenameItemList& list, const QString& path, const MetadataReader& read,
              SharedExtension& ext) {
  if (path.isEmpty() || list.IsFileInList(path)) return Status::Ok();
  Result<std::optional<FileMetadata>> metadata = read(path);
  if (!metadata.ok()) return metadata.status();
  if (metadata->has_value()) list.Append(MakeItem(path, **metadata, ext));
  return Status::Ok();
}

using MetadataResult = FilesToAdd::Read;
// Reads what the system says of the file at paths[index].
using IndexedReader = std::function<MetadataResult(qsizetype index)>;

// From this many paths on, the second half is read on a second thread: the
// system calls dominate adding a large folder, and a lookup in a folder does
// not hold off another.
constexpr qsizetype kSecondThreadFrom = 1024;

// The metadata of each path that is not empty and not yet in the list (nullopt
// for the others), read before any is added; nullopt when `stop` was
// requested first. Reading stops nowhere else: a file after one that fails is
// read in vain, which costs less than keeping two threads in step.
std::optional<std::vector<std::optional<MetadataResult>>> ReadAhead(const RenameItemList& list,
                                                                    const QStringList& paths,
                                                                    const IndexedReader& read,
                                                                    const StopRequest* stop) {
  std::vector<std::optional<MetadataResult>> metadata(size_t(paths.size()));
  std::vector<qsizetype> wanted;
  wanted.reserve(size_t(paths.size()));
  for (qsizetype i = 0; i < paths.size(); ++i) {
    if (!paths[i].isEmpty() && !list.IsFileInList(paths[i])) wanted.push_back(i);
  }
  std::atomic<bool> stopped = false;
  const auto readRange = [&](size_t from, size_t to) {
    for (size_t k = from; k < to; ++k) {
      if (stop && stop->requested()) {
        stopped.store(true, std::memory_order_relaxed);
        return;
      }
      metadata[size_t(wanted[k])].emplace(read(wanted[k]));
    }
  };
  const size_t half = wanted.size() < size_t(kSecondThreadFrom) ? wanted.size() : wanted.size() / 2;
  {
    std::jthread second;
    if (half < wanted.size()) {
      try {
        second = std::jthread(readRange, half, wanted.size());
      } catch (const std::system_error&) {  // no thread to be had: read it all here
        readRange(half, wanted.size());
      }
    }
    readRange(0, half);
  }
  if (stopped.load(std::memory_order_relaxed)) return std::nullopt;
  return metadata;
}

IndexedReader ReaderOf(FileSystem& fs, const QStringList& paths) {
  return [&fs, &paths](qsizetype index) { return fs.ReadMetadata(paths[index]); };
}

// With FileFacts::kKindOnly, a file its listing told regular is not asked about.
IndexedReader ReaderOf(FileSystem& fs, const QStringList& paths,
                       const std::vector<bool>& listedAsFiles, FileFacts facts) {
  if (facts == FileFacts::kSizeAndTimes) return ReaderOf(fs, paths);
  return [&fs, &paths, &listedAsFiles](qsizetype index) -> MetadataResult {
    if (listedAsFiles[size_t(index)]) return std::optional<FileMetadata>(FileMetadata{});
    return fs.ReadMetadata(paths[index]);
  };
}

}  // namespace

Status AddFile(RenameItemList& list, const QString& path, FileSystem& fs) {
  SharedExtension ext;
  return AddOne(
      list, path, [&fs](const QString& one) { return fs.ReadMetadata(one); }, ext);
}

Status AddReadFiles(RenameItemList& list, FilesToAdd files) {
  const QStringList& paths = files.paths;
  list.Reserve(list.count() + paths.size());
  SharedExtension ext;
  for (qsizetype i = 0; i < paths.size(); ++i) {
    std::optional<MetadataResult>& found = files.metadata[size_t(i)];
    // Listed twice in `paths`: the first one is in the list by now.
    if (!found || list.IsFileInList(paths[i])) continue;
    if (!found->ok()) return found->status();
    if (found->value().has_value()) list.Append(MakeItem(paths[i], *found->value(), ext));
  }
  return Status::Ok();
}

Status AddFiles(RenameItemList& list, const QStringList& paths, const MetadataReader& read) {
  const IndexedReader byIndex = [&](qsizetype index) { return read(paths[index]); };
  FilesToAdd files{paths, *ReadAhead(list, paths, byIndex, nullptr)};
  return AddReadFiles(list, std::move(files));
}

Status AddFiles(RenameItemList& list, const QStringList& paths, FileSystem& fs) {
  FilesToAdd files{paths, *ReadAhead(list, paths, ReaderOf(fs, paths), nullptr)};
  return AddReadFiles(list, std::move(files));
}

Status ReadSizesAndTimes(RenameItemList& list, FileSystem& fs) {
  QStringList paths;
  paths.reserve(list.count());
  for (const TRenameItem& item : list.items()) paths.append(item.OriginalPath);
  // Against an empty list: every path is read.
  const std::vector<std::optional<MetadataResult>> read =
      *ReadAhead(RenameItemList(), paths, ReaderOf(fs, paths), nullptr);
  for (qsizetype i = 0; i < paths.size(); ++i) {
    const MetadataResult& found = *read[size_t(i)];
    if (!found.ok()) return found.status();
    if (!found->has_value()) continue;
    TRenameItem item = list.at(i);
    SetSizeAndTimes(item, **found);
    list.Replace(i, std::move(item));
  }
  return Status::Ok();
}

Status AddFolder(RenameItemList& list, const QString& folder, bool includeSubfolders,
                 FileSystem& fs, const StopRequest* stop, ProgressReport* progress) {
  if (!fs.FolderExists(folder)) return Status::Ok();
  return AddDroppedPaths(list, {folder}, includeSubfolders, fs, stop, progress);
}

Status AddDroppedPaths(RenameItemList& list, const QStringList& paths, bool includeSubfolders,
                       FileSystem& fs, const StopRequest* stop, ProgressReport* progress,
                       FileFacts facts) {
  std::optional<FilesToAdd> files =
      ReadDroppedPaths(list, paths, includeSubfolders, fs, stop, progress, facts);
  return files ? AddReadFiles(list, std::move(*files)) : Status::Ok();
}

std::optional<FilesToAdd> ReadDroppedPaths(const RenameItemList& list, const QStringList& paths,
                                           bool includeSubfolders, FileSystem& fs,
                                           const StopRequest* stop, ProgressReport* progress,
                                           FileFacts facts) {
  FilesToAdd files;
  std::vector<bool> listedAsFiles;
  for (const QString& path : paths) {
    if (stop && stop->requested()) return std::nullopt;
    if (!fs.FolderExists(path)) {
      files.paths.append(path);
      listedAsFiles.push_back(false);
      if (progress) progress->Advanced(files.paths.size(), ProgressReport::kUnknownTotal);
    } else if (!CollectFolderFiles(files.paths, path, includeSubfolders, fs, stop, progress,
                                   &listedAsFiles)) {
      return std::nullopt;
    }
  }
  std::optional<std::vector<std::optional<MetadataResult>>> metadata =
      ReadAhead(list, files.paths, ReaderOf(fs, files.paths, listedAsFiles, facts), stop);
  if (!metadata) return std::nullopt;
  files.metadata = std::move(*metadata);
  return files;
}

}  // namespace corvane
