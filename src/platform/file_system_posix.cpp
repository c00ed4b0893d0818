// The file system of Linux and other POSIX systems.
#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/file_system_internal.h"
#include "platform/folder_entries.h"
#include "platform/native_path.h"
#include "platform/paths.h"
#include "platform/posix_calls.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
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

bool RefusedAsUnsupported(int err) {
  return err == EINVAL || err == ENOSYS || err == ENOTSUP || err == EOPNOTSUPP;
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
  PosixWritableFile(int fd, PosixCalls& calls) : fd_(fd), calls_(calls) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  Status Append(QByteArrayView data) override {
    calls_.BeforeChange();
    if (const int err = WriteAll(fd_, data.data(), size_t(data.size()))) return OsError(err);
    return Status::Ok();
  }
  Status Sync() override {
    calls_.BeforeChange();
    const int err = calls_.SyncFileData(fd_);
    return err == 0 ? Status::Ok() : OsError(err);
  }
  Status TruncateTo(qint64 size) override {
    calls_.BeforeChange();
    if (::ftruncate(fd_, off_t(size)) != 0 || ::lseek(fd_, 0, SEEK_END) < 0) return OsError(errno);
    return Status::Ok();
  }
  Status Close() override {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? Status::Ok() : OsError(errno);
  }

 private:
  int fd_;
  PosixCalls& calls_;
};

// Appends by copying into a shared mapping of the file instead of a write()
// each: the page cache holds a copied line at once, so it outlives a killed
// process as a written one would, and a batch logs 100,000 lines without
// 100,000 system calls. Room is reserved on disk ahead, kRoom at a time, with
// posix_fallocate: a full disk then fails Append with an error instead of
// raising SIGBUS on a store into the mapping (on the file systems whose
// reservations hold; copy-on-write ones such as ZFS may still fail a store on
// a full disk). Where the disk has less room than that, only what the line
// needs is reserved, so a log fails only when a line really cannot be
// written. Close cuts the file back to what was appended; a process killed
// before that leaves zero bytes after the last append. Where room cannot be
// reserved or the file cannot be mapped, appends are written.
class PosixMappedAppendFile : public WritableFile {
 public:
  static constexpr off_t kRoom = 256 * 1024;

  PosixMappedAppendFile(int fd, off_t end, PosixCalls& calls) : fd_(fd), end_(end), calls_(calls) {}
  ~PosixMappedAppendFile() override { (void)Close(); }

  Status Append(QByteArrayView data) override {
    const off_t size = off_t(data.size());
    if (size == 0) return Status::Ok();
    if (!unmappable_ && end_ + size > windowEnd_) {
      if (const int err = Reserve(end_ + size)) return OsError(err);
    }
    calls_.BeforeChange();
    if (unmappable_) {
      reserved_ = true;  // a write that fails half-way leaves bytes past end_
      if (const int err = WriteAllAt(fd_, data.data(), size_t(size), end_)) return OsError(err);
    } else {
      std::memcpy(window_ + (end_ - windowStart_), data.data(), size_t(size));
    }
    end_ += size;
    return Status::Ok();
  }

  // The reserved zeros stay: they cost nothing to keep on disk, and cutting
  // them off at every sync would give the room back only to reserve it again.
  // fdatasync writes the pages stored through the mapping as well: on Linux
  // they are the file's own page cache.
  Status Sync() override {
    calls_.BeforeChange();
    const int err = calls_.SyncFileData(fd_);
    return err == 0 ? Status::Ok() : OsError(err);
  }

  Status TruncateTo(qint64 size) override {
    if (size >= end_) return Status::Ok();
    calls_.BeforeChange();
    Unmap();
    if (::ftruncate(fd_, off_t(size)) != 0) return OsError(errno);
    end_ = off_t(size);
    // Nothing is mapped: the next append must map again from the new end.
    windowStart_ = windowEnd_ = end_;
    reserved_ = false;
    return Status::Ok();
  }

