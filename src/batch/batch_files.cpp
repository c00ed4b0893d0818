#include "batch/batch_files.h"

#include "platform/paths.h"

namespace corvane {

const EntryKeys::Folder& EntryKeys::FolderOf(QStringView folder) {
  auto found = folders_.find(folder);
  if (found != folders_.end()) return found->second;
  const QString path = folder.isEmpty() ? QStringLiteral(".") : folder.toString();
  Folder facts{IdentityOf(path), names_ == Names::kIgnoringCase};
  if (!facts.identity) {
    // A folder made later (an undo makes old folders again) is found then.
    static const Folder kMissing;
    return kMissing;
  }
  if (!facts.folds) facts.folds = fs_.FoldsLetterCase(path);
  return folders_.emplace(folder.toString(), facts).first->second;
}

std::optional<EntryKey> EntryKeys::Of(const QString& path) {
  const Folder& folder = FolderOf(FolderView(path));
  if (!folder.identity) return std::nullopt;
  const QStringView name = FileNameView(path);
  return EntryKey{*folder.identity, folder.folds ? FoldedName(name) : name.toString()};
}

bool EntryKeys::FoldsIn(QStringView folder) { return FolderOf(folder).folds; }

bool BatchMovesOrCopies(const BatchSettings& settings, const TRenameItem& item) {
  if (item.NewName.isEmpty()) return false;
  const Result<QString> target = BatchTargetPath(settings, item.OriginalPath, item.NewName);
  return target.ok() && (settings.mode != BatchMode::RenameInPlace || *target != item.OriginalPath);
}

bool BatchSources::Contains(const EntryKey& entry) {
  std::call_once(read_, [this] {
    EntryKeys keys(fs_);
    for (const TRenameItem& item : items_) {
      if (!BatchMovesOrCopies(settings_, item)) continue;
      if (std::optional<EntryKey> key = keys.Of(item.OriginalPath)) entries_.insert(*key);
    }
  });
  return entries_.contains(entry);
}

}  // namespace corvane
