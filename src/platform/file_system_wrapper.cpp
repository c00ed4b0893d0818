#include "platform/file_system_wrapper.h"

namespace corvane {

bool FileSystemWrapper::FileExists(const QString& path) { return target_.FileExists(path); }

bool FileSystemWrapper::FolderExists(const QString& path) { return target_.FolderExists(path); }

EntryKind FileSystemWrapper::LookUp(const QString& path) { return target_.LookUp(path); }

bool FileSystemWrapper::ListNames(const QString& folder, const TakeListedName& take) {
  return target_.ListNames(folder, take);
}

std::optional<FolderStamp> FileSystemWrapper::StampOf(const QString& folder) {
  return target_.StampOf(folder);
}

std::optional<QList<FolderEntry>> FileSystemWrapper::ListEntries(const QString& folder) {
  return target_.ListEntries(folder);
}

std::optional<FileIdentity> FileSystemWrapper::IdentityOf(const QString& path) {
  return target_.IdentityOf(path);
}

Result<std::optional<FileMetadata>> FileSystemWrapper::ReadMetadata(const QString& path) {
  return target_.ReadMetadata(path);
}

bool FileSystemWrapper::CreateFolder(const QString& path) { return target_.CreateFolder(path); }

Status FileSystemWrapper::DeleteFile(const QString& path) { return target_.DeleteFile(path); }

Status FileSystemWrapper::MoveFile(const QString& from, const QString& to) {
  return target_.MoveFile(from, to);
}

bool FileSystemWrapper::IsSameFile(const QString& a, const QString& b) {
  return target_.IsSameFile(a, b);
}

Status FileSystemWrapper::RenameSameFile(const QString& from, const QString& to) {
  return target_.RenameSameFile(from, to);
}

Status FileSystemWrapper::CopyFile(const QString& from, const QString& to, Replace replace) {
  return target_.CopyFile(from, to, replace);
}

bool FileSystemWrapper::FoldsLetterCase(const QString& folder) {
  return target_.FoldsLetterCase(folder);
}

Result<QString> FileSystemWrapper::TrashPlaceFor(const QString& path) {
  return target_.TrashPlaceFor(path);
}

Status FileSystemWrapper::MoveToTrash(const QString& path, const QString& place) {
  return target_.MoveToTrash(path, place);
}

Status FileSystemWrapper::DiscardReplaced(const QString& path) {
  return target_.DiscardReplaced(path);
}

Result<bool> FileSystemWrapper::HoldSameBytes(const QString& a, const QString& b) {
  return target_.HoldSameBytes(a, b);
}

Status FileSystemWrapper::SetLastWriteTime(const QString& path, const QDateTime& utc) {
  return target_.SetLastWriteTime(path, utc);
}

Result<QByteArray> FileSystemWrapper::ReadFile(const QString& path) {
  return target_.ReadFile(path);
}

Result<std::unique_ptr<WritableFile>> FileSystemWrapper::NewWritableFile(const QString& path) {
  return target_.NewWritableFile(path);
}

Result<std::unique_ptr<WritableFile>> FileSystemWrapper::NewAppendableFile(const QString& path) {
  return target_.NewAppendableFile(path);
}

Status FileSystemWrapper::WriteFileAtomically(const QString& path, QByteArrayView data) {
  return target_.WriteFileAtomically(path, data);
}

Status FileSystemWrapper::ReplaceFile(const QString& from, const QString& to) {
  return target_.ReplaceFile(from, to);
}

Status FileSystemWrapper::SyncFolder(const QString& folder) { return target_.SyncFolder(folder); }

Result<std::unique_ptr<FileLock>> FileSystemWrapper::LockExclusively(const QString& path) {
  return target_.LockExclusively(path);
}

}  // namespace corvane