  // The cut-back only gives back the zero bytes reserved past the last line,
  // which readers pass over: a file system that refuses it (FAT through FUSE
  // refuses to cut a file to the size it has) still holds every line.
  Status Close() override {
    if (fd_ < 0) return Status::Ok();
    (void)CutBack();
    const int err = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    return err == 0 ? Status::Ok() : OsError(err);
  }

 private:
  // Maps [end_ rounded down to a page, needed + kRoom) after reserving it on
  // disk; returns 0 or an errno.
  int Reserve(off_t needed) {
    Unmap();
    const off_t start = end_ - end_ % off_t(::sysconf(_SC_PAGESIZE));
    off_t stop = needed + kRoom;
    reserved_ = true;  // a failed reservation may still have grown the file
    int err = Allocate(start, stop);
    if (err == ENOSPC || err == EFBIG) {
      stop = needed;
      err = Allocate(start, stop);
    }
    // No room on the disk is an error; any other refusal only means that this
    // file system cannot reserve, and writing still works there.
    if (err == ENOSPC || err == EFBIG) return err;
    void* window = err != 0 ? MAP_FAILED : calls_.MapShared(fd_, start, size_t(stop - start));
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

  int Allocate(off_t start, off_t stop) {
    calls_.BeforeChange();
    return calls_.Reserve(fd_, start, stop - start);
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
  off_t end_;               // where the next append goes
  char* window_ = nullptr;  // the mapping of [windowStart_, windowEnd_)
  off_t windowStart_ = end_;
  off_t windowEnd_ = end_;
  bool reserved_ = false;    // the file is longer than end_
  bool unmappable_ = false;  // appends are written, not copied into a mapping
  PosixCalls& calls_;
};

// An flock held on an open file; closing the file releases it.
class PosixFileLock : public FileLock {
 public:
  explicit PosixFileLock(int fd) : fd_(fd) {}
  ~PosixFileLock() override { ::close(fd_); }

 private:
  int fd_;
};

class PosixFileSystem : public FileSystem {
 public:
  explicit PosixFileSystem(std::unique_ptr<PosixCalls> calls) : calls_(std::move(calls)) {}

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

  EntryKind LookUp(const QString& path) override {
    struct stat st;
    if (HoldsInvalidPathCharacter(path) || ::lstat(NativePath(path).c_str(), &st) != 0) {
      return EntryKind::kNone;
    }
    if (S_ISREG(st.st_mode)) return EntryKind::kFile;
    if (S_ISLNK(st.st_mode)) return EntryKind::kLink;
    if (S_ISDIR(st.st_mode)) return EntryKind::kFolder;
    return EntryKind::kOther;
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

  bool CreateFolder(const QString& path) override {
    return !path.isEmpty() && !HoldsInvalidPathCharacter(path) && MakeFolderPath(Native(path));
  }

  Status DeleteFile(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    Step();
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
    if (err == EXDEV) return MoveAcrossFileSystems(from, to, Replace::kNever);
    return ErrorFor(err, from, to);
  }

  bool IsSameFile(const QString& a, const QString& b) override {
    if (HoldsInvalidPathCharacter(a) || HoldsInvalidPathCharacter(b)) return false;
    struct stat sa, sb;
    if (::lstat(Native(a).constData(), &sa) != 0 || ::lstat(Native(b).constData(), &sb) != 0) {
      return false;
    }
    if (a == b) return true;
    // One entry is one name in one folder: the folders are compared by
    // identity (src/. and a link to src are src), never the files, whose
    // node a second hard link elsewhere shares.
    const QString folderA = ContainingFolder(a);
    const QString folderB = ContainingFolder(b);
    struct stat fa, fb;
    if (::stat(Native(folderA).constData(), &fa) != 0 ||
        ::stat(Native(folderB).constData(), &fb) != 0 || fa.st_dev != fb.st_dev ||
        fa.st_ino != fb.st_ino) {
      return false;
    }
    const QString nameA = FileNamePart(a);
    const QString nameB = FileNamePart(b);
    if (nameA == nameB) return true;
    // Two spellings of one name on a case-insensitive file system, or two
    // hard links in one folder. Node numbers cannot tell: FUSE file systems
    // that work by path (fusefat) number by spelling. Distinct entries are
    // each listed under their own name.
    const bool sameNode = sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (!sameNode && nameA.compare(nameB, Qt::CaseInsensitive) != 0) return false;
    return !(ListedExactly(folderA, nameA) && ListedExactly(folderB, nameB));
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

  Status CopyFile(const QString& from, const QString& to, Replace replace) override {
    if (HoldsInvalidPathCharacter(from) || HoldsInvalidPathCharacter(to)) {
      return InvalidPathError();
    }
    const QByteArray source = Native(from);
    struct stat st;
    const bool link = ::lstat(source.constData(), &st) == 0 && S_ISLNK(st.st_mode);
    if (!link && !FileExists(from)) return MissingSourceError(*this, from);
    if (!FolderExists(ContainingFolder(to))) return PathNotFoundError();
    const QByteArray temp = Native(TemporaryPathFor(to));
    const int copied = link ? CopyLinkTo(source, temp, st, Keep::kForCopy)
                            : CopyContentTo(from, temp, Keep::kForCopy);
    if (copied != 0) return ErrorFor(copied, from);
    if (const int err = RenameTemporary(temp, Native(to), replace)) return ErrorFor(err, from);
    return Status::Ok();
  }

  bool FoldsLetterCase(const QString& folder) override {
    return !HoldsInvalidPathCharacter(folder) && FolderFoldsLetterCase(Native(folder));
  }

  // The home trash only, for files on its own volume.
  Result<QString> TrashPlaceFor(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    return HomeTrashPlaceFor(path);
  }

  Status MoveToTrash(const QString& path, const QString& place) override {
    const std::optional<QString> record = TrashRecordFor(place);
    if (!record) return NoTrashError();
    const std::function<void()> step = [this] { Step(); };
    if (Status s = WriteTrashRecord(*record, path, step); !s.ok()) return s;
    const Status moved = MoveFile(path, place);
    if (!moved.ok()) {
      Step();
      ::unlink(Native(*record).constData());
    }
    return moved;
  }

  Status DiscardReplaced(const QString& path) override { return DeleteFile(path); }

  Result<bool> HoldSameBytes(const QString& a, const QString& b) override {
    if (HoldsInvalidPathCharacter(a) || HoldsInvalidPathCharacter(b)) return InvalidPathError();
    const EntryKind kindA = LookUp(a);
    const EntryKind kindB = LookUp(b);
    if ((kindA == EntryKind::kLink) != (kindB == EntryKind::kLink)) return false;
    if (kindA == EntryKind::kLink) return LinkText(Native(a)) == LinkText(Native(b));
    const int inA = ::open(Native(a).constData(), O_RDONLY | O_CLOEXEC);
    if (inA < 0) return ErrorFor(errno, a);
    const int inB = ::open(Native(b).constData(), O_RDONLY | O_CLOEXEC);
    if (inB < 0) {
      const int err = errno;
      ::close(inA);
      return ErrorFor(err, b);
    }
    const Result<bool> same = CompareContent(inA, inB);
    ::close(inA);
    ::close(inB);
    return same;
  }

  Status SetLastWriteTime(const QString& path, const QDateTime& utc) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    const qint64 ms = utc.toMSecsSinceEpoch();
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(ms / 1000 - (ms % 1000 < 0 ? 1 : 0));
    times[1].tv_nsec = long(((ms % 1000) + 1000) % 1000) * 1000000L;
    Step();
    if (::utimensat(AT_FDCWD, Native(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0) {
      return Status::Ok();
    }
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
    return std::unique_ptr<WritableFile>(
        std::make_unique<PosixMappedAppendFile>(fd, st.st_size, *calls_));
  }

  Status WriteFileAtomically(const QString& path, QByteArrayView data) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    return SaveWholeFile(path, data);
  }

  Status ReplaceFile(const QString& from, const QString& to) override {
    if (HoldsInvalidPathCharacter(from) || HoldsInvalidPathCharacter(to)) {
      return InvalidPathError();
    }
    Step();
    if (::rename(Native(from).constData(), Native(to).constData()) == 0) return Status::Ok();
    const int err = errno;
    if (err == EXDEV) return MoveAcrossFileSystems(from, to, Replace::kAtomically);
    return ErrorFor(err, from);
  }

  Status SyncFolder(const QString& folder) override {
    if (HoldsInvalidPathCharacter(folder)) return InvalidPathError();
    const int fd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return ErrorFor(errno, folder);
    Step();
    const int err = calls_->SyncFolderEntries(fd);
    ::close(fd);
    return err == 0 ? Status::Ok() : OsError(err);
  }

  Result<std::unique_ptr<FileLock>> LockExclusively(const QString& path) override {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    Step();
    const int fd = ::open(Native(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return ErrorFor(errno, path);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      ::close(fd);
      if (err == EWOULDBLOCK) return Error(qt_error_string(err), Error::Code::kBusy);
      return OsError(err);
    }
    return std::unique_ptr<FileLock>(std::make_unique<PosixFileLock>(fd));
  }

 private:
  enum class Keep { kForCopy, kForMove };

  void Step() { calls_->BeforeChange(); }

  static Error NoTrashError() {
    return Error(QStringLiteral("No trash on this volume"), Error::Code::kNotSupported);
  }

  static QByteArray TemporaryName() {
    return ".corvane-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
  }

  // `target`: where a move or rename was going, when there was one.
  Error ErrorFor(int err, const QString& source, const QString& target = {}) {
    switch (err) {
      case EEXIST:
      case ENOTEMPTY:
        // That message speaks of a file; for a folder in the way the system's
        // own words are the truer ones. A link there is an entry of its own.
        if (!target.isEmpty() && EntryIsFolder(target)) return OsError(err);
        return FileExistsError();
      case ENOENT:
        return FileExists(source) ? PathNotFoundError() : MissingSourceError(*this, source);
      case ENOTDIR:
        return PathNotFoundError();
      default:
        return OsError(err);
    }
  }

  static bool EntryIsFolder(const QString& path) {
    struct stat st;
    return ::lstat(Native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  // Renames without ever replacing an entry at `to`; returns 0 or an errno.
  int RenameWithoutReplacing(const char* from, const char* to) {
    Step();
    int err = calls_->RenameNoReplace(from, to);
    if (!RefusedAsUnsupported(err)) return err;
    // No RENAME_NOREPLACE here (some network and FUSE file systems): a hard
    // link cannot replace either, and the source name is removed afterwards.
    err = calls_->Link(from, to);
    if (err == 0) {
      Step();
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
    Step();
    return ::rename(from, to) == 0 ? 0 : errno;
  }

  // Copy, then rename, then delete the source: whenever the source is gone,
  // the whole copy stands at `to`, on disk (synced) before the source goes.
  Status MoveAcrossFileSystems(const QString& from, const QString& to, Replace replace) {
    const QByteArray source = Native(from);
    const QByteArray target = Native(to);
    const QByteArray temp = Native(TemporaryPathFor(to));
    struct stat st;
    if (::lstat(source.constData(), &st) != 0) return ErrorFor(errno, from);
    const int copied = S_ISLNK(st.st_mode) ? CopyLinkTo(source, temp, st, Keep::kForMove)
                                           : CopyContentTo(from, temp, Keep::kForMove);
    if (copied != 0) return ErrorFor(copied, from);
    if (const int err = RenameTemporary(temp, target, replace)) return ErrorFor(err, from, to);
    if (Status synced = SyncFolder(ContainingFolder(to)); !synced.ok()) return synced;
    Step();
    if (::unlink(source.constData()) != 0) {
      // Keep exactly one file: the source stays, so the copy goes.
      const int unlinkErr = errno;
      Step();
      ::unlink(target.constData());
      return ErrorFor(unlinkErr, from);
    }
    return Status::Ok();
  }

  // Gives the finished copy at `temp` the name `to`; removes it on failure.
  int RenameTemporary(const QByteArray& temp, const QByteArray& to, Replace replace) {
    int err = 0;
    if (replace == Replace::kAtomically) {
      Step();
      err = ::rename(temp.constData(), to.constData()) == 0 ? 0 : errno;
    } else {
      err = RenameWithoutReplacing(temp.constData(), to.constData());
    }
    if (err != 0) {
      Step();
      ::unlink(temp.constData());
    }
    return err;
  }

  // Makes the link `st` describes again at `temp`, holding the same text,
  // with its last-write time; a move keeps its owner and access time as well.
  int CopyLinkTo(const QByteArray& source, const QByteArray& temp, const struct stat& st,
                 Keep keep) {
    const QByteArray text = LinkText(source);
    Step();
    ::unlink(temp.constData());  // what a killed copy or move left
    Step();
    if (::symlink(text.constData(), temp.constData()) != 0) return errno;
    // Only the superuser may give a link away; others keep the copy as theirs.
    if (keep == Keep::kForMove) {
      [[maybe_unused]] const int refused = ::lchown(temp.constData(), st.st_uid, st.st_gid);
    }
    const timespec copyTimes[2] = {{0, UTIME_OMIT}, st.st_mtim};
    const timespec moveTimes[2] = {st.st_atim, st.st_mtim};
    (void)::utimensat(AT_FDCWD, temp.constData(), keep == Keep::kForMove ? moveTimes : copyTimes,
                      AT_SYMLINK_NOFOLLOW);
    return 0;
  }

  // Copies the file `from` (links followed) to `temp`, with the permissions
  // and last-write time of `from`; a move keeps the owner and the access
  // time as well, and syncs the copy. Returns 0 or an errno; on failure
  // nothing is left at `temp`.
  int CopyContentTo(const QString& from, const QByteArray& temp, Keep keep) {
    const int in = ::open(Native(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    Step();
    // Truncated, not exclusive: a file under this name is what a killed copy
    // to the same target left. Never through a link planted there.
    const int out =
        ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
      const int err = errno;
      ::close(in);
      return err;
    }
    int err = CopyContent(in, out, keep);
    ::close(in);
    if (::close(out) != 0 && err == 0) err = errno;
    if (err != 0) {
      Step();
      ::unlink(temp.constData());
    }
    return err;
  }

  int CopyContent(int in, int out, Keep keep) {
    struct stat st;
    if (::fstat(in, &st) != 0) return errno;
    static constexpr size_t kChunk = 256 * 1024;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
      const ssize_t n = ::read(in, buffer.data(), kChunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return errno;
      if (n == 0) break;
      Step();
      if (const int err = WriteAll(out, buffer.constData(), size_t(n))) return err;
    }
    // Only the superuser may give a file away; others keep the copy as theirs.
    if (keep == Keep::kForMove) {
      [[maybe_unused]] const int refused = ::fchown(out, st.st_uid, st.st_gid);
    }
    // File systems without POSIX permissions (FAT) refuse fchmod; the copy is
    // still whole there.
    if (::fchmod(out, st.st_mode & 07777) != 0 && errno != EPERM && !RefusedAsUnsupported(errno)) {
      return errno;
    }
    const timespec copyTimes[2] = {{0, UTIME_OMIT}, st.st_mtim};
    const timespec moveTimes[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out, keep == Keep::kForMove ? moveTimes : copyTimes) != 0) return errno;
    if (keep == Keep::kForMove) {
      Step();
      if (::fsync(out) != 0) return errno;
    }
    return 0;
  }

  static QByteArray LinkText(const QByteArray& path) {
    QByteArray text(PATH_MAX, Qt::Uninitialized);
    const ssize_t n = ::readlink(path.constData(), text.data(), size_t(text.size()));
    text.truncate(n < 0 ? 0 : n);
    return text;
  }

  static Result<bool> CompareContent(int a, int b) {
    struct stat sa, sb;
    if (::fstat(a, &sa) != 0 || ::fstat(b, &sb) != 0) return OsError(errno);
    if (sa.st_size != sb.st_size) return false;
    static constexpr size_t kChunk = 256 * 1024;
    QByteArray bufA(kChunk, Qt::Uninitialized);
    QByteArray bufB(kChunk, Qt::Uninitialized);
    for (;;) {
      const ssize_t n = ReadFull(a, bufA.data(), kChunk);
      const ssize_t m = ReadFull(b, bufB.data(), kChunk);
      if (n < 0 || m < 0) return OsError(errno);
      if (n != m || std::memcmp(bufA.constData(), bufB.constData(), size_t(n)) != 0) return false;
      if (n == 0) return true;
    }
  }

  static ssize_t ReadFull(int fd, char* data, size_t size) {
    size_t done = 0;
    while (done < size) {
      const ssize_t n = ::read(fd, data + done, size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return -1;
      if (n == 0) break;
      done += size_t(n);
    }
    return ssize_t(done);
  }

  // Never opens through a link at `path`: one planted there would have the
  // writes land in the file it points to. When `flags` create, such a link is
  // removed and the file made in its place; a kill between the two leaves
  // nothing at `path` and the file the link pointed to as it was.
  Result<std::unique_ptr<WritableFile>> Open(const QString& path, int flags) {
    if (HoldsInvalidPathCharacter(path)) return InvalidPathError();
    const QByteArray native = Native(path);
    Step();
    int fd = ::open(native.constData(), flags | O_NOFOLLOW, 0666);
    struct stat st;
    if (fd < 0 && errno == ELOOP && (flags & O_CREAT) && ::lstat(native.constData(), &st) == 0 &&
        S_ISLNK(st.st_mode)) {
      Step();
      if (::unlink(native.constData()) != 0) return OsError(errno);
      Step();
      fd = ::open(native.constData(), flags | O_EXCL | O_NOFOLLOW, 0666);
    }
    if (fd < 0) {
      const int err = errno;
      if (err != ENOENT) return OsError(err);
      return (flags & O_CREAT) ? PathNotFoundError() : MissingSourceError(*this, path);
    }
    return std::unique_ptr<WritableFile>(std::make_unique<PosixWritableFile>(fd, *calls_));
  }

  std::unique_ptr<PosixCalls> calls_;
};

}  // namespace

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

std::unique_ptr<FileSystem> NewNativeFileSystem() {
  return NewPosixFileSystem(std::make_unique<RealPosixCalls>());
}

}  // namespace corvane::file_system_internal

namespace corvane {

int RealPosixCalls::RenameNoReplace(const char* from, const char* to) {
#ifdef SYS_renameat2
  if (::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
  return errno;
#else
  (void)from;
  (void)to;
  return ENOSYS;
#endif
}

int RealPosixCalls::Link(const char* from, const char* to) {
  return ::link(from, to) == 0 ? 0 : errno;
}

int RealPosixCalls::Reserve(int fd, off_t start, off_t length) {
  int err = 0;
  do {
    err = ::posix_fallocate(fd, start, length);
  } while (err == EINTR);
  return err;
}

void* RealPosixCalls::MapShared(int fd, off_t start, size_t length) {
  return ::mmap(nullptr, length, PROT_WRITE, MAP_SHARED, fd, start);
}

int RealPosixCalls::SyncFileData(int fd) { return ::fdatasync(fd) == 0 ? 0 : errno; }

int RealPosixCalls::SyncFolderEntries(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

std::unique_ptr<FileSystem> NewPosixFileSystem(std::unique_ptr<PosixCalls> calls) {
  return std::make_unique<file_system_internal::PosixFileSystem>(std::move(calls));
}

}  // namespace corvane

#endif  // !Q_OS_WIN
