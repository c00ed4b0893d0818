// PosixCalls: the few system calls through which the POSIX file system meets
// behaviour that only some file systems show (no RENAME_NOREPLACE, no hard
// links, no shared mappings, a full disk), so that each of those ways can be
// taken on any disk: a PosixCalls that answers one of them differently gives
// a file system that takes that way. RealPosixCalls makes the calls
// themselves; one that changes a few derives from it.
#pragma once

#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/file_system.h"

#include <sys/types.h>

#include <cstddef>
#include <memory>

namespace corvane {

class PosixCalls {
 public:
  virtual ~PosixCalls() = default;
  // Runs before every system call that changes the disk.
  virtual void BeforeChange() = 0;
  // renameat2 with RENAME_NOREPLACE: 0 or an errno (ENOSYS where the system
  // has no renameat2).
  virtual int RenameNoReplace(const char* from, const char* to) = 0;
  // link(2): 0 or an errno.
  virtual int Link(const char* from, const char* to) = 0;
  // Reserves [start, start + length) of the file on disk (posix_fallocate,
  // through interruptions): 0 or an errno.
  virtual int Reserve(int fd, off_t start, off_t length) = 0;
  // A shared writable mapping of [start, start + length) of the file, or
  // MAP_FAILED.
  virtual void* MapShared(int fd, off_t start, size_t length) = 0;
  // Makes what was written to the file (fdatasync) or the entries of the
  // folder (fsync) survive a power cut: 0 or an errno.
  virtual int SyncFileData(int fd) = 0;
  virtual int SyncFolderEntries(int fd) = 0;
};

class RealPosixCalls : public PosixCalls {
 public:
  void BeforeChange() override {}
  int RenameNoReplace(const char* from, const char* to) override;
  int Link(const char* from, const char* to) override;
  int Reserve(int fd, off_t start, off_t length) override;
  void* MapShared(int fd, off_t start, size_t length) override;
  int SyncFileData(int fd) override;
  int SyncFolderEntries(int fd) override;
};

// The POSIX file system making its calls through `calls`.
std::unique_ptr<FileSystem> NewPosixFileSystem(std::unique_ptr<PosixCalls> calls);

}  // namespace corvane

#endif  // !Q_OS_WIN
