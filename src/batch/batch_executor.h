// ExecuteBatch: applies the new names of the last preview on disk, renaming
// each file in its folder, or copying or moving it into the destination, with
// the conflict rule of the options, and writes the undo log ahead of what it
// does (batch/undo_log_writer.h), so that a batch killed at any instant can be
// undone.
//
// Nothing is shown: the outcome carries the notice to show (English, for
// Translate), or the error that stopped the batch, and where each renamed or
// moved file now lives, for the caller to write back into its list and rows.
// Operations performed before a stop stay done and stay in the log, so an
// undo reverses exactly what happened.
//
// No file is lost to a conflict rule: the source itself is never replaced;
// Overwrite never replaces a file of the batch (batch/batch_files.h: the
// source of an item the batch moves or copies, or a file an earlier item
// wrote; that item is numbered instead). The file it replaces moves to the
// trash where its volume has one, as a logged operation that the undo takes
// back; elsewhere it is set aside under a hidden name, logged as well, and
// deleted once the new file stands in its place (the Recycle Bin takes it on
// Windows). A trash that cannot take the file (full, read-only) stops the
// batch. Each file's fate is DecideFate's (batch/fate.h), as for the
// verdicts; a numbered file gets the first free "name (n).ext" once the
// files before it are done (batch/numbered_names.h), and goes into the same
// group of logged operations as any other, so numbering thousands of files
// into one name costs a log sync per group, not per file. A source that is no longer a file (a
// folder put in its place) stops the batch. One batch or undo runs at a time for one log: a second
// is refused before it touches anything.
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "base/error.h"
#include "base/notice.h"
#include "base/progress_report.h"
#include "base/stop_request.h"
#include "batch/target_path.h"
#include "engine/rename_item.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"

namespace corvane {

// Item `index` of the batch now lives at `newPath`; AssignPath(item, newPath)
// brings the item up to date. Only the path is carried: a command-line run
// never reads the items again, and copying 100,000 items it throws away would
// cost as much as the batch's own bookkeeping.
struct ItemUpdate {
  qsizetype index;
  QString newPath;
  friend bool operator==(const ItemUpdate&, const ItemUpdate&) = default;
};

struct BatchOutcome {
  Status status;                 // the error that stopped the batch, if any
  std::optional<Notice> notice;  // what to show when it did not fail
  QList<ItemUpdate> updates;     // files renamed or moved, in list order
  bool stopped = false;          // a stop request ended it (the notice says where)
};

// `stop`, when given, is polled between files: a request finishes the file in
// hand, leaves the log naming what was done, and ends the batch with a
// notice of how many files were done. `progress`, when given, hears after
// each file done how many of the items are through.
BatchOutcome ExecuteBatch(const QList<TRenameItem>& items, const RenameOptions& options,
                          FileSystem& fs, const QString& logPath, const StopRequest* stop = nullptr,
                          ProgressReport* progress = nullptr);

// Takes the lock that one batch or undo holds on the log at `logPath` for its
// whole run; a second is refused at once ("Another batch or undo is running.
// ...", code kBusy).
Result<std::unique_ptr<FileLock>> LockUndoLog(FileSystem& fs, const QString& logPath);

// The lock file that keeps a second batch or undo away from the log at
// `logPath` while one runs.
QString UndoLogLockPath(const QString& logPath);

// Sets the file's last-write time to the present (system clock, UTC); a file
// that cannot be changed is passed over silently.
void TouchModifiedTime(FileSystem& fs, const QString& path);

}  // namespace corvane
