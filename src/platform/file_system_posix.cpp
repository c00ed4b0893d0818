// The file system of Linux and other POSIX systems.
#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/file_system_internal.h"
#include "platform/native_path.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace corvane::file_system_internal {
namespace {

// The bytes of a path for the system calls (platform/native_name.h), so a name
// that is not UTF-8 reaches the system as the bytes it was read as; for the
// calls made once per file of a batch, NativePath keeps them on the stack.
QByteArray Native(const QString& path) { return EncodeNativeName(path); }

// Creates the folder and its missing parents, as mkdir -p does; true when a
// folder is there afterwards. The parents are looked at only when the folder
// itself cannot be made.
bool MakeFolderPath(const QByteArray& path) {
  if (::mkdir(path.constData(), 0777) == 0) return true;
  if (errno == ENOENT) {
    qsizetype end = path.size();
    while (end > 1 && path[end - 1] == '/') --end;
    const qsizetype slash = path.lastIndexOf('/', end - 1);
    if (slash > 0 && MakeFolderPath(path.left(slash)) && ::mkdir(path.constData(), 0777) == 0) {
      return true;
    }
  }
  struct stat st;
  return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

Error OsError(int code) { return Error(qt_error_string(code)); }

// The folder a path lies in, for system calls and listings.
QString ContainingFolder(const QString& path) {
  const QString folder = FolderPart(path);
  return folder.isEmpty() ? QStringLiteral(".") : folder;
}

int RenameNoReplaceSyscall(const char* from, const char* to) {
#ifdef SYS_renameat2
  if (::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
  return errno;
#else
  (void)from;
  (void)to;
  return ENOSYS;
#endif
}

bool RefusedAsUnsupported(int err) {
  return err == EINVAL || err == ENOSYS || err == ENOTSUP || err == EOPNOTSUPP;
}

int WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += n;
    size -= size_t(n);
  }
  return 0;
}

int WriteAllAt(int fd, const char* data, size_t size, off_t offset) {
  while (size > 0) {
    const ssize_t n = ::pwrite(fd, data, size, offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += n;
    size -= size_t(n);
    offset += off_t(n);
  }
  return 0;
}

// Whether `folder` holds an entry spelled exactly `name`. When the folder
// cannot be read the answer is false: callers treat "not listed" as "maybe
// the same file", the answer that can never lead to deleting the source.
bool ListedExactly(const QString& folder, const QString& name) {
  DIR* dir = ::opendir(Native(folder).constData());
  if (!dir) return false;
  const QByteArray wanted = Native(name);
  bool found = false;
  while (const dirent* entry = ::readdir(dir)) {
    if (wanted == entry->d_name) {
      found = true;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

class PosixWritableFile : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  Status Append(QByteArrayView data) override {
    if (const int err = WriteAll(fd_, data.data(), size_t(data.size()))) return OsError(err);
    return Status::Ok();
  }
  Status Sync() override { return ::fsync(fd_) == 0 ? Status::Ok() : OsError(errno); }
  Status Close() override {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? Status::Ok() : OsError(errno);
  }

 private:
  int fd_;
};

// Appends by copying into a shared mapping of the file instead of a write()
// each: the page cache holds a copied line at once, so it outlives a killed
// process as a written one would, and a batch logs 100,000 lines without
// 100,000 system calls. Room is reserved on disk ahead, kRoom at a time, with
// posix_fallocate: a full disk then fails Append with an error instead of
// raising SIGBUS on a store into the mapping (on the file systems whose
// reservations hold; copy-on-write ones such as ZFS may still fail a store on
// a full disk). Sync and Close cut the file back to what was appended; a
// process killed before that leaves zero bytes after the last append. Where
// room cannot be reserved or the file cannot be mapped, appends are written.
class PosixMappedAppendFile : public WritableFile {
 public:
  static constexpr off_t kRoom = 256 * 1024;

  // `simulatedMapError`: see SimulatedErrnos::mapAppendable.
  PosixMappedAppendFile(int fd, off_t end, int simulatedMapError)
      : fd_(fd), end_(end), simulatedMapError_(simulatedMapError) {}
  ~PosixMappedAppendFile() override { (void)Close(); }

  Status Append(QByteArrayView data) override {
    const off_t size = off_t(data.size());
    if (size == 0) return Status::Ok();
    if (!unmappable_ && end_ + size > windowEnd_) {
      if (const int err = Reserve(end_ + size)) return OsError(err);
    }
    if (unmappable_) {
      reserved_ = true;  // a write that fails half-way leaves bytes past end_
      if (const int err = WriteAllAt(fd_, data.data(), size_t(size), end_)) return OsError(err);
    } else {
      std::memcpy(window_ + (end_ - windowStart_), data.data(), size_t(size));
    }
    end_ += size;
    return Status::Ok();
  }

  Status Sync() override {
    if (const int err = CutBack()) return OsError(err);
    return ::fsync(fd_) == 0 ? Status::Ok() : OsError(errno);
  }

  Status Close() override {
    if (fd_ < 0) return Status::Ok();
    int err = CutBack();
    if (::close(fd_) != 0 && err == 0) err = errno;
    fd_ = -1;
    return err == 0 ? Status::Ok() : OsError(err);
  }

 private:
  // Maps [end_ rounded down to a page, needed + kRoom) after reserving it on
  // disk; returns 0 or an errno.
  int Reserve(off_t needed) {
    Unmap();
    const off_t start = end_ - end_ % off_t(::sysconf(_SC_PAGESIZE));
    const off_t stop = needed + kRoom;
    reserved_ = true;  // a failed reservation may still have grown the file
    int err = 0;
    do {
      err = ::posix_fallocate(fd_, start, stop - start);
    } while (err == EINTR);
    // No room on the disk is an error; any other refusal only means that this
    // file system cannot reserve, and writing still works there.
    if (err == ENOSPC || err == EFBIG) return err;
    void* window = err != 0 || std::exchange(simulatedMapError_, 0) != 0
                       ? MAP_FAILED
                       : ::mmap(nullptr, size_t(stop - start), PROT_WRITE, MAP_SHARED, fd_, start);
    if (window == MAP_FAILED) {
      // Some file systems (FUSE with direct I/O) cannot map files for
      // writing, some cannot reserve; there every append is a write of its own.
      unmappable_ = true;
      return CutBack();
    }
    window_ = static_cast<char*>(window);
    windowStart_ = start;
    windowEnd_ = stop;
    return 0;
  }

  void Unmap() {
    if (window_ != nullptr) ::munmap(window_, size_t(windowEnd_ - windowStart_));
    window_ = nullptr;
    windowStart_ = windowEnd_ = end_;
  }

  int CutBack() {
    Unmap();
    if (!reserved_) return 0;
    if (::ftruncate(fd_, end_) != 0) return errno;
    reserved_ = false;
    return 0;
  }

  int fd_;
  off_t end_;                // where the next append goes
  char* window_ = nullptr;   // the mapping of [windowStart_, windowEnd_)
  off_t windowStart_ = end_;
  off_t windowEnd_ = end_;
  bool reserved_ = false;    // the file is longer than end_
  bool unmappable_ = false;  // appends are written, not copied into a mapping
  int simulatedMapError_;
};

class PosixFileSystem : public FileSystem {
 public:
  explicit PosixFileSystem(SimulatedErrnos errnos) : simulated_(errnos) {}

  bool FileExists(const QString& path) override {
    struct stat st;
    return !HoldsInvalidPathCharacter(path) && ::stat(Native(path).constData(), &st) == 0 &&
           S_ISREG(st.st_mode);
  }

  bool FolderExists(const QString& path) override {
    struct stat st;
    return !HoldsInvalidPathCharacter(path) && ::stat(Native(path).constData(), &st) == 0 &&
           S_ISDIR(st.st_mode);
  }

  bool CreateFolder(const QString& path) override {
    return !path.isEmpty() && !HoldsInvalidPathCharacter(path) && MakeFolderPath(Native(path));
  }

  Status DeleteFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    if (::unlink(Native(path).constData()) == 0) return Status::Ok();
    const int err = errno;
    return err == ENOENT ? MissingSourceError(*this, path) : ErrorFor(err, path);
  }

  Status MoveFile(const QString& from, const QString& to) override {
    if (HoldsInvalidPathCharacter(from) || HoldsInvalidPathCharacter(to)) {
      return InvalidPathError();
    }
    // The rename comes first and the lookups only explain a failure: one
    // system call per file on the common path. (A folder put at `from` since
    // it was listed as a file would be moved too; nothing is replaced or lost.)
    const int err = RenameWithoutReplacing(NativePath(from).c_str(), NativePath(to).c_str());
    if (err == 0) return Status::Ok();
    if (err == EXDEV) return MoveAcrossFileSystems(from, to);
    return ErrorFor(err, from);
  }

  bool IsSameFile(const QString& a, const QString& b) override {
    if (HoldsInvalidPathCharacter(a) || HoldsInvalidPathCharacter(b)) return false;
    struct stat sa, sb;
    if (::lstat(Native(a).constData(), &sa) != 0 || ::lstat(Native(b).constData(), &sb) != 0) {
      return false;
    }
    if (a == b) return true;
    const bool sameNode = sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (sameNode && sa.st_nlink == 1) return true;
    // Either hard links (one node, several entries) or a file system whose
    // node numbers follow the spelling (FUSE file systems that work by path,
    // such as fusefat). Distinct entries are each listed under their own name.
    if (!sameNode) {
      if (sa.st_dev != sb.st_dev || FolderPart(a) != FolderPart(b)) return false;
      if (FileNamePart(a).compare(FileNamePart(b), Qt::CaseInsensitive) != 0) return false;
    }
    return !(ListedExactly(ContainingFolder(a), FileNamePart(a)) &&
             ListedExactly(ContainingFolder(b), FileNamePart(b)));
  }

  Status RenameSameFile(const QString& from, const QString& to) override {
    if (HoldsInvalidPathCharacter(from) || HoldsInvalidPathCharacter(to)) {
      return InvalidPathError();
    }
    if (!FileExists(from)) return MissingSourceError(*this, from);
    if (from == to) return Status::Ok();
    // Case-insensitive file systems in Linux (vfat, ext4 casefold) may treat a
    // rename between two spellings of one entry as a rename onto itself and do
    // nothing, so the entry goes through a temporary name.
    const QByteArray source = Native(from);
    const QByteArray target = Native(to);
    QByteArray temp;
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
      temp = Native(FolderPart(to)) + TemporaryName();
      err = RenameWithoutReplacing(source.constData(), temp.constData());
    }
    if (err != 0) return ErrorFor(err, from);
    err = RenameWithoutReplacing(temp.constData(), target.constData());
    if (err != 0) {
      RenameWithoutReplacing(temp.constData(), source.constData());
      return ErrorFor(err, from);
    }
    return Status::Ok();
  }

  Status CopyFile(const QString& from, const QString& to) override {
    if (HoldsInvalidPathCharacter(from) || HoldsInvalidPathCharacter(to)) {
      return InvalidPathError();
    }
    if (!FileExists(from)) return MissingSourceError(*this, from);
    if (!FolderExists(ContainingFolder(to))) return PathNotFoundError();
    Result<QByteArray> temp = CopyToTemporary(from, to);
    if (!temp.ok()) return temp.error();
    if (::rename(temp->constData(), Native(to).constData()) != 0) {
      const int err = errno;
      ::unlink(temp->constData());
      return ErrorFor(err, from);
    }
    return Status::Ok();
  }

  Status SetLastWriteTime(const QString& path, const QDateTime& utc) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    const qint64 ms = utc.toMSecsSinceEpoch();
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(ms / 1000 - (ms % 1000 < 0 ? 1 : 0));
    times[1].tv_nsec = long(((ms % 1000) + 1000) % 1000) * 1000000L;
    if (::utimensat(AT_FDCWD, Native(path).constData(), times, 0) == 0) return Status::Ok();
    const int err = errno;
    return err == ENOENT ? MissingSourceError(*this, path) : ErrorFor(err, path);
  }

  Result<QByteArray> ReadFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    static constexpr qsizetype kChunk = 64 * 1024;
    const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    int err = fd < 0 ? errno : 0;
    QByteArray bytes;
    for (qsizetype had = 0; err == 0; had = bytes.size()) {
      bytes.resize(had + kChunk);
      const ssize_t n = ::read(fd, bytes.data() + had, size_t(kChunk));
      err = (n < 0 && errno != EINTR) ? errno : 0;
      bytes.resize(had + (n > 0 ? qsizetype(n) : 0));
      if (n == 0) break;
    }
    if (fd >= 0) ::close(fd);
    if (err == 0) return bytes;
    if (!FileExists(path)) return MissingSourceError(*this, path);
    return OsError(err);
  }

