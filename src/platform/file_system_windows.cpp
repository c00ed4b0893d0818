// The file system of Windows.
#include <QtGlobal>
#ifdef Q_OS_WIN

#include "platform/file_system_internal.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>

#include <windows.h>
// Its macros would rename the interface's methods below.
#undef DeleteFile
#undef MoveFile
#undef CopyFile
#undef ReplaceFile

#include <algorithm>
#include <utility>

namespace corvane::file_system_internal {
namespace {

std::wstring Native(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

Error OsError(DWORD code) { return Error(qt_error_string(int(code))); }

// `target`: where a move was going, when there was one.
Error ErrorFor(DWORD code, const QString& target = {}) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
      return FileNotFoundError();
    case ERROR_PATH_NOT_FOUND:
      return PathNotFoundError();
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      // That message speaks of a file; for a folder in the way the system's
      // own words are the truer ones. A link there is an entry of its own.
      if (!target.isEmpty()) {
        const DWORD a = GetFileAttributesW(Native(target).c_str());
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) &&
            !(a & FILE_ATTRIBUTE_REPARSE_POINT)) {
          return OsError(code);
        }
      }
      return FileExistsError();
    default:
      return OsError(code);
  }
}

bool InvalidPair(const QString& a, const QString& b) {
  return HoldsInvalidPathCharacter(a) || HoldsInvalidPathCharacter(b);
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (valid()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

HANDLE OpenForAttributes(const QString& path, DWORD access, DWORD flags) {
  return CreateFileW(Native(path).c_str(), access,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

class WindowsWritableFile : public WritableFile {
 public:
  explicit WindowsWritableFile(HANDLE h) : h_(h) {}
  ~WindowsWritableFile() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Status Append(QByteArrayView data) override {
    const char* p = data.data();
    qsizetype left = data.size();
    while (left > 0) {
      DWORD written = 0;
      const DWORD chunk = DWORD(std::min<qsizetype>(left, 1 << 30));
      if (!WriteFile(h_, p, chunk, &written, nullptr)) return OsError(GetLastError());
      p += written;
      left -= written;
    }
    return Status::Ok();
  }
  Status Sync() override { return FlushFileBuffers(h_) ? Status::Ok() : OsError(GetLastError()); }
  Status TruncateTo(qint64 size) override {
    LARGE_INTEGER at;
    at.QuadPart = size;
    if (!SetFilePointerEx(h_, at, nullptr, FILE_BEGIN) || !SetEndOfFile(h_)) {
      return OsError(GetLastError());
    }
    return Status::Ok();
  }
  Status Close() override {
    const HANDLE h = std::exchange(h_, INVALID_HANDLE_VALUE);
    return CloseHandle(h) ? Status::Ok() : OsError(GetLastError());
  }

 private:
  HANDLE h_;
};

// A file opened without sharing: nobody else can open it while it is held.
class WindowsFileLock : public FileLock {
 public:
  explicit WindowsFileLock(HANDLE h) : h_(h) {}
  ~WindowsFileLock() override { CloseHandle(h_); }

 private:
  HANDLE h_;
};

class WindowsFileSystem : public FileSystem {
 public:
  bool FileExists(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return false;
    const DWORD a = GetFileAttributesW(Native(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool FolderExists(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return false;
    const DWORD a = GetFileAttributesW(Native(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool CreateFolder(const QString& path) override {
    return !path.isEmpty() && !HoldsInvalidPathCharacter(path) && QDir().mkpath(path);
  }

  EntryKind LookUp(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return EntryKind::kNone;
    const DWORD a = GetFileAttributesW(Native(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return EntryKind::kNone;
    if (a & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::kLink;
    return (a & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::kFolder : EntryKind::kFile;
  }

  Status DeleteFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    if (DeleteFileW(Native(path).c_str())) return Status::Ok();
    return ErrorFor(GetLastError());
  }

  Status MoveFile(const QString& from, const QString& to) override {
    if (InvalidPair(from, to)) return InvalidPathError();
    if (!FileExists(from)) return MissingSourceError(*this, from);
    // Without MOVEFILE_REPLACE_EXISTING the move never replaces, also when it
    // copies to another volume.
    if (!MoveFileExW(Native(from).c_str(), Native(to).c_str(), MOVEFILE_COPY_ALLOWED)) {
      return ErrorFor(GetLastError(), to);
    }
    // Across volumes MoveFileEx reports success when the copy worked but the
    // source could not be deleted; keep exactly one file then.
    if (GetFileAttributesW(Native(from).c_str()) != INVALID_FILE_ATTRIBUTES) {
      if (!DeleteFileW(Native(from).c_str())) {
        const DWORD code = GetLastError();
        DeleteFileW(Native(to).c_str());
        return ErrorFor(code);
      }
    }
    return Status::Ok();
  }

  bool IsSameFile(const QString& a, const QString& b) override {
    if (InvalidPair(a, b)) return false;
    Handle ha(OpenForAttributes(a, 0, FILE_FLAG_OPEN_REPARSE_POINT));
    Handle hb(OpenForAttributes(b, 0, FILE_FLAG_OPEN_REPARSE_POINT));
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!ha.valid() || !hb.valid() || !GetFileInformationByHandle(ha.get(), &ia) ||
        !GetFileInformationByHandle(hb.get(), &ib)) {
      return false;
    }
    const bool sameNode = ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
                          ia.nFileIndexHigh == ib.nFileIndexHigh &&
                          ia.nFileIndexLow == ib.nFileIndexLow;
    if (!sameNode) return false;
    // Hard links share the file ID; only one link means one entry.
    return ia.nNumberOfLinks == 1 ||
           FileNamePart(a).compare(FileNamePart(b), Qt::CaseInsensitive) == 0;
  }

  Status RenameSameFile(const QString& from, const QString& to) override {
    if (InvalidPair(from, to)) return InvalidPathError();
    if (!FileExists(from)) return MissingSourceError(*this, from);
    // NTFS renames between two spellings of one entry in one step.
    if (MoveFileExW(Native(from).c_str(), Native(to).c_str(), 0)) return Status::Ok();
    return ErrorFor(GetLastError());
  }

  Status CopyFile(const QString& from, const QString& to, Replace replace) override {
    if (InvalidPair(from, to)) return InvalidPathError();
    if (!FileExists(from)) return MissingSourceError(*this, from);
    const QString folder = FolderPart(to);
    if (!folder.isEmpty() && !FolderExists(folder)) return PathNotFoundError();
    // CopyFileW carries content, attributes and last-write time.
    const QString temp = TemporaryPathFor(to);
    DWORD code = CopyFileW(Native(from).c_str(), Native(temp).c_str(), FALSE) ? 0 : GetLastError();
    if (code != 0) return ErrorFor(code);
    const DWORD flags = replace == Replace::kAtomically ? MOVEFILE_REPLACE_EXISTING : 0;
    if (!MoveFileExW(Native(temp).c_str(), Native(to).c_str(), flags)) {
      code = GetLastError();
      DeleteFileW(Native(temp).c_str());
      return ErrorFor(code);
    }
    return Status::Ok();
  }

  Status SetLastWriteTime(const QString& path, const QDateTime& utc) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    Handle h(OpenForAttributes(path, FILE_WRITE_ATTRIBUTES, 0));
    if (!h.valid()) return ErrorFor(GetLastError());
    // FILETIME counts 100 ns steps from 1601-01-01.
    const ULONGLONG ticks = ULONGLONG(utc.toMSecsSinceEpoch() + 11644473600000LL) * 10000ULL;
    FILETIME ft;
    ft.dwLowDateTime = DWORD(ticks);
    ft.dwHighDateTime = DWORD(ticks >> 32);
    if (!SetFileTime(h.get(), nullptr, nullptr, &ft)) return OsError(GetLastError());
    return Status::Ok();
  }

  Result<QByteArray> ReadFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      if (!FileExists(path)) return MissingSourceError(*this, path);
      return Error(file.errorString());
    }
    return file.readAll();
  }

  Result<std::unique_ptr<WritableFile>> NewWritableFile(const QString& path) override {
    return Open(path, CREATE_ALWAYS, GENERIC_WRITE);
  }

  Result<std::unique_ptr<WritableFile>> NewAppendableFile(const QString& path) override {
    return Open(path, OPEN_EXISTING, FILE_APPEND_DATA);
  }

  Status ReplaceFile(const QString& from, const QString& to) override {
    if (InvalidPair(from, to)) return InvalidPathError();
    if (MoveFileExW(Native(from).c_str(), Native(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)) {
      return Status::Ok();
    }
    return ErrorFor(GetLastError());
  }

  Result<QString> MoveToTrash(const QString& path) override {
    QString inTrash;
    if (HoldsInvalidPathCharacter(path) || !QFile::moveToTrash(path, &inTrash)) {
      return Error(QStringLiteral("No trash on this volume"), Error::Code::kNotSupported);
    }
    return inTrash;
  }

  // The Recycle Bin keeps its own records; a file is only ever restored by
  // the shell.
  Status RestoreFromTrash(const QString&, const QString&) override {
    return Error(QStringLiteral("No trash on this volume"), Error::Code::kNotSupported);
  }

  Result<bool> HoldSameBytes(const QString& a, const QString& b) override {
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly)) return Error(fa.errorString());
    if (!fb.open(QIODevice::ReadOnly)) return Error(fb.errorString());
    if (fa.size() != fb.size()) return false;
    while (!fa.atEnd()) {
      if (fa.read(256 * 1024) != fb.read(256 * 1024)) return false;
    }
    return true;
  }

  // Renames reach the disk through MOVEFILE_WRITE_THROUGH and the journal;
  // Windows offers no flush of a folder's entries.
  Status SyncFolder(const QString&) override { return Status::Ok(); }

  Result<std::unique_ptr<FileLock>> LockExclusively(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    const HANDLE h = CreateFileW(Native(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      if (code == ERROR_SHARING_VIOLATION) return Error(OsError(code).message(), Error::Code::kBusy);
      return ErrorFor(code);
    }
    return std::unique_ptr<FileLock>(std::make_unique<WindowsFileLock>(h));
  }

 private:
  Result<std::unique_ptr<WritableFile>> Open(const QString& path, DWORD disposition, DWORD access) {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    const HANDLE h = CreateFileW(Native(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                 nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ErrorFor(GetLastError());
    return std::unique_ptr<WritableFile>(std::make_unique<WindowsWritableFile>(h));
  }
};

}  // namespace

std::unique_ptr<FileSystem> NewNativeFileSystem(SimulatedErrnos) {
  return std::make_unique<WindowsFileSystem>();
}

}  // namespace corvane::file_system_internal

#endif  // Q_OS_WIN
