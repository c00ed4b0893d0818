// UndoLogWriter: writes the undo log of one batch while the batch runs, so
// that a batch killed half-way (power cut, kill -9) still leaves an undoable
// record of what it did.
//
// Before the first operation the caller calls Prepare, which writes the start
// of the new log under a temporary name beside the log; nothing of the earlier
// log changes yet, and a log that cannot be written stops the batch before any
// file is touched. Record, after each performed operation, hands its line to
// the operating system at once; the first Record puts the new log in place of
// the earlier one in one rename. Finish syncs the log, or, when nothing was
// recorded, either puts a header-only log in place (a batch that reached its
// end) or leaves the earlier log untouched (a batch that stopped).
//
// `fs` must outlive the writer.
#pragma once

#include "base/error.h"
#include "platform/file_system.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace corvane {

class UndoLogWriter {
 public:
  UndoLogWriter(FileSystem& fs, QString logPath);
  ~UndoLogWriter();
  UndoLogWriter(const UndoLogWriter&) = delete;
  UndoLogWriter& operator=(const UndoLogWriter&) = delete;

  Status Prepare();
  Status Record(const QString& source, const QString& target);
  Status Finish(bool batchCompleted);

  bool recorded() const { return recorded_; }

 private:
  Status PutInPlace();
  void DiscardTemporary();

  FileSystem& fs_;
  QString logPath_;
  QString tempPath_;
  std::unique_ptr<WritableFile> file_;
  QByteArray line_;  // room for one line, reused by every Record
  bool recorded_ = false;
};

}  // namespace corvane