  Result<std::unique_ptr<WritableFile>> NewWritableFile(const QString& path) override {
    return Open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC);
  }

  Result<std::unique_ptr<WritableFile>> NewAppendableFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    // Read and write: a shared mapping needs both.
    const int fd = ::open(NativePath(path).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
      const int err = errno;
      return err == ENOENT ? MissingSourceError(*this, path) : OsError(err);
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
      const int err = errno;
      ::close(fd);
      return OsError(err);
    }
    return std::unique_ptr<WritableFile>(std::make_unique<PosixMappedAppendFile>(
        fd, st.st_size, Take(simulated_.mapAppendable)));
  }

  Status ReplaceFile(const QString& from, const QString& to) override {
    if (HoldsInvalidPathCharacter(from) || HoldsInvalidPathCharacter(to)) {
      return InvalidPathError();
    }
    if (::rename(Native(from).constData(), Native(to).constData()) == 0) return Status::Ok();
    return ErrorFor(errno, from);
  }

 private:
  static int Take(int& simulated) { return std::exchange(simulated, 0); }

  static QByteArray TemporaryName() {
    return ".corvane-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
  }

  Error ErrorFor(int err, const QString& source) {
    switch (err) {
      case EEXIST:
      case ENOTEMPTY:
        return FileExistsError();
      case ENOENT:
        return FileExists(source) ? PathNotFoundError() : MissingSourceError(*this, source);
      case ENOTDIR:
        return PathNotFoundError();
      default:
        return OsError(err);
    }
  }

  // Renames without ever replacing an entry at `to`; returns 0 or an errno.
  int RenameWithoutReplacing(const char* from, const char* to) {
    int err = Take(simulated_.renameNoReplace);
    if (err == 0) err = RenameNoReplaceSyscall(from, to);
    if (!RefusedAsUnsupported(err)) return err;
    // No RENAME_NOREPLACE here (some network and FUSE file systems): a hard
    // link cannot replace either, and the source name is removed afterwards.
    err = Take(simulated_.link);
    if (err == 0) err = ::link(from, to) == 0 ? 0 : errno;
    if (err == 0) {
      if (::unlink(from) == 0) return 0;
      const int unlinkErr = errno;
      ::unlink(to);
      return unlinkErr;
    }
    if (!RefusedAsUnsupported(err) && err != EPERM && err != EMLINK) return err;
    // Neither (FAT through FUSE): test, then rename. These file systems offer no
    // way to close the gap between the two steps.
    struct stat st;
    if (::lstat(to, &st) == 0) return EEXIST;
    if (errno != ENOENT) return errno;
    return ::rename(from, to) == 0 ? 0 : errno;
  }

  Status MoveAcrossFileSystems(const QString& from, const QString& to) {
    Result<QByteArray> temp = CopyToTemporary(from, to);
    if (!temp.ok()) return temp.error();
    const int err = RenameWithoutReplacing(temp->constData(), NativePath(to).c_str());
    if (err != 0) {
      ::unlink(temp->constData());
      return ErrorFor(err, from);
    }
    if (::unlink(Native(from).constData()) != 0) {
      // Keep exactly one file: the source stays, so the copy goes.
      const int unlinkErr = errno;
      ::unlink(Native(to).constData());
      return ErrorFor(unlinkErr, from);
    }
    return Status::Ok();
  }

  // Copies `from` to a new temporary file in the folder of `to`, with the
  // permissions and last-write time of `from`; returns its native path.
  Result<QByteArray> CopyToTemporary(const QString& from, const QString& to) {
    const int in = ::open(Native(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return ErrorFor(errno, from);
    QByteArray temp = Native(FolderPart(to)) + ".corvane-XXXXXX";
    const int out = ::mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
      const int err = errno;
      ::close(in);
      return OsError(err);
    }
    int err = CopyContent(in, out);
    ::close(in);
    if (::close(out) != 0 && err == 0) err = errno;
    if (err != 0) {
      ::unlink(temp.constData());
      return OsError(err);
    }
    return temp;
  }

  static int CopyContent(int in, int out) {
    struct stat st;
    if (::fstat(in, &st) != 0) return errno;
    static constexpr size_t kChunk = 256 * 1024;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
      const ssize_t n = ::read(in, buffer.data(), kChunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return errno;
      if (n == 0) break;
      if (const int err = WriteAll(out, buffer.constData(), size_t(n))) return err;
    }
    // File systems without POSIX permissions (FAT) refuse fchmod; the copy is
    // still whole there.
    if (::fchmod(out, st.st_mode & 07777) != 0 && errno != EPERM && !RefusedAsUnsupported(errno)) {
      return errno;
    }
    const timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
    if (::futimens(out, times) != 0) return errno;
    return 0;
  }

  Result<std::unique_ptr<WritableFile>> Open(const QString& path, int flags) {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    const int fd = ::open(Native(path).constData(), flags, 0666);
    if (fd < 0) {
      const int err = errno;
      if (err != ENOENT) return OsError(err);
      return (flags & O_CREAT) ? PathNotFoundError() : MissingSourceError(*this, path);
    }
    return std::unique_ptr<WritableFile>(std::make_unique<PosixWritableFile>(fd));
  }

  SimulatedErrnos simulated_;
};

}  // namespace

std::unique_ptr<FileSystem> NewNativeFileSystem(SimulatedErrnos errnos) {
  return std::make_unique<PosixFileSystem>(errnos);
}

}  // namespace corvane::file_system_internal

#endif  // !Q_OS_WIN
