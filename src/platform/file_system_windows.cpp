// The file system of Windows: QString adapters over the Win32 layer
// (platform/win32), which holds every call that changes the disk.
#include <QtGlobal>
#ifdef Q_OS_WIN

#include "platform/file_system_internal.h"
#include "platform/folder_entries.h"
#include "platform/paths.h"
#include "platform/win32/win32_files.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <string>

namespace corvane::file_system_internal {
namespace {

// Win32 error codes the interface gives texts of its own.
constexpr win32::ErrorCode kFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
constexpr win32::ErrorCode kPathNotFound = 3;       // ERROR_PATH_NOT_FOUND
constexpr win32::ErrorCode kSharingViolation = 32;  // ERROR_SHARING_VIOLATION
constexpr win32::ErrorCode kFileExists = 80;        // ERROR_FILE_EXISTS
constexpr win32::ErrorCode kAlreadyExists = 183;    // ERROR_ALREADY_EXISTS

std::wstring Native(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

Error OsError(win32::ErrorCode code) { return Error(qt_error_string(int(code))); }

bool InvalidPair(const QString& a, const QString& b) {
  return HoldsInvalidPathCharacter(a) || HoldsInvalidPathCharacter(b);
}

// FILETIME counts 100 ns steps from 1601-01-01.
int64_t Ticks(const QDateTime& utc) { return (utc.toMSecsSinceEpoch() + 11644473600000LL) * 10000; }

class WindowsWritableFile : public WritableFile {
 public:
  explicit WindowsWritableFile(std::unique_ptr<win32::WritableHandle> file)
      : file_(std::move(file)) {}
  Status Append(QByteArrayView data) override {
    return Check(file_->Append(data.data(), size_t(data.size())));
  }
  Status Sync() override { return Check(file_->Sync()); }
  Status TruncateTo(qint64 size) override { return Check(file_->TruncateTo(size)); }
  Status Close() override { return Check(file_->Close()); }

 private:
  static Status Check(win32::ErrorCode code) {
    return code == win32::kOk ? Status::Ok() : Status(OsError(code));
  }
  std::unique_ptr<win32::WritableHandle> file_;
};

class WindowsFileLock : public FileLock {
 public:
  explicit WindowsFileLock(std::unique_ptr<win32::ExclusiveHold> hold) : hold_(std::move(hold)) {}

 private:
  std::unique_ptr<win32::ExclusiveHold> hold_;
};

class WindowsFileSystem : public FileSystem {
 public:
  explicit WindowsFileSystem(win32::Hooks hooks) : ops_(std::move(hooks)) {}

  bool FileExists(const QString& path) override {
    return !HoldsInvalidPathCharacter(path) && ops_.FileExists(Native(path));
  }

  bool FolderExists(const QString& path) override {
    return !HoldsInvalidPathCharacter(path) && ops_.FolderExists(Native(path));
  }

  bool CreateFolder(const QString& path) override {
    return !path.isEmpty() && !HoldsInvalidPathCharacter(path) && QDir().mkpath(path);
  }

  EntryKind LookUp(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return EntryKind::kNone;
    switch (ops_.LookUp(Native(path))) {
      case win32::Kind::kNone:
        return EntryKind::kNone;
      case win32::Kind::kFile:
        return EntryKind::kFile;
      case win32::Kind::kLink:
        return EntryKind::kLink;
      case win32::Kind::kFolder:
        return EntryKind::kFolder;
    }
    return EntryKind::kNone;
  }

  bool ListNames(const QString& folder, const TakeListedName& take) override {
    return !HoldsInvalidPathCharacter(folder) && ListFolderNames(folder, take);
  }

  std::optional<FolderStamp> StampOf(const QString& folder) override {
    if (HoldsInvalidPathCharacter(folder)) return std::nullopt;
    return StampOfFolder(folder);
  }

  std::optional<QList<FolderEntry>> ListEntries(const QString& folder) override {
    return ListFolderEntries(folder);
  }

  std::optional<FileIdentity> IdentityOf(const QString& path) override {
    return corvane::IdentityOf(path);
  }

  Result<std::optional<FileMetadata>> ReadMetadata(const QString& path) override {
    return ReadFileMetadata(path);
  }

  Status DeleteFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    return Check(ops_.RemoveFile(Native(path)), path);
  }

  Status MoveFile(const QString& from, const QString& to) override {
    if (InvalidPair(from, to)) return InvalidPathError();
    return Check(ops_.MoveNoReplace(Native(from), Native(to), Native(TemporaryPathFor(to))), from,
                 to);
  }

  bool IsSameFile(const QString& a, const QString& b) override {
    return !InvalidPair(a, b) && ops_.IsSameEntry(Native(a), Native(b));
  }

  Status RenameSameFile(const QString& from, const QString& to) override {
    if (InvalidPair(from, to)) return InvalidPathError();
    return Check(ops_.RenameSameEntry(Native(from), Native(to)), from);
  }

  Status CopyFile(const QString& from, const QString& to, Replace replace) override {
    if (InvalidPair(from, to)) return InvalidPathError();
    if (!FileExists(from)) return MissingSourceError(*this, from);
    const QString folder = FolderPart(to);
    if (!folder.isEmpty() && !FolderExists(folder)) return PathNotFoundError();
    return Check(ops_.CopyViaTemporary(Native(from), Native(to), Native(TemporaryPathFor(to)),
                                       replace == Replace::kAtomically),
                 from, to);
  }

  Status SetLastWriteTime(const QString& path, const QDateTime& utc) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    return Check(ops_.SetLastWriteTime(Native(path), Ticks(utc)), path);
  }

