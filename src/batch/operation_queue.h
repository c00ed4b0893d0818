// OperationQueue: the file operations of a batch, logged ahead and then done
// in order, a group at a time.
//
// Add writes an operation's line to the undo log; Perform commits the log
// (one fdatasync for the whole group) and only then does the operations. The
// one exception follows a replaced file's departure (kToTrash, kSetAside):
// the line of the file taking its name (and of any operation added after
// it) is written, and committed, only once that departure is done and
// durable.
// Whatever is not done after all (a failure, a stop request, a target found
// taken) has its line taken back, so the log ends up naming exactly what was
// done, and at every instant before that at most the operations of one group
// that have not happened yet, whose targets were free and whose sources are
// still in place.
//
// The source of an item is checked right before it moves: it must be there,
// and a file or a link, never a folder put in its place. The listing of its
// folder tells that without a lookup (batch/free_names.h), once the lines of
// the group are durable: the check is then later than a lookup made while
// the item was planned, so whatever that lookup would have caught, this
// catches too.
//
// `fs`, `log` and `stop` must outlive the queue.
#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <optional>

#include "base/error.h"
#include "base/progress_report.h"
#include "base/stop_request.h"
#include "batch/batch_executor.h"
#include "batch/free_names.h"
#include "batch/undo_log_writer.h"
#include "platform/file_system.h"

namespace corvane {

class OperationQueue {
 public:
  // Nothing ever replaces a file: the file Overwrite replaces leaves the
  // target's name first, as an operation of the same item.
  enum class Kind {
    kMove,
    kCopy,
    kMoveAside,       // first step of a case-only rename: to a temporary name
    kMoveBackInCase,  // second step: from that name to the new spelling
    kToTrash,         // a replaced file, to its place in the trash
    kSetAside,        // a replaced file, to a hidden name; discarded after its item
  };

  // Operations logged ahead and done together; a larger group costs fewer
  // fdatasync calls and leaves more lines to take back after a failure. Groups
  // start small, so that a short batch or one stopped early wastes little,
  // and double up to the largest, so that a long one syncs a few times only.
  static constexpr qsizetype kFirstGroupSize = 1024;
  static constexpr qsizetype kLargestGroupSize = 16384;

  OperationQueue(FileSystem& fs, UndoLogWriter& log, const StopRequest* stop, bool touch);

  Status Add(qsizetype item, Kind kind, QString source, QString target);
  // Whether an operation waiting in the queue goes to `target` (letter case
  // ignored, as some file systems do).
  bool WaitsFor(const QString& target);
  // Whether an operation waiting in the queue moves the file at `path` away
  // (letter case ignored, as some file systems do).
  bool MovesAway(const QString& path);
  bool full() const { return pending_.size() >= groupSize_; }

  // Commits the log and does the waiting operations in order. Stops early,
  // taking back the lines of what was not done, on a failure (returned), a
  // stop request (stopped() turns true) or a target found taken by a file
  // (replanFrom() names the item to plan again; Ok is returned). An item's
  // operations are done all or none: a stop comes between two items, and a
  // failure takes back the item's operations done before it.
  Status Perform();
  // Takes back the lines of every waiting operation.
  Status Discard();

  // A stop request ended Perform before the operation of stoppedAt().
  bool stopped() const { return stopped_.has_value(); }
  qsizetype stoppedAt() const { return stopped_.value_or(0); }
  bool replanPending() const { return replanFrom_.has_value(); }
  std::optional<qsizetype> TakeReplanFrom() { return std::exchange(replanFrom_, std::nullopt); }
  // The item of the first waiting operation, or `fallback` when none waits.
  qsizetype FirstWaitingItem(qsizetype fallback) const;

  bool anythingDone() const { return anythingDone_; }
  // The targets files were written to since the last call, once tracked.
  QList<QString> TakeWritten() { return std::move(written_); }
  void TrackWrittenTargets() { trackWritten_ = true; }
  // Sources that `listings` (which must outlive the queue) lists as files
  // are not looked up before they move.
  void CheckSourcesWith(FreeNames* listings) { listings_ = listings; }
  // After each operation done, `progress` (which must outlive the queue)
  // hears its item's place among `total`.
  void ReportProgressTo(ProgressReport* progress, qsizetype total) {
    progress_ = progress;
    total_ = total;
  }
  const QList<ItemUpdate>& updates() const { return updates_; }
  QList<ItemUpdate> TakeUpdates() { return std::move(updates_); }

 private:
  static constexpr qint64 kNotLogged = -1;

  struct Operation {
    qsizetype item;
    Kind kind;
    QString source;
    QString target;
    qint64 logStart;  // kNotLogged until its line is in the log
    bool afterAway;   // takes the name a replaced file left
  };

  Status LogNow(Operation& op);
  void IndexWaiting();
  Status CheckSource(const Operation& op);
  Status Do(const Operation& op);
  QStringList FoldersChanged() const;
  Status PerformWaiting();
  Status Revert(const Operation& op);
  Status StopAt(qsizetype index, Status why);
  void Done(qsizetype index);
  void ClearPending();

  FileSystem& fs_;
  UndoLogWriter& log_;
  FreeNames* listings_ = nullptr;
  const StopRequest* stop_;
  bool touch_;
  QList<Operation> pending_;
  qsizetype groupSize_ = kFirstGroupSize;
  QSet<QString> pendingTargets_;  // case-folded
  QSet<QString> pendingSources_;  // case-folded, of the operations that move a file
  qsizetype indexed_ = 0;         // the operations of pending_ in the two sets
  QList<QString> written_;
  bool trackWritten_ = false;
  ProgressReport* progress_ = nullptr;
  qsizetype total_ = 0;
  bool anythingDone_ = false;
  std::optional<qsizetype> stopped_;
  std::optional<qsizetype> replanFrom_;
  QList<ItemUpdate> updates_;
};

}  // namespace corvane
