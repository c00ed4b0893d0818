#include "batch/batch_executor.h"

#include <QRandomGenerator>
#include <unordered_set>

#include "batch/batch_files.h"
#include "batch/batch_texts.h"
#include "batch/completed_notice.h"
#include "batch/fate.h"
#include "batch/free_names.h"
#include "batch/numbered_names.h"
#include "batch/operation_queue.h"
#include "batch/undo_log.h"
#include "batch/undo_log_writer.h"
#include "engine/whole_number.h"
#include "platform/paths.h"

namespace corvane {
namespace {

using Kind = OperationQueue::Kind;

using Settings = BatchSettings;

Error FileExistsError() {
  return Error(QString::fromUtf16(EN_TEXT("The specified file already exists")),
               Error::Code::kFileExists);
}

// Plans each item against the disk as it is once the operations before it
// are done, and queues its operation; see batch_executor.h for the rules.
class BatchRun {
 public:
  BatchRun(const QList<TRenameItem>& items, const Settings& settings, FileSystem& fs,
           UndoLogWriter& log, const StopRequest* stop)
      : items_(items),
        s_(settings),
        fs_(fs),
        queue_(fs, log, stop, settings.touch),
        stop_(stop),
        sources_(items, settings, fs),
        entries_(fs),
        freeNames_(fs) {
    if (s_.conflict == ConflictMode::Overwrite) queue_.TrackWrittenTargets();
    queue_.CheckSourcesWith(&freeNames_);
  }

  // Runs every item; `next` tells where it stopped (items before it are done
  // or passed over). A missing preview ends it with `warning` set.
  Status Run(qsizetype& next, std::optional<Notice>& warning);

  OperationQueue& queue() { return queue_; }
  bool stopped() const { return stopped_; }

 private:
  // What stands at a path once the operations waiting in the queue are done.
  enum class Holder {
    kNothing,      // nothing but perhaps a folder
    kTheBatch,     // a file an operation of this batch wrote or is to write
    kAnotherFile,  // any other file (perhaps one the batch wrote before a replan)
  };

  bool Drain(Status& s);
  void Distrust();
  Status Fail(Error error);
  Status Plan(qsizetype index);
  bool HolderOf(const QString& path, Holder& holder, Status& s);
  Status Resolve(qsizetype index, const QString& source, const QString& target, Holder holder);
  Status Numbered(qsizetype index, const QString& source, const QString& target);
  Status Overwrite(qsizetype index, const QString& source, const QString& target);
  Status Queue(qsizetype index, Kind kind, const QString& source, const QString& target);
  Status Enqueue(qsizetype index, Kind kind, const QString& source, const QString& target);
  QString OwnKey(const QString& path);
  bool OwnsTarget(const QString& path);
  Status ChangeCase(qsizetype index, const QString& source, const QString& target);
  QString FreeHiddenPath(const QString& folder);
  bool IsFileOfTheBatch(const QString& path);
  Kind Plain() const { return s_.mode == BatchMode::CopyToFolder ? Kind::kCopy : Kind::kMove; }

