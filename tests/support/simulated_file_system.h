// The operating system's file system taking, on any disk, the ways that only
// some file systems force (Linux only).
#pragma once

#include "platform/file_system.h"

#include <functional>
#include <memory>

namespace corvane {

// Error numbers that the next call of a Linux primitive reports instead of
// running it, once each, so tests reach the fallbacks that only some file
// systems take: EINVAL from renameat2 (a file system without RENAME_NOREPLACE),
// EXDEV (another file system), EPERM from link (no hard links), ENODEV from
// mapping an appendable file (FUSE with direct I/O). 0 = none.
// reserveLimit: reservations of log room larger than this many bytes fail
// with ENOSPC, as on a nearly full disk (-1: no limit). skipSyncs makes every
// sync of a written file and of a folder do nothing (benchmarks measure what
// syncing costs). beforeChange runs before every system call that changes the
// disk, so that tests can stop the program at each one.
struct SimulatedErrnos {
  int renameNoReplace = 0;
  int link = 0;
  int mapAppendable = 0;
  qint64 reserveLimit = -1;
  bool skipSyncs = false;
  std::function<void()> beforeChange = {};
};

// The POSIX file system making its calls through `errnos` (platform/posix_calls.h).
std::unique_ptr<FileSystem> NewRealFileSystemForTests(SimulatedErrnos errnos);

}  // namespace corvane
