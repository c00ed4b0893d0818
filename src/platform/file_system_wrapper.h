// FileSystemWrapper: a FileSystem that passes every call to another one, which
// must outlive it. A file system that changes a few calls (a cache, a check,
// a fault) derives from it and overrides only those.
#pragma once

#include "platform/file_system.h"

namespace corvane {

class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem& target) : target_(target) {}

  FileSystem& target() const { return target_; }

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
  FileSystem& target_;
};

}  // namespace corvane