  const QList<TRenameItem>& items_;
  const Settings& s_;
  FileSystem& fs_;
  OperationQueue queue_;
  const StopRequest* stop_;
  BatchSources sources_;
  EntryKeys entries_;
  std::unordered_set<EntryKey, EntryKeyHash> written_;  // the entries the batch wrote
  FreeNames freeNames_;
  NumberedNames numberedNames_;
  // The targets of the operations queued since the run began or last planned
  // again that put a file of the batch there, less those a later operation
  // moves away; keyed by OwnKey. Made from ownChanges_ only once a taken
  // name is asked about: a batch whose targets are all free hashes nothing.
  std::unordered_set<QString> ownTargets_;
  struct OwnChange {
    QString path;
    bool taken;  // a file of the batch comes to `path`; else one leaves it
  };
  std::vector<OwnChange> ownChanges_;  // in the order queued, not yet in ownTargets_
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
      Distrust();
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

// Another program changed a file the batch was to take the name of: from
// now on every answer comes from the disk, which holds all the batch did
// (nothing waits after a replan).
void BatchRun::Distrust() {
  freeNames_.Distrust();
  numberedNames_.Forget();
  ownTargets_.clear();
  ownChanges_.clear();
}

Status BatchRun::Plan(qsizetype index) {
  const QString& source = items_[index].OriginalPath;
  Result<QString> joined = BatchTargetPath(s_, source, items_[index].NewName);
  if (!joined.ok()) return Fail(joined.error());
  const QString& target = *joined;
  const bool inPlace = s_.mode == BatchMode::RenameInPlace;
  if (inPlace && target == source) return Status::Ok();

  // The source is checked right before it moves (batch/operation_queue.h).
  Status s;
  Holder holder;
  if (!HolderOf(target, holder, s)) return s;
  if (holder == Holder::kNothing) return Queue(index, Plain(), source, target);
  return Resolve(index, source, target, holder);
}

// Tells what stands at `path` once the waiting operations are done, without
// doing them where the batch's own targets or the disk tell it: a waiting
// operation only ever fills a free name or empties its source's. Only a file
// on disk that a waiting operation moves away, or a name some other waiting
// operation may take, has them done first. False when planning must stop
// (`s` then tells why).
// Leaving them waiting keeps the queue's promise: every line in the log
// names an operation whose target is free when it comes and whose source is
// in place, so a kill at any instant leaves lines the undo can tell done
// from never started. A name another program takes meanwhile makes the move
// (which never replaces) fail; the item is then planned again, and
// Distrust() drops all that this run remembered of names.
bool BatchRun::HolderOf(const QString& path, Holder& holder, Status& s) {
  holder = Holder::kNothing;
  // A name the batch took, or a waiting operation takes, is never certainly free.
  if (freeNames_.CertainlyFree(path)) return true;
  holder = Holder::kTheBatch;
  if (OwnsTarget(path)) return true;
  holder = Holder::kNothing;
  if (queue_.WaitsFor(path) && !Drain(s)) return false;
  if (!IsTaken(fs_.LookUp(path))) return true;
  if (queue_.MovesAway(path)) {
    if (!Drain(s)) return false;
    if (!IsTaken(fs_.LookUp(path))) return true;
  }
  holder = Holder::kAnotherFile;
  return true;
}

// A file takes (or is to take) the target's name. Numbering and skipping
// leave what waits waiting; the other fates perform it all at once.
Status BatchRun::Resolve(qsizetype index, const QString& source, const QString& target,
                         Holder holder) {
  // A name the batch wrote never holds a source: an earlier item found a
  // source's name taken, so it never wrote there.
  const TargetFacts facts{
      true, [&] { return holder != Holder::kTheBatch && fs_.IsSameFile(source, target); },
      [&] { return holder == Holder::kTheBatch || IsFileOfTheBatch(target); }};
  switch (DecideFate(s_, facts)) {
    case Fate::kRenamed:
      return Queue(index, Plain(), source, target);
    case Fate::kCaseChange:
      return ChangeCase(index, source, target);
    case Fate::kNumbered:
      return Numbered(index, source, target);
    case Fate::kSkipped:
      return Status::Ok();
    case Fate::kReplaces:
      return Overwrite(index, source, target);
    case Fate::kCannotBeMade:
      break;
  }
  return Fail(FileExistsError());
}

// The first numbered name free once the waiting operations are done. A
// candidate they might free has them done first; when that stops the batch
// or plans again, the search ends there (the name it returns is not used).
Status BatchRun::Numbered(qsizetype index, const QString& source, const QString& target) {
  Status s = Status::Ok();
  bool planningStops = false;
  const auto taken = [&](const QString& candidate) {
    Holder holder;
    if (planningStops || !HolderOf(candidate, holder, s)) {
      planningStops = true;
      return false;
    }
    return holder != Holder::kNothing;
  };
  Result<QString> numbered = numberedNames_.Next(taken, FolderPart(target), FileNamePart(target));
  if (planningStops) return s;
  if (!numbered.ok()) return Fail(numbered.error());
  return Queue(index, Plain(), source, *numbered);
}

// The file replaced leaves the target's name first, as an operation of its
// own: into the trash, where its volume has one, or aside under a hidden
// name in its folder, to be discarded once the new file stands there. Both
// lines are in the log before either happens, so that the undo brings back
// the replaced file too, and can tell the item's move from one that never
// happened whatever the instant of a kill (batch/undo.h).
Status BatchRun::Overwrite(qsizetype index, const QString& source, const QString& target) {
  Kind away = Kind::kToTrash;
  Result<QString> place = fs_.TrashPlaceFor(target);
  if (!place.ok()) {
    if (place.error().code() != Error::Code::kNotSupported) return place.error();
    away = Kind::kSetAside;
    place = FreeHiddenPath(FolderPart(target));
  }
  Status s = Enqueue(index, away, target, *place);
  if (s.ok()) s = Enqueue(index, Plain(), source, target);
  if (!s.ok()) {
    (void)queue_.Discard();
    return s;
  }
  return queue_.Perform();
}

// Queues an operation whose target is free once what waits is done; a full
// group is done at once, one log sync for all of it.
Status BatchRun::Queue(qsizetype index, Kind kind, const QString& source, const QString& target) {
  if (Status s = Enqueue(index, kind, source, target); !s.ok()) return s;
  return queue_.full() ? queue_.Perform() : Status::Ok();
}

Status BatchRun::Enqueue(qsizetype index, Kind kind, const QString& source, const QString& target) {
  Status s = queue_.Add(index, kind, source, target);
  if (!s.ok()) return s;
  freeNames_.NoteTaken(target);
  if (kind != Kind::kCopy) {
    ownChanges_.push_back({source, false});
    numberedNames_.Freed(source);
  }
  const bool fileOfTheBatch =
      kind == Kind::kMove || kind == Kind::kCopy || kind == Kind::kMoveBackInCase;
  if (fileOfTheBatch) ownChanges_.push_back({target, true});
  return s;
}

bool BatchRun::OwnsTarget(const QString& path) {
  for (const OwnChange& change : ownChanges_) {
    if (change.taken) {
      ownTargets_.insert(OwnKey(change.path));
    } else {
      ownTargets_.erase(OwnKey(change.path));
    }
  }
  ownChanges_.clear();
  return ownTargets_.contains(OwnKey(path));
}

// `path` as its folder's file system tells names apart: folding a name on a
// volume that keeps letter case would call a free name taken, and number an
// item that needs no number.
QString BatchRun::OwnKey(const QString& path) {
  const QStringView folder = FolderView(path);
  if (!entries_.FoldsIn(folder)) return path;
  return folder.toString() + FoldedName(QStringView(path).sliced(folder.size()));
}

// Two logged moves through a temporary name in the same folder: some
// case-insensitive file systems take a rename between two spellings of one
// entry for a rename onto itself and do nothing; and the log names the
// temporary name, so that a kill between the steps leaves nothing hidden.
Status BatchRun::ChangeCase(qsizetype index, const QString& source, const QString& target) {
  const QString temp = FreeHiddenPath(FolderPart(target));
  Status s = Enqueue(index, Kind::kMoveAside, source, temp);
  if (s.ok()) s = Enqueue(index, Kind::kMoveBackInCase, temp, target);
  if (!s.ok()) {
    (void)queue_.Discard();
    return s;
  }
  return queue_.Perform();
}

// A name in `folder` that nothing takes, hidden, for a file on its way.
QString BatchRun::FreeHiddenPath(const QString& folder) {
  QString path;
  do {
    path = folder + QStringLiteral(".corvane-") +
           QString::number(QRandomGenerator::global()->generate64(), 36);
  } while (fs_.LookUp(path) != EntryKind::kNone);
  return path;
}

// Whether the entry at `path` is a file this batch must keep
// (batch/batch_files.h), whatever the spelling of `path`.
bool BatchRun::IsFileOfTheBatch(const QString& path) {
  for (const QString& written : queue_.TakeWritten()) {
    if (std::optional<EntryKey> entry = entries_.Of(written)) written_.insert(*entry);
  }
  const std::optional<EntryKey> entry = entries_.Of(path);
  return entry && (written_.contains(*entry) || sources_.Holds(*entry, path));
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
  outcome.notice = BatchCompletedNotice(logPath);
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
