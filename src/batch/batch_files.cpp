#include "batch/batch_files.h"

#include "platform/paths.h"

namespace corvane {

const EntryKeys::Folder& EntryKeys::FolderOf(QStringView folder) {
  auto found = folders_.find(folder);
  if (found != folders_.end()) return found->second;
  const QString path = folder.isEmpty() ? QStringLiteral(".") : folder.toString();
  Folder facts{fs_.IdentityOf(path), names_ == Names::kIgnoringCase};
  if (!facts.identity) {
    // A folder made later (a batch makes its destination, an undo old
    // folders) is found then; until then, its volume is the nearest
    // existing folder's.
    missing_ = Folder{std::nullopt, facts.folds || NearestFolderFolds(folder)};
    return missing_;
  }
  if (!facts.folds) facts.folds = fs_.FoldsLetterCase(path);
  return folders_.emplace(folder.toString(), facts).first->second;
}

bool EntryKeys::NearestFolderFolds(QStringView folder) {
  while (folder.size() > 1) {
    folder = FolderView(folder.chopped(1));
    const QString path = folder.isEmpty() ? QStringLiteral(".") : folder.toString();
    if (fs_.IdentityOf(path)) return fs_.FoldsLetterCase(path);
  }
  return false;
}

std::optional<EntryKey> EntryKeys::Of(const QString& path) {
  const Folder& folder = FolderOf(FolderView(path));
  if (!folder.identity) return std::nullopt;
  const QStringView name = FileNameView(path);
  return EntryKey{*folder.identity, folder.folds ? FoldedName(name) : name.toString()};
}

bool EntryKeys::FoldsIn(QStringView folder) {
  // A folder not there is asked about once: the verdicts of a copy into a new
  // folder ask for each item.
  if (auto missing = missingFolds_.find(folder); missing != missingFolds_.end()) {
    return missing->second;
  }
  const Folder& facts = FolderOf(folder);
  if (!facts.identity) missingFolds_.emplace(folder.toString(), facts.folds);
  return facts.folds;
}

bool BatchMovesOrCopies(const BatchSettings& settings, const TRenameItem& item) {
  if (item.NewName.isEmpty()) return false;
  const Result<QString> target = BatchTargetPath(settings, item.OriginalPath, item.NewName);
  return target.ok() && (settings.mode != BatchMode::RenameInPlace || *target != item.OriginalPath);
}

bool BatchSources::Holds(const EntryKey& entry, const QString& path) {
  std::call_once(read_, [this] {
    EntryKeys keys(fs_);
    for (const TRenameItem& item : items_) {
      if (!BatchMovesOrCopies(settings_, item)) continue;
      if (std::optional<EntryKey> key = keys.Of(item.OriginalPath)) entries_.insert(*key);
      if (fs_.LookUp(item.OriginalPath) != EntryKind::kLink) continue;
      if (std::optional<FileIdentity> linked = fs_.IdentityOf(item.OriginalPath)) {
        linkedFiles_.insert(*linked);
      }
    }
  });
  if (entries_.contains(entry)) return true;
  if (linkedFiles_.empty() || fs_.LookUp(path) == EntryKind::kLink) return false;
  const std::optional<FileIdentity> identity = fs_.IdentityOf(path);
  return identity && linkedFiles_.contains(*identity);
}

}  // namespace corvane
