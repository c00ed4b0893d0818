#include "batch/free_names.h"

#include "platform/folder_entries.h"
#include "platform/paths.h"

#include <optional>

namespace corvane {

// A batch asks about one folder many times in a row.
FreeNames::Folder& FreeNames::FolderOf(QStringView path) {
  const QStringView key = FolderView(path);
  if (last_ == nullptr || key != lastKey_) {
    lastKey_ = key.toString();
    last_ = &folders_[lastKey_];
  }
  return *last_;
}

bool FreeNames::CertainlyFree(const QString& path) {
  if (!trusted_) return false;
  Folder& folder = FolderOf(path);
  if (!folder.listed) {
    if (++folder.lookups < kListAfter) return false;
    const std::optional<QList<FolderEntry>> entries = ListFolderEntries(FolderPart(path));
    if (!entries) {
      folder.lookups = 0;  // try again later rather than trust half a listing
      return false;
    }
    folder.names.reserve(folder.names.size() + entries->size());
    for (const FolderEntry& entry : *entries) {
      folder.names.insert(FileNamePart(entry.path).toCaseFolded());
    }
    folder.listed = true;
  }
  return !folder.names.contains(FileNamePart(path).toCaseFolded());
}

void FreeNames::NoteTaken(const QString& path) {
  FolderOf(path).names.insert(FileNamePart(path).toCaseFolded());
}

}  // namespace corvane
