#include "batch/undo.h"

#include "batch/batch_texts.h"
#include "batch/undo_log.h"
#include "platform/paths.h"

namespace corvane {
namespace {

Status UndoOne(FileSystem& fs, const UndoLogEntry& entry) {
  const QString& oldPath = entry.oldPath;
  const QString& newPath = entry.newPath;
  if (!fs.FileExists(newPath) || oldPath == newPath) return Status::Ok();
  const QString folder = FolderPart(oldPath);
  if (folder.isEmpty()) {
    return Error(QString::fromUtf16(batch_texts::kUnableToCreateDirectory));
  }
  if (!fs.FolderExists(folder)) fs.CreateFolder(folder);
  if (fs.FileExists(oldPath)) {
    // A case change on a case-insensitive file system: the "file at the old
    // path" is the very file to move back, and deleting it would lose it.
    if (fs.IsSameFile(oldPath, newPath)) return fs.RenameSameFile(newPath, oldPath);
    if (Status s = fs.DeleteFile(oldPath); !s.ok()) return s;
  }
  return fs.MoveFile(newPath, oldPath);
}

}  // namespace

UndoOutcome UndoLastRename(FileSystem& fs, const QString& logPath) {
  UndoOutcome outcome;
  if (!fs.FileExists(logPath)) {
    outcome.notice = Notice::Information(QString::fromUtf16(batch_texts::kNoUndoLog));
    return outcome;
  }
  Result<QByteArray> bytes = fs.ReadFile(logPath);
  if (!bytes.ok()) {
    outcome.status = bytes.error();
    return outcome;
  }
  const QList<UndoLogEntry> entries = ParseUndoLog(*bytes);
  for (qsizetype i = entries.size() - 1; i >= 0; --i) {
    outcome.status = UndoOne(fs, entries[i]);
    if (!outcome.status.ok()) return outcome;
  }
  outcome.status = fs.DeleteFile(logPath);
  if (!outcome.status.ok()) return outcome;
  outcome.clearList = true;
  outcome.notice = Notice::Information(QString::fromUtf16(batch_texts::kUndoCompleted));
  return outcome;
}

}  // namespace corvane
