#include "batch/batch_executor.h"

#include <QRandomGenerator>
#include <unordered_set>

#include "batch/batch_texts.h"
#include "batch/free_names.h"
#include "batch/operation_queue.h"
#include "batch/undo_log.h"
#include "batch/undo_log_writer.h"
#include "engine/whole_number.h"
#include "platform/file_identity.h"
#include "platform/paths.h"

namespace corvane {
namespace {

using Kind = OperationQueue::Kind;

using Settings = BatchSettings;

Error FileExistsError() {
  return Error(QStringLiteral("The specified file already exists"), Error::Code::kFileExists);
}

// Plans each item against the disk as it is once the operations before it
// are done, and queues its operation; see batch_executor.h for the rules.
class BatchRun {
 public:
  BatchRun(const QList<TRenameItem>& items, const Settings& settings, FileSystem& fs,
           UndoLogWriter& log, const StopRequest* stop)
      : items_(items), s_(settings), fs_(fs), queue_(fs, log, stop, settings.touch),
        stop_(stop),
        freeNames_(fs) {
    if (s_.conflict == ConflictMode::Overwrite) queue_.TrackProducedTargets();
  }

  // Runs every item; `next` tells where it stopped (items before it are done
  // or passed over). A missing preview ends it with `warning` set.
  Status Run(qsizetype& next, std::optional<Notice>& warning);

  OperationQueue& queue() { return queue_; }
  bool stopped() const { return stopped_; }

 private:
  bool Drain(Status& s);
  Status Fail(Error error);
  Status Plan(qsizetype index);
  Status Resolve(qsizetype index, const QString& source, const QString& target);
  Status Overwrite(qsizetype index, const QString& source, const QString& target);
  Status DoNow(qsizetype index, Kind kind, const QString& source, const QString& target);
  Status Enqueue(qsizetype index, Kind kind, const QString& source, const QString& target);
  Status ChangeCase(qsizetype index, const QString& source, const QString& target);
  bool IsFileOfTheBatch(const QString& path);
  Kind Plain() const { return s_.mode == BatchMode::CopyToFolder ? Kind::kCopy : Kind::kMove; }

