// UndoLogWriter: writes the undo log of one batch ahead of the batch, so that
// at every instant, a kill or a power cut included, the log on disk names
// every operation that may have happened.
//
// Add puts an operation's line in the log before the operation is done; the
// line is on disk for sure only after Commit, so the caller commits before
// doing the operations added since the last commit. The first Commit puts the
// new log in place of the earlier one in one rename. An operation that is not
// done after all (it failed, or the batch stopped first) has its line taken
// back with TakeBackFrom. Finish ends the log; a batch that stopped having
// done nothing gets the earlier log back.
//
// Why the order of the writes holds after a power cut (ext4, XFS and Btrfs
// with their default options): the log's lines live in its own file, whose
// data is not ordered against other files' renames, so Commit makes them
// durable with fdatasync before any operation they name is attempted; the
// log's rename into place is made durable (its folder synced) before the
// first operation too. An operation's rename can therefore reach the disk
// only after the line naming it. Lines of operations that never happened
// name a target that was free and a source still in place; the undo passes
// over them.
//
// `fs` must outlive the writer.
#pragma once

#include "base/english_text.h"
#include "base/error.h"
#include "platform/file_system.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace corvane {

class UndoLogWriter {
 public:
  UndoLogWriter(FileSystem& fs, QString logPath);
  ~UndoLogWriter();
  UndoLogWriter(const UndoLogWriter&) = delete;
  UndoLogWriter& operator=(const UndoLogWriter&) = delete;

  // Adds the line of an operation about to be done; returns the log's size
  // before it, for TakeBackFrom.
  Result<qint64> Add(const QString& source, const QString& target);
  Status Commit();
  // Removes every line from byte `offset` (a value Add returned) on.
  Status TakeBackFrom(qint64 offset);
  // Ends the log: synced and closed. `anythingDone` false with a batch that
  // did not complete puts the earlier log back (or leaves none, as before).
  Status Finish(bool batchCompleted, bool anythingDone);

 private:
  Status Start();
  Status PutInPlace();
  void DiscardTemporary();

  FileSystem& fs_;
  QString logPath_;
  QString tempPath_;
  std::unique_ptr<WritableFile> file_;
  std::optional<QByteArray> earlierLog_;  // read before the new log replaces it
  QByteArray line_;                       // room for one line, reused by every Add
  qint64 size_ = 0;
  bool inPlace_ = false;
  Status broken_ = Error(QString::fromUtf16(EN_TEXT("The undo log cannot be written")));
};

}  // namespace corvane
