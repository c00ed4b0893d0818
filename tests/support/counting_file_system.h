// CountingFileSystem: passes every call to another FileSystem and counts the
// calls of each kind, queries included ("LookUp", "MoveFile", ...), so that
// tests can tell how many calls a piece of work makes per file.
#pragma once

#include "platform/file_system_wrapper.h"

#include <QHash>
#include <QString>

namespace corvane {

class CountingFileSystem : public FileSystemWrapper {
 public:
  explicit CountingFileSystem(FileSystem& base) : FileSystemWrapper(base) {}

  int count(const QString& call) const { return counts_.value(call); }
  int total() const;

  bool FileExists(const QString& path) override;
  bool FolderExists(const QString& path) override;
  EntryKind LookUp(const QString& path) override;
  bool ListNames(const QString& folder, const TakeListedName& take) override;
  std::optional<FolderStamp> StampOf(const QString& folder) override;
  std::optional<QList<FolderEntry>> ListEntries(const QString& folder) override;
  std::optional<FileIdentity> IdentityOf(const QString& path) override;
  Result<std::optional<FileMetadata>> ReadMetadata(const QString& path) override;
  bool CreateFolder(const QString& path) override;
  Status DeleteFile(const QString& path) override;
  Status MoveFile(const QString& from, const QString& to) override;
  bool IsSameFile(const QString& a, const QString& b) override;
  Status RenameSameFile(const QString& from, const QString& to) override;
  Status CopyFile(const QString& from, const QString& to, Replace replace) override;
  bool FoldsLetterCase(const QString& folder) override;
  Result<QString> TrashPlaceFor(const QString& path) override;
  Status MoveToTrash(const QString& path, const QString& place) override;
  Status DiscardReplaced(const QString& path) override;
  Result<bool> HoldSameBytes(const QString& a, const QString& b) override;
  Status SetLastWriteTime(const QString& path, const QDateTime& utc) override;
  Result<QByteArray> ReadFile(const QString& path) override;
  Result<std::unique_ptr<WritableFile>> NewWritableFile(const QString& path) override;
  Result<std::unique_ptr<WritableFile>> NewAppendableFile(const QString& path) override;
  Status WriteFileAtomically(const QString& path, QByteArrayView data) override;
  Status ReplaceFile(const QString& from, const QString& to) override;
  Status SyncFolder(const QString& folder) override;
  Result<std::unique_ptr<FileLock>> LockExclusively(const QString& path) override;

 private:
  QHash<QString, int> counts_;
};

}  // namespace corvane
