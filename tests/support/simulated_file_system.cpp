#include "support/simulated_file_system.h"

#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/posix_calls.h"

#include <sys/mman.h>

#include <cerrno>
#include <utility>

namespace corvane {
namespace {

class SimulatedCalls final : public RealPosixCalls {
 public:
  explicit SimulatedCalls(SimulatedErrnos errnos) : errnos_(std::move(errnos)) {}

  void BeforeChange() override {
    if (errnos_.beforeChange) errnos_.beforeChange();
  }
  int RenameNoReplace(const char* from, const char* to) override {
    if (const int err = Take(errnos_.renameNoReplace)) return err;
    return RealPosixCalls::RenameNoReplace(from, to);
  }
  int Link(const char* from, const char* to) override {
    if (const int err = Take(errnos_.link)) return err;
    return RealPosixCalls::Link(from, to);
  }
  int Reserve(int fd, off_t start, off_t length) override {
    if (errnos_.reserveLimit >= 0 && length > errnos_.reserveLimit) return ENOSPC;
    return RealPosixCalls::Reserve(fd, start, length);
  }
  void* MapShared(int fd, off_t start, size_t length) override {
    if (const int err = Take(errnos_.mapAppendable)) {
      errno = err;
      return MAP_FAILED;
    }
    return RealPosixCalls::MapShared(fd, start, length);
  }
  int SyncFileData(int fd) override {
    return errnos_.skipSyncs ? 0 : RealPosixCalls::SyncFileData(fd);
  }
  int SyncFolderEntries(int fd) override {
    return errnos_.skipSyncs ? 0 : RealPosixCalls::SyncFolderEntries(fd);
  }

 private:
  static int Take(int& simulated) { return std::exchange(simulated, 0); }

  SimulatedErrnos errnos_;
};

}  // namespace

std::unique_ptr<FileSystem> NewRealFileSystemForTests(SimulatedErrnos errnos) {
  return NewPosixFileSystem(std::make_unique<SimulatedCalls>(std::move(errnos)));
}

}  // namespace corvane

#endif  // !Q_OS_WIN
