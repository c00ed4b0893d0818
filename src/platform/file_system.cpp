#include "platform/file_system.h"

#include "platform/file_system_internal.h"
#include "platform/native_name.h"
#include "platform/paths.h"

#include <algorithm>

namespace corvane {
namespace file_system_internal {

Error InvalidPathError() {
  return Error(QStringLiteral("Invalid characters in path"), Error::Code::kInvalidPath);
}
Error PathNotFoundError() {
  return Error(QStringLiteral("The specified path was not found"), Error::Code::kPathNotFound);
}
Error FileNotFoundError() {
  return Error(QStringLiteral("The specified file was not found"), Error::Code::kFileNotFound);
}
Error FileExistsError() {
  return Error(QStringLiteral("The specified file already exists"), Error::Code::kFileExists);
}

bool HoldsInvalidPathCharacter(QStringView path) {
#ifdef Q_OS_WIN
  for (QChar c : path) {
    if (c.unicode() < 0x20 || c == u'"' || c == u'<' || c == u'>' || c == u'|') return true;
  }
  return false;
#else
  return std::find(path.utf16(), path.utf16() + path.size(), u'\0') != path.utf16() + path.size();
#endif
}

Error MissingSourceError(FileSystem& fs, const QString& source) {
  const QString folder = FolderPart(source);
  if (!folder.isEmpty() && !fs.FolderExists(folder)) return PathNotFoundError();
  return FileNotFoundError();
}

}  // namespace file_system_internal

Error MissingFileError(FileSystem& fs, const QString& path) {
  return file_system_internal::MissingSourceError(fs, path);
}

QString TemporaryPathFor(QStringView target) {
  // FNV-1a over the whole path: stable from run to run (qHash is seeded per
  // process), so an undo in another process finds the same name.
  uint64_t hash = 0xcbf29ce484222325ull;
  for (QChar c : target) {
    hash = (hash ^ c.unicode()) * 0x100000001b3ull;
  }
  return FolderPart(target) + QStringLiteral(".corvane-") +
         QString::number(hash, 16).rightJustified(16, u'0') + QStringLiteral(".part");
}

std::optional<QString> TrashRecordFor(QStringView place) {
  const QStringView files = FolderView(place);
  if (!files.endsWith(u"/files/") || FileNameView(place).isEmpty()) return std::nullopt;
  const QStringView trash = files.chopped(7);  // ".../Trash", without the "/files/"
  const QStringView trashName = FileNameView(trash);
  const QStringView above = FolderView(trash);
  const bool isTrash = trashName == u"Trash" || trashName.startsWith(u".Trash-") ||
                       (above.size() > 1 && FileNameView(above.chopped(1)) == u".Trash");
  if (!isTrash) return std::nullopt;
  return trash.toString() + QStringLiteral("/info/") + FileNameView(place).toString() +
         QStringLiteral(".trashinfo");
}

bool TrashRecordNames(QByteArrayView record, const QString& path) {
  const QByteArray wanted = EncodeNativeName(path);
  for (const QByteArray& line : record.toByteArray().split('\n')) {
    if (!line.startsWith("Path=")) continue;
    const QByteArray named = QByteArray::fromPercentEncoding(line.mid(5).trimmed());
    return wanted.startsWith('/') ? named == wanted : named.endsWith("/" + wanted);
  }
  return false;
}

FileSystem& RealFileSystem() {
  static const std::unique_ptr<FileSystem> fs = file_system_internal::NewNativeFileSystem({});
  return *fs;
}

std::unique_ptr<FileSystem> NewRealFileSystemForTests(SimulatedErrnos errnos) {
  return file_system_internal::NewNativeFileSystem(errnos);
}

// --- FaultInjectingFileSystem ---

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

bool FaultInjectingFileSystem::FileExists(const QString& path) { return base_.FileExists(path); }

bool FaultInjectingFileSystem::FolderExists(const QString& path) {
  return base_.FolderExists(path);
}

EntryKind FaultInjectingFileSystem::LookUp(const QString& path) { return base_.LookUp(path); }

bool FaultInjectingFileSystem::ListNames(const QString& folder,
                                         const std::function<void(QStringView)>& take) {
  if (TakeFault(FileOp::kListNames, folder)) return false;
  return base_.ListNames(folder, take);
}

bool FaultInjectingFileSystem::IsSameFile(const QString& a, const QString& b) {
  return base_.IsSameFile(a, b);
}

bool FaultInjectingFileSystem::CreateFolder(const QString& path) {
  journal_ << QStringLiteral("CreateFolder ") + path;
  if (TakeFault(FileOp::kCreateFolder, path)) return false;
  return base_.CreateFolder(path);
}

Status FaultInjectingFileSystem::DeleteFile(const QString& path) {
  journal_ << QStringLiteral("DeleteFile ") + path;
  if (auto error = TakeFault(FileOp::kDeleteFile, path)) return *error;
  return base_.DeleteFile(path);
}

Status FaultInjectingFileSystem::MoveFile(const QString& from, const QString& to) {
  journal_ << QStringLiteral("MoveFile %1 -> %2").arg(from, to);
  if (auto error = TakeFault(FileOp::kMoveFile, from, to)) return *error;
  return base_.MoveFile(from, to);
}

Status FaultInjectingFileSystem::RenameSameFile(const QString& from, const QString& to) {
  journal_ << QStringLiteral("RenameSameFile %1 -> %2").arg(from, to);
  if (auto error = TakeFault(FileOp::kRenameSameFile, from, to)) return *error;
  return base_.RenameSameFile(from, to);
}

Status FaultInjectingFileSystem::CopyFile(const QString& from, const QString& to,
                                          Replace replace) {
  journal_ << QStringLiteral("CopyFile %1 -> %2").arg(from, to);
  if (auto error = TakeFault(FileOp::kCopyFile, from, to)) return *error;
  return base_.CopyFile(from, to, replace);
}

bool FaultInjectingFileSystem::FoldsLetterCase(const QString& folder) {
  return base_.FoldsLetterCase(folder);
}

Result<QString> FaultInjectingFileSystem::TrashPlaceFor(const QString& path) {
  if (auto error = TakeFault(FileOp::kMoveToTrash, path)) return *error;
  return base_.TrashPlaceFor(path);
}

Status FaultInjectingFileSystem::MoveToTrash(const QString& path, const QString& place) {
  journal_ << QStringLiteral("MoveToTrash %1 -> %2").arg(path, place);
  if (auto error = TakeFault(FileOp::kMoveToTrash, path, place)) return *error;
  return base_.MoveToTrash(path, place);
}

Status FaultInjectingFileSystem::DiscardReplaced(const QString& path) {
  journal_ << QStringLiteral("DiscardReplaced ") + path;
  if (auto error = TakeFault(FileOp::kDiscardReplaced, path)) return *error;
  return base_.DiscardReplaced(path);
}

Result<bool> FaultInjectingFileSystem::HoldSameBytes(const QString& a, const QString& b) {
  return base_.HoldSameBytes(a, b);
}

Status FaultInjectingFileSystem::SyncFolder(const QString& folder) {
  if (auto error = TakeFault(FileOp::kSyncFolder, folder)) return *error;
  return base_.SyncFolder(folder);
}

Result<std::unique_ptr<FileLock>> FaultInjectingFileSystem::LockExclusively(const QString& path) {
  if (auto error = TakeFault(FileOp::kLock, path)) return *error;
  return base_.LockExclusively(path);
}

Status FaultInjectingFileSystem::SetLastWriteTime(const QString& path, const QDateTime& utc) {
  journal_ << QStringLiteral("SetLastWriteTime ") + path;
  if (auto error = TakeFault(FileOp::kSetLastWriteTime, path)) return *error;
  return base_.SetLastWriteTime(path, utc);
}

Result<QByteArray> FaultInjectingFileSystem::ReadFile(const QString& path) {
  if (auto error = TakeFault(FileOp::kReadFile, path)) return *error;
  return base_.ReadFile(path);
}

Result<std::unique_ptr<WritableFile>> FaultInjectingFileSystem::NewWritableFile(
    const QString& path) {
  journal_ << QStringLiteral("NewWritableFile ") + path;
  if (auto error = TakeFault(FileOp::kNewWritableFile, path)) return *error;
  return Wrap(base_.NewWritableFile(path), path);
}

Result<std::unique_ptr<WritableFile>> FaultInjectingFileSystem::NewAppendableFile(
    const QString& path) {
  journal_ << QStringLiteral("NewAppendableFile ") + path;
  if (auto error = TakeFault(FileOp::kNewAppendableFile, path)) return *error;
  return Wrap(base_.NewAppendableFile(path), path);
}

Status FaultInjectingFileSystem::ReplaceFile(const QString& from, const QString& to) {
  journal_ << QStringLiteral("ReplaceFile %1 -> %2").arg(from, to);
  if (auto error = TakeFault(FileOp::kReplaceFile, from, to)) return *error;
  return base_.ReplaceFile(from, to);
}

}  // namespace corvane
