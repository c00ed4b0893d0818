// FaultInjectingFileSystem: passes every call to another FileSystem, except
// the calls chosen by AddFault, which fail with the fault's error without
// touching the disk. Records every changing call (not the queries) in
// journal(), e.g. "MoveFile /a/x -> /a/y", and counts the calls of each
// operation in calls().
#pragma once

#include "platform/file_system_wrapper.h"

#include <QList>
#include <QStringList>

#include <array>
#include <mutex>
#include <optional>

namespace corvane {

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
  kWriteFileAtomically,
  kReplaceFile,
  kMoveToTrash,  // TrashPlaceFor as well
  kDiscardReplaced,
  kSyncFolder,
  kLock,
  kListNames,
  kListEntries,
  kReadMetadata,
  kAppend,
  kSync,
  kTruncate,
  kLookUp,  // counted only: a lookup cannot fail
};

class FaultInjectingFileSystem : public FileSystemWrapper {
 public:
  explicit FaultInjectingFileSystem(FileSystem& base) : FileSystemWrapper(base) {}

  // The next `times` calls of `op` whose path (either path of a move, copy or
  // replace; the file's own path for kAppend and kSync; the folder for
  // kListNames and kListEntries) contains `pathPart` fail with `error`.
  // times = -1: every such call. A listing that fails hands no name.
  void AddFault(FileOp op, const QString& pathPart, Error error = Error("Access is denied"),
                int times = 1);
  const QStringList& journal() const { return journal_; }
  // How many calls of `op` were made so far, failed ones included.
  int calls(FileOp op) const {
    const std::lock_guard<std::mutex> hold(faultsLock_);
    return calls_[int(op)];
  }
  void ClearJournal() { journal_.clear(); }

  EntryKind LookUp(const QString& path) override;
  bool ListNames(const QString& folder, const TakeListedName& take) override;
  std::optional<QList<FolderEntry>> ListEntries(const QString& folder) override;
  Result<std::optional<FileMetadata>> ReadMetadata(const QString& path) override;
  bool CreateFolder(const QString& path) override;
  Status DeleteFile(const QString& path) override;
  Status MoveFile(const QString& from, const QString& to) override;
  Status RenameSameFile(const QString& from, const QString& to) override;
  Status CopyFile(const QString& from, const QString& to, Replace replace) override;
  Result<QString> TrashPlaceFor(const QString& path) override;
  Status MoveToTrash(const QString& path, const QString& place) override;
  Status DiscardReplaced(const QString& path) override;
  Status SetLastWriteTime(const QString& path, const QDateTime& utc) override;
  Result<QByteArray> ReadFile(const QString& path) override;
  Result<std::unique_ptr<WritableFile>> NewWritableFile(const QString& path) override;
  Result<std::unique_ptr<WritableFile>> NewAppendableFile(const QString& path) override;
  Status WriteFileAtomically(const QString& path, QByteArrayView data) override;
  Status ReplaceFile(const QString& from, const QString& to) override;
  Status SyncFolder(const QString& folder) override;
  Result<std::unique_ptr<FileLock>> LockExclusively(const QString& path) override;

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

  mutable std::mutex faultsLock_;  // queries may take faults on several threads
  QList<Fault> faults_;
  std::array<int, int(FileOp::kLookUp) + 1> calls_{};
  QStringList journal_;
};

}  // namespace corvane
