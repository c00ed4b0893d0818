#include "batch/undo.h"

#include "batch/batch_executor.h"
#include "batch/batch_texts.h"
#include "batch/undo_line.h"
#include "batch/undo_listing.h"
#include "batch/undo_log.h"
#include "batch/undo_targets.h"

namespace corvane {
namespace {

// Undoes the entries newest first. A line once undone finds no file at its
// new path when the undo is repeated, unless an older line has put one there
// since (a swap, a chain): before that happens, the lines already undone are
// cut off the log, so that a repeated undo never takes them twice. A stop
// cuts them off too, so the log holds exactly what is left to undo; `undone`
// tells how many lines are through.
Status UndoEntries(FileSystem& fs, const QString& logPath, const QList<UndoLogEntry>& entries,
                   const QList<qint64>& lineStarts, const StopRequest* stop,
                   ProgressReport* progress, qsizetype& undone) {
  std::unique_ptr<WritableFile> log;
  // Keeps the header and the lines of the entries before `first`. A kill on
  // either side of the truncation leaves a log whose every line is safe to
  // undo: the lines cut off were undone already.
  const auto cutFrom = [&](qsizetype first) -> Status {
    if (!log) {
      Result<std::unique_ptr<WritableFile>> opened = fs.NewAppendableFile(logPath);
      if (!opened.ok()) return opened.error();
      log = std::move(opened).value();
    }
    Status s = log->TruncateTo(lineStarts[first]);
    if (s.ok()) s = log->Sync();
    return s;
  };
  const UndoListing listing(fs, entries);
  UndoneTargets undoneTargets(fs, entries);
  for (qsizetype i = entries.size() - 1; i >= 0; --i) {
    undone = entries.size() - 1 - i;
    if (stop && stop->requested()) {
      if (undone == 0) return Status::Ok();
      Status s = cutFrom(i + 1);
      return s.ok() ? log->Close() : s;
    }
    if (undoneTargets.PutsBack(i)) {
      if (Status s = cutFrom(i + 1); !s.ok()) return s;
      undoneTargets.Cut();
    }
    const NewEntry known =
        listing.ShowsNoFolderAt(i) ? NewEntry::kListedNoFolder : NewEntry::kUnknown;
    if (Status s = UndoLine(fs, entries[i], known); !s.ok()) return s;
    undoneTargets.Undone(i);
    if (progress) progress->Advanced(entries.size() - i, entries.size());
  }
  undone = entries.size();
  return log ? log->Close() : Status::Ok();
}

}  // namespace

UndoOutcome UndoLastRename(FileSystem& fs, const QString& logPath, const StopRequest* stop,
                           ProgressReport* progress) {
  UndoOutcome outcome;
  if (!fs.FileExists(logPath)) {
    outcome.notice = Notice::Information(QString::fromUtf16(batch_texts::kNoUndoLog));
    return outcome;
  }
  Result<std::unique_ptr<FileLock>> lock = LockUndoLog(fs, logPath);
  if (!lock.ok()) {
    outcome.status = lock.error();
    return outcome;
  }
  Result<QByteArray> bytes = fs.ReadFile(logPath);
  if (!bytes.ok()) {
    outcome.status = bytes.error();
    return outcome;
  }
  QList<qint64> lineStarts;
  const QList<UndoLogEntry> entries = ParseUndoLog(*bytes, &lineStarts);
  qsizetype undone = 0;
  outcome.status = UndoEntries(fs, logPath, entries, lineStarts, stop, progress, undone);
  if (!outcome.status.ok()) return outcome;
  if (undone < entries.size()) {
    outcome.stopped = true;
    outcome.notice = Notice::Warning(QString::fromUtf16(batch_texts::kUndoStopped),
                                     {QString::number(undone), QString::number(entries.size())});
    return outcome;
  }
  outcome.status = fs.DeleteFile(logPath);
  if (!outcome.status.ok()) return outcome;
  outcome.clearList = true;
  outcome.notice = Notice::Information(QString::fromUtf16(batch_texts::kUndoCompleted));
  return outcome;
}

}  // namespace corvane
