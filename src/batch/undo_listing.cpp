#include "batch/undo_listing.h"

#include <QHash>

#include <unordered_map>

#include "batch/free_names.h"
#include "platform/paths.h"

namespace corvane {
namespace {

struct ViewHash {
  size_t operator()(QStringView text) const { return qHash(text); }
};

// What a folder's listing showed under a name's key.
enum class Seen { kNothing, kNoFolder, kMaybeFolder };

}  // namespace

UndoListing::UndoListing(FileSystem& fs, const QList<UndoLogEntry>& entries)
    : noFolder_(size_t(entries.size()), false) {
  std::unordered_map<QStringView, QList<qsizetype>, ViewHash> linesByFolder;
  for (qsizetype line = 0; line < entries.size(); ++line) {
    linesByFolder[FolderView(entries[line].newPath)].append(line);
  }
  for (const auto& [folder, lines] : linesByFolder) {
    if (!folder.isEmpty() && lines.size() >= kListFrom) {
      ListFolder(fs, folder.toString(), lines, entries);
    }
  }
}

void UndoListing::ListFolder(FileSystem& fs, const QString& folder, const QList<qsizetype>& lines,
                             const QList<UndoLogEntry>& entries) {
  QHash<size_t, Seen> seen;
  seen.reserve(lines.size());
  for (qsizetype line : lines)
    seen.insert(FreeNames::NameKey(FileNameView(entries[line].newPath)), Seen::kNothing);
  seen.remove(FreeNames::kAskTheDisk);
  const bool listed = fs.ListNames(folder, [&seen](QStringView name, FolderEntry::Kind kind) {
    const auto found = seen.find(FreeNames::NameKey(name));
    if (found == seen.end()) return;
    // kUnknown is a link or a file system that does not tell: only a lookup
    // tells a folder from what the undo moves back.
    if (kind == FolderEntry::Kind::kFolder || kind == FolderEntry::Kind::kUnknown) {
      *found = Seen::kMaybeFolder;
    } else if (*found == Seen::kNothing) {
      *found = Seen::kNoFolder;
    }
  });
  if (!listed) {
    seen.clear();  // half a listing tells nothing
    return;
  }
  for (qsizetype line : lines) {
    noFolder_[size_t(line)] =
        seen.value(FreeNames::NameKey(FileNameView(entries[line].newPath))) == Seen::kNoFolder;
  }
}

}  // namespace corvane
