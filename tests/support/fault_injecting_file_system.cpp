#include "support/fault_injecting_file_system.h"

namespace corvane {

namespace {

class FaultInjectingFile : public WritableFile {
 public:
  FaultInjectingFile(std::unique_ptr<WritableFile> base, FaultInjectingFileSystem& owner,
                     QString path)
      : base_(std::move(base)), owner_(owner), path_(std::move(path)) {}

  Status Append(QByteArrayView data) override {
    if (auto error = owner_.TakeFault(FileOp::kAppend, path_)) return *error;
    return base_->Append(data);
  }
  Status Sync() override {
    if (auto error = owner_.TakeFault(FileOp::kSync, path_)) return *error;
    return base_->Sync();
  }
  Status TruncateTo(qint64 size) override {
    if (auto error = owner_.TakeFault(FileOp::kTruncate, path_)) return *error;
    return base_->TruncateTo(size);
  }
  Status Close() override { return base_->Close(); }

 private:
  std::unique_ptr<WritableFile> base_;
  FaultInjectingFileSystem& owner_;
  QString path_;
};

}  // namespace

void FaultInjectingFileSystem::AddFault(FileOp op, const QString& pathPart, Error error,
                                        int times) {
  const std::lock_guard<std::mutex> hold(faultsLock_);
  faults_.append(Fault{op, pathPart, std::move(error), times});
}

std::optional<Error> FaultInjectingFileSystem::TakeFault(FileOp op, const QString& path,
                                                         const QString& other) {
  const std::lock_guard<std::mutex> hold(faultsLock_);
  ++calls_[int(op)];
  for (qsizetype i = 0; i < faults_.size(); ++i) {
    Fault& f = faults_[i];
    if (f.op != op || f.times == 0) continue;
    if (!path.contains(f.pathPart) && !(other.size() && other.contains(f.pathPart))) continue;
    Error error = f.error;
    if (f.times > 0) --f.times;
    return error;
  }
  return std::nullopt;
}

Result<std::unique_ptr<WritableFile>> FaultInjectingFileSystem::Wrap(
    Result<std::unique_ptr<WritableFile>> file, const QString& path) {
  if (!file.ok()) return file.error();
  return std::unique_ptr<WritableFile>(
      std::make_unique<FaultInjectingFile>(std::move(file).value(), *this, path));
}

EntryKind FaultInjectingFileSystem::LookUp(const QString& path) {
  (void)TakeFault(FileOp::kLookUp, path);
  return target().LookUp(path);
}

bool FaultInjectingFileSystem::ListNames(const QString& folder, const TakeListedName& take) {
  if (TakeFault(FileOp::kListNames, folder)) return false;
  return target().ListNames(folder, take);
}

std::optional<QList<FolderEntry>> FaultInjectingFileSystem::ListEntries(const QString& folder) {
  if (TakeFault(FileOp::kListEntries, folder)) return std::nullopt;
  return target().ListEntries(folder);
}

Result<std::optional<FileMetadata>> FaultInjectingFileSystem::ReadMetadata(const QString& path) {
  if (auto error = TakeFault(FileOp::kReadMetadata, path)) return *error;
  return target().ReadMetadata(path);
}

bool FaultInjectingFileSystem::CreateFolder(const QString& path) {
  journal_ << QStringLiteral("CreateFolder ") + path;
  if (TakeFault(FileOp::kCreateFolder, path)) return false;
  return target().CreateFolder(path);
}

Status FaultInjectingFileSystem::DeleteFile(const QString& path) {
  journal_ << QStringLiteral("DeleteFile ") + path;
  if (auto error = TakeFault(FileOp::kDeleteFile, path)) return *error;
  return target().DeleteFile(path);
}

Status FaultInjectingFileSystem::MoveFile(const QString& from, const QString& to) {
  journal_ << QStringLiteral("MoveFile %1 -> %2").arg(from, to);
  if (auto error = TakeFault(FileOp::kMoveFile, from, to)) return *error;
  return target().MoveFile(from, to);
}

Status FaultInjectingFileSystem::RenameSameFile(const QString& from, const QString& to) {
  journal_ << QStringLiteral("RenameSameFile %1 -> %2").arg(from, to);
  if (auto error = TakeFault(FileOp::kRenameSameFile, from, to)) return *error;
  return target().RenameSameFile(from, to);
}

Status FaultInjectingFileSystem::CopyFile(const QString& from, const QString& to, Replace replace) {
  journal_ << QStringLiteral("CopyFile %1 -> %2").arg(from, to);
  if (auto error = TakeFault(FileOp::kCopyFile, from, to)) return *error;
  return target().CopyFile(from, to, replace);
}

Result<QString> FaultInjectingFileSystem::TrashPlaceFor(const QString& path) {
  if (auto error = TakeFault(FileOp::kMoveToTrash, path)) return *error;
  return target().TrashPlaceFor(path);
}

Status FaultInjectingFileSystem::MoveToTrash(const QString& path, const QString& place) {
  journal_ << QStringLiteral("MoveToTrash %1 -> %2").arg(path, place);
  if (auto error = TakeFault(FileOp::kMoveToTrash, path, place)) return *error;
  return target().MoveToTrash(path, place);
}

Status FaultInjectingFileSystem::DiscardReplaced(const QString& path) {
  journal_ << QStringLiteral("DiscardReplaced ") + path;
  if (auto error = TakeFault(FileOp::kDiscardReplaced, path)) return *error;
  return target().DiscardReplaced(path);
}

Status FaultInjectingFileSystem::SyncFolder(const QString& folder) {
  if (auto error = TakeFault(FileOp::kSyncFolder, folder)) return *error;
  return target().SyncFolder(folder);
}

Result<std::unique_ptr<FileLock>> FaultInjectingFileSystem::LockExclusively(const QString& path) {
  if (auto error = TakeFault(FileOp::kLock, path)) return *error;
  return target().LockExclusively(path);
}

Status FaultInjectingFileSystem::SetLastWriteTime(const QString& path, const QDateTime& utc) {
  journal_ << QStringLiteral("SetLastWriteTime ") + path;
  if (auto error = TakeFault(FileOp::kSetLastWriteTime, path)) return *error;
  return target().SetLastWriteTime(path, utc);
}

Result<QByteArray> FaultInjectingFileSystem::ReadFile(const QString& path) {
  if (auto error = TakeFault(FileOp::kReadFile, path)) return *error;
  return target().ReadFile(path);
}

Result<std::unique_ptr<WritableFile>> FaultInjectingFileSystem::NewWritableFile(
    const QString& path) {
  journal_ << QStringLiteral("NewWritableFile ") + path;
  if (auto error = TakeFault(FileOp::kNewWritableFile, path)) return *error;
  return Wrap(target().NewWritableFile(path), path);
}

Result<std::unique_ptr<WritableFile>> FaultInjectingFileSystem::NewAppendableFile(
    const QString& path) {
  journal_ << QStringLiteral("NewAppendableFile ") + path;
  if (auto error = TakeFault(FileOp::kNewAppendableFile, path)) return *error;
  return Wrap(target().NewAppendableFile(path), path);
}

Status FaultInjectingFileSystem::WriteFileAtomically(const QString& path, QByteArrayView data) {
  journal_ << QStringLiteral("WriteFileAtomically ") + path;
  if (auto error = TakeFault(FileOp::kWriteFileAtomically, path)) return *error;
  return target().WriteFileAtomically(path, data);
}

Status FaultInjectingFileSystem::ReplaceFile(const QString& from, const QString& to) {
  journal_ << QStringLiteral("ReplaceFile %1 -> %2").arg(from, to);
  if (auto error = TakeFault(FileOp::kReplaceFile, from, to)) return *error;
  return target().ReplaceFile(from, to);
}

}  // namespace corvane