  const QList<TRenameItem>& items_;
  const Settings& s_;
  FileSystem& fs_;
  OperationQueue queue_;
  const StopRequest* stop_;
  std::optional<std::unordered_set<FileIdentity, FileIdentityHash>> batchFiles_;
  FreeNames freeNames_;
  bool stopped_ = false;
};

Status BatchRun::Run(qsizetype& next, std::optional<Notice>& warning) {
  for (next = 0;; ++next) {
    Status s = Status::Ok();
    const bool requested = stop_ && stop_->requested();
    const bool end = next == items_.size() || items_[next].NewName.isEmpty() || requested;
    if (!end) {
      s = Plan(next);
    } else if (requested) {
      next = queue_.FirstWaitingItem(next);
      stopped_ = true;
      return queue_.Discard();
    } else {
      // The end of what can be planned: what waits still happens.
      s = queue_.Perform();
    }
    if (std::optional<qsizetype> again = queue_.TakeReplanFrom()) {
      freeNames_.Distrust();
      next = *again - 1;
      continue;
    }
    if (queue_.stopped()) {
      next = queue_.stoppedAt();
      stopped_ = true;
      return s;
    }
    if (!s.ok()) return s;
    if (end) {
      if (next < items_.size()) {
        warning = Notice::Warning(QString::fromUtf16(batch_texts::kBuildPreviewFirst));
      }
      return Status::Ok();
    }
  }
}

// Performs what waits; true when planning may go on (no failure, no stop, no
// item to plan again).
bool BatchRun::Drain(Status& s) {
  s = queue_.Perform();
  return s.ok() && !queue_.stopped() && !queue_.replanPending();
}

// An item that cannot be done ends the batch once everything before it is.
Status BatchRun::Fail(Error error) {
  Status s;
  if (!Drain(s)) return s;
  return error;
}

Status BatchRun::Plan(qsizetype index) {
  const QString& source = items_[index].OriginalPath;
  Result<QString> joined = BatchTargetPath(s_, source, items_[index].NewName);
  if (!joined.ok()) return Fail(joined.error());
  const QString& target = *joined;
  const bool inPlace = s_.mode == BatchMode::RenameInPlace;
  if (inPlace && target == source) return Status::Ok();

  Status s;
  EntryKind kind = fs_.LookUp(source);
  // Perhaps an operation still waiting puts a file there: a move is never
  // logged for a file that is not there yet.
  if (kind == EntryKind::kNone) {
    if (!Drain(s)) return s;
    kind = fs_.LookUp(source);
  }
  if (kind == EntryKind::kNone) return Fail(MissingFileError(fs_, source));
  if (kind == EntryKind::kFolder || kind == EntryKind::kOther) {
    return Fail(Error(QString::fromUtf16(batch_texts::kNotAFile), {source}, Error::Code::kGeneric));
  }
  // An earlier item still waiting goes to the same name: it happens first.
  if (queue_.WaitsFor(target) && !Drain(s)) return s;
  if (freeNames_.CertainlyFree(target) || !IsTaken(fs_.LookUp(target))) {
    if (s = Enqueue(index, Plain(), source, target); !s.ok()) return s;
    return queue_.full() ? queue_.Perform() : Status::Ok();
  }
  // The conflict rule looks at the disk as it is after every earlier item.
  if (!Drain(s)) return s;
  if (!IsTaken(fs_.LookUp(target))) return DoNow(index, Plain(), source, target);
  return Resolve(index, source, target);
}

// A file takes the target's name; nothing of the batch waits.
Status BatchRun::Resolve(qsizetype index, const QString& source, const QString& target) {
  if (fs_.IsSameFile(source, target)) {
    // The target is the source under another spelling (in place, that is a
    // case change on a case-insensitive file system) or a copy or move into
    // the file's own folder. Nothing may replace it.
    if (s_.mode == BatchMode::RenameInPlace) return ChangeCase(index, source, target);
    if (s_.conflict == ConflictMode::AutoNumber) {
      return DoNow(index, Plain(), source,
                   UniqueTargetPath(fs_, FolderPart(target), FileNamePart(target)));
    }
    if (!s_.conflict) return FileExistsError();
    return Status::Ok();
  }
  if (!s_.conflict) return FileExistsError();
  switch (*s_.conflict) {
    case ConflictMode::Skip:
      return Status::Ok();
    case ConflictMode::Overwrite:
      if (!IsFileOfTheBatch(target)) return Overwrite(index, source, target);
      [[fallthrough]];
    case ConflictMode::AutoNumber:
      return DoNow(index, Plain(), source,
                   UniqueTargetPath(fs_, FolderPart(target), FileNamePart(target)));
  }
  return Status::Ok();
}

// The file replaced goes to the trash first, where there is one, so that the
// user can still get it back; when the new file does not take its place after
// all (the log or the move failed) it comes back from there. Without a trash
// it is replaced in one step, after the log holds the operation.
Status BatchRun::Overwrite(qsizetype index, const QString& source, const QString& target) {
  if (Result<QString> trashed = fs_.MoveToTrash(target); trashed.ok()) {
    const Status s = DoNow(index, Plain(), source, target);
    if (fs_.LookUp(target) == EntryKind::kNone) (void)fs_.RestoreFromTrash(*trashed, target);
    return s;
  }
  const Kind replacing =
      s_.mode == BatchMode::CopyToFolder ? Kind::kCopyReplacing : Kind::kMoveReplacing;
  return DoNow(index, replacing, source, target);
}

Status BatchRun::DoNow(qsizetype index, Kind kind, const QString& source, const QString& target) {
  if (Status s = Enqueue(index, kind, source, target); !s.ok()) return s;
  return queue_.Perform();
}

Status BatchRun::Enqueue(qsizetype index, Kind kind, const QString& source,
                         const QString& target) {
  Status s = queue_.Add(index, kind, source, target);
  if (s.ok()) freeNames_.NoteTaken(target);
  return s;
}

// Two logged moves through a temporary name in the same folder: some
// case-insensitive file systems take a rename between two spellings of one
// entry for a rename onto itself and do nothing; and the log names the
// temporary name, so that a kill between the steps leaves nothing hidden.
Status BatchRun::ChangeCase(qsizetype index, const QString& source, const QString& target) {
  QString temp;
  do {
    temp = FolderPart(target) + QStringLiteral(".corvane-") +
           QString::number(QRandomGenerator::global()->generate64(), 36);
  } while (fs_.LookUp(temp) != EntryKind::kNone);
  Status s = Enqueue(index, Kind::kMoveAside, source, temp);
  if (s.ok()) s = Enqueue(index, Kind::kMoveBackInCase, temp, target);
  if (!s.ok()) {
    (void)queue_.Discard();
    return s;
  }
  return queue_.Perform();
}

// Whether `path` holds a file this batch must keep: the source of any item
// (wherever an earlier item put it) or a file an earlier item wrote. Sources
// are compared by file identity, so no spelling of a path gets past.
bool BatchRun::IsFileOfTheBatch(const QString& path) {
  if (queue_.Produced(path)) return true;
  if (!batchFiles_) {
    batchFiles_.emplace();
    for (const TRenameItem& item : items_) {
      if (std::optional<FileIdentity> id = IdentityOf(item.OriginalPath)) batchFiles_->insert(*id);
    }
    for (const ItemUpdate& moved : queue_.updates()) {
      if (std::optional<FileIdentity> id = IdentityOf(moved.newPath)) batchFiles_->insert(*id);
    }
  }
  const std::optional<FileIdentity> id = IdentityOf(path);
  return id && batchFiles_->contains(*id);
}

// Ends a stopped batch: the log keeps what was performed.
BatchOutcome Finish(BatchOutcome outcome, UndoLogWriter& log, Status why, bool anythingDone,
                    bool completed) {
  const Status logStatus = log.Finish(completed, anythingDone);
  outcome.status = why.ok() ? logStatus : why;
  return outcome;
}

}  // namespace

QString UndoLogLockPath(const QString& logPath) { return logPath + QStringLiteral(".lock"); }

BatchOutcome ExecuteBatch(const QList<TRenameItem>& items, const RenameOptions& options,
                          FileSystem& fs, const QString& logPath, const StopRequest* stop,
                          ProgressReport* progress) {
  BatchOutcome outcome;
  const std::optional<Settings> checked = SettingsOfBatch(options, outcome.notice);
  if (!checked) return outcome;
  const Settings& settings = *checked;
  Result<std::unique_ptr<FileLock>> lock = LockUndoLog(fs, logPath);
  if (!lock.ok()) {
    outcome.status = lock.error();
    return outcome;
  }
  // When this fails the first copy or move reports the missing folder.
  if (settings.mode != BatchMode::RenameInPlace && !fs.FolderExists(settings.destination)) {
    fs.CreateFolder(settings.destination);
  }

  UndoLogWriter log(fs, logPath);
  BatchRun run(items, settings, fs, log, stop);
  run.queue().ReportProgressTo(progress, items.size());
  qsizetype next = 0;
  std::optional<Notice> warning;
  const Status s = run.Run(next, warning);
  outcome.updates = run.queue().TakeUpdates();
  const bool anythingDone = run.queue().anythingDone();
  if (!s.ok() || warning) {
    outcome.notice = warning;
    return Finish(std::move(outcome), log, s, anythingDone, false);
  }
  if (run.stopped()) {
    outcome.stopped = true;
    outcome.notice = Notice::Warning(QString::fromUtf16(batch_texts::kBatchStopped),
                                     {QString::number(next), QString::number(items.size())});
    return Finish(std::move(outcome), log, s, anythingDone, false);
  }
  if (!items.isEmpty()) {
    outcome.status = log.Finish(true, anythingDone);
    if (!outcome.status.ok()) return outcome;
  }
  outcome.notice = Notice::Information(QString::fromUtf16(batch_texts::kBatchCompleted));
  return outcome;
}

Result<std::unique_ptr<FileLock>> LockUndoLog(FileSystem& fs, const QString& logPath) {
  const QString folder = FolderPart(logPath);
  if (!folder.isEmpty() && !fs.FolderExists(folder)) fs.CreateFolder(folder);
  Result<std::unique_ptr<FileLock>> lock = fs.LockExclusively(UndoLogLockPath(logPath));
  if (!lock.ok() && lock.error().code() == Error::Code::kBusy) {
    return Error(QString::fromUtf16(batch_texts::kAnotherBatchRuns), Error::Code::kBusy);
  }
  return lock;
}

void TouchModifiedTime(FileSystem& fs, const QString& path) {
  (void)fs.SetLastWriteTime(path, QDateTime::currentDateTimeUtc());
}

}  // namespace corvane
