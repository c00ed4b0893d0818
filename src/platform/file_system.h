// FileSystem: the few disk operations that batches, undo and the file
// collection rely on, behind one interface so that tests can make any one of
// them fail on purpose (as root, permissions stop nothing).
//
// Paths are used as given (a relative path is taken from the current folder).
// Failures carry these texts: "Invalid characters in path" (a character no path
// may hold on this platform), "The specified path was not found" (a missing
// folder of the source or target), "The specified file was not found" (a
// missing source), "The specified file already exists" (a move onto a file);
// anything else carries the operating system's own message.
//
// RealFileSystem() lives for the whole program and may be used from one thread
// at a time. FaultInjectingFileSystem wraps another FileSystem, which must
// outlive it.
#pragma once

#include "base/error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// <windows.h> defines these as macros for its own functions; the interface
// keeps its names whatever was included before (as LevelDB's Env does).
#ifdef Q_OS_WIN
#undef DeleteFile
#undef MoveFile
#undef CopyFile
#undef ReplaceFile
#endif

namespace corvane {

// A file being written. Every Append is handed to the operating system before
// it returns (no buffering in the process), so a killed program loses nothing
// that Append accepted; Sync makes it survive a power cut too.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual Status Append(QByteArrayView data) = 0;
  virtual Status Sync() = 0;
  virtual Status Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True only for a regular file; links are followed.
  virtual bool FileExists(const QString& path) = 0;
  // True only for a folder; links are followed.
  virtual bool FolderExists(const QString& path) = 0;
  // Creates the folder with every missing parent; true when it exists afterwards.
  virtual bool CreateFolder(const QString& path) = 0;
  virtual Status DeleteFile(const QString& path) = 0;
  // Moves a file; never replaces anything at `to`, not even in a race. Across
  // file systems it copies (refusing to replace) and then deletes the source;
  // when the source cannot be deleted the copy is removed again.
  virtual Status MoveFile(const QString& from, const QString& to) = 0;
  // Whether `a` and `b` name one and the same directory entry, spelled in two
  // ways (a case-insensitive file system). Two hard links or a symbolic link
  // and its target are different entries.
  virtual bool IsSameFile(const QString& a, const QString& b) = 0;
  // Gives the entry `from` the spelling `to`, where IsSameFile(from, to).
  // A no-replace move cannot: on a case-insensitive file system it sees `to`
  // taken by the file itself.
  virtual Status RenameSameFile(const QString& from, const QString& to) = 0;
  // Copies content, permissions and last-write time, replacing a file at `to`.
  // Writes under a temporary name in the target folder first, so that a failed
  // copy never leaves a half-written file under the target name.
  virtual Status CopyFile(const QString& from, const QString& to) = 0;
  // Sets the last-write time alone; creation and access times stay.
  virtual Status SetLastWriteTime(const QString& path, const QDateTime& utc) = 0;

  virtual Result<QByteArray> ReadFile(const QString& path) = 0;
  // Creates `path` empty, replacing any file there.
  virtual Result<std::unique_ptr<WritableFile>> NewWritableFile(const QString& path) = 0;
  // Opens an existing file to write at its end. Where the platform can, an
  // Append costs no system call (POSIX: a shared mapping); until Sync or
  // Close the file may then end in zero bytes past what was appended, and a
  // process killed before either leaves them there for readers to pass over.
  virtual Result<std::unique_ptr<WritableFile>> NewAppendableFile(const QString& path) = 0;
  // Renames `from` to `to` in one step, replacing a file at `to`.
  virtual Status ReplaceFile(const QString& from, const QString& to) = 0;
};

// The operating system's file system.
FileSystem& RealFileSystem();

// Error numbers that the next call of a Linux primitive reports instead of
// running it, once each, so tests reach the fallbacks that only some file
// systems take: EINVAL from renameat2 (a file system without RENAME_NOREPLACE),
// EXDEV (another file system), EPERM from link (no hard links), ENODEV from
// mapping an appendable file (FUSE with direct I/O). 0 = none.
struct SimulatedErrnos {
  int renameNoReplace = 0;
  int link = 0;
  int mapAppendable = 0;
};
std::unique_ptr<FileSystem> NewRealFileSystemForTests(SimulatedErrnos errnos);

// The operations a fault can be attached to.
enum class FileOp {
  kCreateFolder,
  kDeleteFile,
  kMoveFile,
  kRenameSameFile,
  kCopyFile,
  kSetLastWriteTime,
  kReadFile,
  kNewWritableFile,
  kNewAppendableFile,
  kReplaceFile,
  kAppend,
  kSync,
};

// Passes every call to `base`, except the calls chosen by AddFault, which fail
// with the fault's error without touching the disk. Records every changing
// call (not the existence tests) in journal(), e.g. "MoveFile /a/x -> /a/y".
class FaultInjectingFileSystem : public FileSystem {
 public:
  explicit FaultInjectingFileSystem(FileSystem& base) : base_(base) {}

  // The next `times` calls of `op` whose path (either path of a move, copy or
  // replace; the file's own path for kAppend and kSync) contains `pathPart`
  // fail with `error`. times = -1: every such call.
  void AddFault(FileOp op, const QString& pathPart, Error error = Error("Access is denied"),
                int times = 1);
  const QStringList& journal() const { return journal_; }
  void ClearJournal() { journal_.clear(); }

  bool FileExists(const QString& path) override;
  bool FolderExists(const QString& path) override;
  bool CreateFolder(const QString& path) override;
  Status DeleteFile(const QString& path) override;
  Status MoveFile(const QString& from, const QString& to) override;
  bool IsSameFile(const QString& a, const QString& b) override;
  Status RenameSameFile(const QString& from, const QString& to) override;
  Status CopyFile(const QString& from, const QString& to) override;
  Status SetLastWriteTime(const QString& path, const QDateTime& utc) override;
  Result<QByteArray> ReadFile(const QString& path) override;
  Result<std::unique_ptr<WritableFile>> NewWritableFile(const QString& path) override;
  Result<std::unique_ptr<WritableFile>> NewAppendableFile(const QString& path) override;
  Status ReplaceFile(const QString& from, const QString& to) override;

  // Used by the files this wrapper hands out; returns the fault's error, if any.
  std::optional<Error> TakeFault(FileOp op, const QString& path, const QString& other = {});

 private:
  struct Fault {
    FileOp op;
    QString pathPart;
    Error error;
    int times;
  };
  Result<std::unique_ptr<WritableFile>> Wrap(Result<std::unique_ptr<WritableFile>> file,
                                             const QString& path);

  FileSystem& base_;
  QList<Fault> faults_;
  QStringList journal_;
};

}  // namespace corvane