  Result<QByteArray> ReadFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      if (!FileExists(path)) return MissingSourceError(*this, path);
      return Error(file.errorString());
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return Error(file.errorString());
    return bytes;
  }

  Result<std::unique_ptr<WritableFile>> NewWritableFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    std::unique_ptr<win32::WritableHandle> file;
    if (Status s = Check(ops_.NewWritable(Native(path), &file), path); !s.ok()) return s.error();
    return std::unique_ptr<WritableFile>(std::make_unique<WindowsWritableFile>(std::move(file)));
  }

  Result<std::unique_ptr<WritableFile>> NewAppendableFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    std::unique_ptr<win32::WritableHandle> file;
    if (Status s = Check(ops_.NewAppendable(Native(path), &file), path); !s.ok()) return s.error();
    return std::unique_ptr<WritableFile>(std::make_unique<WindowsWritableFile>(std::move(file)));
  }

  Status WriteFileAtomically(const QString& path, QByteArrayView data) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    return SaveWholeFile(path, data);
  }

  Status ReplaceFile(const QString& from, const QString& to) override {
    if (InvalidPair(from, to)) return InvalidPathError();
    return Check(ops_.MoveReplacing(Native(from), Native(to), Native(TemporaryPathFor(to))), from);
  }

  // NTFS and FAT, the volumes Windows renames on, ignore letter case.
  bool FoldsLetterCase(const QString&) override { return true; }

  // The Recycle Bin names what it keeps itself, after the file is in it, so
  // no place can be named ahead; a replaced file is set aside and recycled
  // afterwards (DiscardReplaced).
  Result<QString> TrashPlaceFor(const QString&) override {
    return Error(QStringLiteral("No trash on this volume"), Error::Code::kNotSupported);
  }
  Status MoveToTrash(const QString&, const QString&) override {
    return Error(QStringLiteral("No trash on this volume"), Error::Code::kNotSupported);
  }

  // Qt's move to the Recycle Bin through the shell; where the volume has none,
  // the file is deleted, as Overwrite asked.
  Status DiscardReplaced(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    if (QFile::moveToTrash(path)) return Status::Ok();
    return DeleteFile(path);
  }

  Result<bool> HoldSameBytes(const QString& a, const QString& b) override {
    if (InvalidPair(a, b)) return InvalidPathError();
    bool same = false;
    if (const win32::ErrorCode code = ops_.HoldSameBytes(Native(a), Native(b), &same)) {
      return OsError(code);
    }
    return same;
  }

  // Renames reach the disk through MOVEFILE_WRITE_THROUGH and the journal;
  // Windows offers no flush of a folder's entries.
  Status SyncFolder(const QString&) override { return Status::Ok(); }

  Result<std::unique_ptr<FileLock>> LockExclusively(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    std::unique_ptr<win32::ExclusiveHold> hold;
    const win32::ErrorCode code = ops_.HoldExclusively(Native(path), &hold);
    if (code == kSharingViolation) return Error(OsError(code).message(), Error::Code::kBusy);
    if (Status s = Check(code, path); !s.ok()) return s.error();
    return std::unique_ptr<FileLock>(std::make_unique<WindowsFileLock>(std::move(hold)));
  }

 private:
  // `source`: the file the operation started from; `target`: where a move or
  // copy was going, when there was one.
  Status Check(win32::ErrorCode code, const QString& source, const QString& target = {}) {
    switch (code) {
      case win32::kOk:
        return Status::Ok();
      case kFileNotFound:
      case kPathNotFound:
        // The source is there: the target's folder is what is missing.
        if (!target.isEmpty() && FileExists(source)) return PathNotFoundError();
        return MissingSourceError(*this, source);
      case kAlreadyExists:
      case kFileExists:
        // That message speaks of a file; for a folder in the way the system's
        // own words are the truer ones. A link there is an entry of its own.
        if (!target.isEmpty() && ops_.IsPlainFolder(Native(target))) return OsError(code);
        return FileExistsError();
      default:
        return OsError(code);
    }
  }

  win32::FileOps ops_;
};

}  // namespace

std::unique_ptr<FileSystem> NewNativeFileSystem() {
  return std::make_unique<WindowsFileSystem>(win32::Hooks());
}

}  // namespace corvane::file_system_internal

#endif  // Q_OS_WIN
