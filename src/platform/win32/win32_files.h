// The Windows file calls behind FileSystem, with no Qt: paths are wide strings
// (either separator, used as given), results are Win32 error codes as
// GetLastError gives them, kOk for success. The QString adapters beside it
// (file_system_windows.cpp and others) turn codes into the interface's errors;
// this layer holds every decision that can lose a file, so that it can be
// built with mingw-w64 and tested under Wine on any machine.
//
// The header needs no <windows.h>: its macros would rename the interface's
// methods (DeleteFile, MoveFile, ...) in any file that includes it.
//
// FileOps keeps the guarantees that file_system.h promises:
// - moves never replace anything at the target, not even in a race, and
//   across volumes copy under a temporary name first;
// - copies are written under a temporary name and then renamed;
// - a source is deleted only when it is another file than the target.
// One FileOps may be used from one thread at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace corvane::win32 {

// A Win32 error code (DWORD).
using ErrorCode = unsigned long;
inline constexpr ErrorCode kOk = 0;

// What stands at a path, the entry itself: symbolic links and junctions are
// links; other reparse points (cloud placeholders, deduplicated files) are
// the file or folder they hold.
enum class Kind { kNone, kFile, kLink, kFolder };

// Which file a path leads to (links followed): volume serial number and file
// index, and how many names (hard links) the file has.
struct FileId {
  uint64_t volume = 0;
  uint64_t index = 0;
  uint32_t links = 0;
  bool SameFileAs(const FileId& other) const {
    return volume == other.volume && index == other.index;
  }
};
ErrorCode IdentityOf(const std::wstring& path, FileId* id);

// Hooks through which tests take the ways only some volumes force.
struct Hooks {
  // Runs before every call that changes the disk, so that a test can stop
  // the work (by throwing) at each one, as a kill would.
  std::function<void()> beforeChange;
  // The next rename of a move fails with this code instead of running, once
  // (ERROR_NOT_SAME_DEVICE: the two paths lie on two volumes).
  ErrorCode nextRenameError = kOk;
};

// A file open for writing. Every Append reaches the operating system before
// it returns.
class WritableHandle {
 public:
  WritableHandle(void* handle, const Hooks* hooks) : handle_(handle), hooks_(hooks) {}
  ~WritableHandle();
  WritableHandle(const WritableHandle&) = delete;
  WritableHandle& operator=(const WritableHandle&) = delete;

  ErrorCode Append(const char* data, size_t size);
  ErrorCode Sync();
  ErrorCode TruncateTo(int64_t size);
  ErrorCode Close();

 private:
  void* handle_;
  const Hooks* hooks_;
};

// An exclusive hold on a file, released when destroyed (or when the process
// ends, however it ends).
class ExclusiveHold {
 public:
  explicit ExclusiveHold(void* handle) : handle_(handle) {}
  ~ExclusiveHold();
  ExclusiveHold(const ExclusiveHold&) = delete;
  ExclusiveHold& operator=(const ExclusiveHold&) = delete;

 private:
  void* handle_;
};

class FileOps {
 public:
  explicit FileOps(Hooks hooks = {}) : hooks_(std::move(hooks)) {}

  Kind LookUp(const std::wstring& path) const;
  // A file, links followed.
  bool FileExists(const std::wstring& path) const;
  // A folder, links followed.
  bool FolderExists(const std::wstring& path) const;
  // A folder that is not a link: what a refused move names in its own words.
  bool IsPlainFolder(const std::wstring& path) const;

  // Deletes one file, as DeleteFileW does (a read-only file stays).
  ErrorCode RemoveFile(const std::wstring& path);

  // Moves `from` to `to`, never replacing anything there. Across volumes:
  // copies to `temp` (in the target's folder), flushes it, renames it to
  // `to` without replacing, and only then deletes `from`; when `from` cannot
  // be deleted the copy goes again, so exactly one file remains.
  ErrorCode MoveNoReplace(const std::wstring& from, const std::wstring& to,
                          const std::wstring& temp);
  // The same, replacing a file at `to` in one step.
  ErrorCode MoveReplacing(const std::wstring& from, const std::wstring& to,
                          const std::wstring& temp);
  // Copies content, attributes and last-write time to `temp`, then renames
  // it to `to`: replacing a file there in one step, or never.
  ErrorCode CopyViaTemporary(const std::wstring& from, const std::wstring& to,
                             const std::wstring& temp, bool replace);

  // Whether `a` and `b` name one entry of one folder: the same file, and
  // either its only name or the same name (ignoring case) in the same folder.
  bool IsSameEntry(const std::wstring& a, const std::wstring& b) const;
  // Gives the entry `from` the spelling `to` (IsSameEntry(from, to)). Where a
  // rename between two spellings changes nothing (Wine, some network
  // volumes), the entry goes through a temporary name in its folder.
  ErrorCode RenameSameEntry(const std::wstring& from, const std::wstring& to);

  // `ticks`: 100 ns steps since 1601-01-01 UTC. Creation and access times stay.
  ErrorCode SetLastWriteTime(const std::wstring& path, int64_t ticks);
  ErrorCode HoldSameBytes(const std::wstring& a, const std::wstring& b, bool* same) const;

  // Creates the file empty, replacing any file there.
  ErrorCode NewWritable(const std::wstring& path, std::unique_ptr<WritableHandle>* file);
  // Opens an existing file to write at its end.
  ErrorCode NewAppendable(const std::wstring& path, std::unique_ptr<WritableHandle>* file);
  // Creates the file when missing and holds it so that nobody else can open
  // it; ERROR_SHARING_VIOLATION when someone holds it already.
  ErrorCode HoldExclusively(const std::wstring& path, std::unique_ptr<ExclusiveHold>* hold);

 private:
  ErrorCode Move(const std::wstring& from, const std::wstring& to, const std::wstring& temp,
                 bool replace);
  ErrorCode MoveAcrossVolumes(const std::wstring& from, const std::wstring& to,
                              const std::wstring& temp, bool replace);
  ErrorCode CopyTo(const std::wstring& from, const std::wstring& temp, bool flush);
  ErrorCode DeleteSource(const std::wstring& path);
  void Discard(const std::wstring& path);
  void Step() const;

  Hooks hooks_;
};

// The folder of `path` including its final separator or drive colon ("" when
// there is none), and the name after it.
std::wstring_view FolderOf(std::wstring_view path);
std::wstring_view NameOf(std::wstring_view path);

// The spelling that the folder listing gives the entry at `path`; empty when
// there is none.
std::wstring ListedName(const std::wstring& path);

}  // namespace corvane::win32
