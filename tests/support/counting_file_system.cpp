#include "support/counting_file_system.h"

#include <numeric>

namespace corvane {

int CountingFileSystem::total() const {
  return std::accumulate(counts_.cbegin(), counts_.cend(), 0);
}

bool CountingFileSystem::FileExists(const QString& path) {
  ++counts_[QStringLiteral("FileExists")];
  return FileSystemWrapper::FileExists(path);
}

bool CountingFileSystem::FolderExists(const QString& path) {
  ++counts_[QStringLiteral("FolderExists")];
  return FileSystemWrapper::FolderExists(path);
}

EntryKind CountingFileSystem::LookUp(const QString& path) {
  ++counts_[QStringLiteral("LookUp")];
  return FileSystemWrapper::LookUp(path);
}

bool CountingFileSystem::ListNames(const QString& folder, const TakeListedName& take) {
  ++counts_[QStringLiteral("ListNames")];
  return FileSystemWrapper::ListNames(folder, take);
}

std::optional<FolderStamp> CountingFileSystem::StampOf(const QString& folder) {
  ++counts_[QStringLiteral("StampOf")];
  return FileSystemWrapper::StampOf(folder);
}

std::optional<QList<FolderEntry>> CountingFileSystem::ListEntries(const QString& folder) {
  ++counts_[QStringLiteral("ListEntries")];
  return FileSystemWrapper::ListEntries(folder);
}

std::optional<FileIdentity> CountingFileSystem::IdentityOf(const QString& path) {
  ++counts_[QStringLiteral("IdentityOf")];
  return FileSystemWrapper::IdentityOf(path);
}

Result<std::optional<FileMetadata>> CountingFileSystem::ReadMetadata(const QString& path) {
  ++counts_[QStringLiteral("ReadMetadata")];
  return FileSystemWrapper::ReadMetadata(path);
}

bool CountingFileSystem::CreateFolder(const QString& path) {
  ++counts_[QStringLiteral("CreateFolder")];
  return FileSystemWrapper::CreateFolder(path);
}

Status CountingFileSystem::DeleteFile(const QString& path) {
  ++counts_[QStringLiteral("DeleteFile")];
  return FileSystemWrapper::DeleteFile(path);
}

Status CountingFileSystem::MoveFile(const QString& from, const QString& to) {
  ++counts_[QStringLiteral("MoveFile")];
  return FileSystemWrapper::MoveFile(from, to);
}

bool CountingFileSystem::IsSameFile(const QString& a, const QString& b) {
  ++counts_[QStringLiteral("IsSameFile")];
  return FileSystemWrapper::IsSameFile(a, b);
}

Status CountingFileSystem::RenameSameFile(const QString& from, const QString& to) {
  ++counts_[QStringLiteral("RenameSameFile")];
  return FileSystemWrapper::RenameSameFile(from, to);
}

Status CountingFileSystem::CopyFile(const QString& from, const QString& to, Replace replace) {
  ++counts_[QStringLiteral("CopyFile")];
  return FileSystemWrapper::CopyFile(from, to, replace);
}

bool CountingFileSystem::FoldsLetterCase(const QString& folder) {
  ++counts_[QStringLiteral("FoldsLetterCase")];
  return FileSystemWrapper::FoldsLetterCase(folder);
}

Result<QString> CountingFileSystem::TrashPlaceFor(const QString& path) {
  ++counts_[QStringLiteral("TrashPlaceFor")];
  return FileSystemWrapper::TrashPlaceFor(path);
}

Status CountingFileSystem::MoveToTrash(const QString& path, const QString& place) {
  ++counts_[QStringLiteral("MoveToTrash")];
  return FileSystemWrapper::MoveToTrash(path, place);
}

Status CountingFileSystem::DiscardReplaced(const QString& path) {
  ++counts_[QStringLiteral("DiscardReplaced")];
  return FileSystemWrapper::DiscardReplaced(path);
}

Result<bool> CountingFileSystem::HoldSameBytes(const QString& a, const QString& b) {
  ++counts_[QStringLiteral("HoldSameBytes")];
  return FileSystemWrapper::HoldSameBytes(a, b);
}

Status CountingFileSystem::SetLastWriteTime(const QString& path, const QDateTime& utc) {
  ++counts_[QStringLiteral("SetLastWriteTime")];
  return FileSystemWrapper::SetLastWriteTime(path, utc);
}

Result<QByteArray> CountingFileSystem::ReadFile(const QString& path) {
  ++counts_[QStringLiteral("ReadFile")];
  return FileSystemWrapper::ReadFile(path);
}

Result<std::unique_ptr<WritableFile>> CountingFileSystem::NewWritableFile(const QString& path) {
  ++counts_[QStringLiteral("NewWritableFile")];
  return FileSystemWrapper::NewWritableFile(path);
}

Result<std::unique_ptr<WritableFile>> CountingFileSystem::NewAppendableFile(const QString& path) {
  ++counts_[QStringLiteral("NewAppendableFile")];
  return FileSystemWrapper::NewAppendableFile(path);
}

Status CountingFileSystem::WriteFileAtomically(const QString& path, QByteArrayView data) {
  ++counts_[QStringLiteral("WriteFileAtomically")];
  return FileSystemWrapper::WriteFileAtomically(path, data);
}

Status CountingFileSystem::ReplaceFile(const QString& from, const QString& to) {
  ++counts_[QStringLiteral("ReplaceFile")];
  return FileSystemWrapper::ReplaceFile(from, to);
}

Status CountingFileSystem::SyncFolder(const QString& folder) {
  ++counts_[QStringLiteral("SyncFolder")];
  return FileSystemWrapper::SyncFolder(folder);
}

Result<std::unique_ptr<FileLock>> CountingFileSystem::LockExclusively(const QString& path) {
  ++counts_[QStringLiteral("LockExclusively")];
  return FileSystemWrapper::LockExclusively(path);
}

}  // namespace corvane
