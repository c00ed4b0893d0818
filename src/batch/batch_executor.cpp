#include "batch/batch_executor.h"

#include "batch/batch_texts.h"
#include "batch/undo_log.h"
#include "batch/undo_log_writer.h"
#include "engine/whole_number.h"
#include "platform/paths.h"

namespace corvane {
namespace {

enum class Action { kPassOver, kMove, kCopy, kRenameSameFile };

struct Plan {
  Action action = Action::kPassOver;
  QString target;
  bool deleteTarget = false;
  // A move is tried before anyone looks at the target: the move never
  // replaces a file, and when it finds the target taken the conflict rule is
  // applied then. That saves a lookup per file where names are free.
  bool conflictUnchecked = false;
};

struct Settings {
  BatchMode mode;
  std::optional<ConflictMode> conflict;
  QString destination;
  bool touch;
};

Error FileExistsError() {
  return Error(QStringLiteral("The specified file already exists"), Error::Code::kFileExists);
}

// The conflict step, given that a file exists at `target`.
Result<Plan> PlanConflict(FileSystem& fs, const Settings& s, const QString& source,
                          const QString& target, Action operation) {
  if (fs.IsSameFile(source, target)) {
    // The target is the source under another spelling (in place, that is a
    // case change on a case-insensitive file system) or a copy or move into
    // the file's own folder. Nothing may delete it.
    if (s.mode == BatchMode::RenameInPlace) return Plan{Action::kRenameSameFile, target};
    if (s.conflict == ConflictMode::AutoNumber) {
      return Plan{operation, UniqueTargetPath(fs, FolderPart(target), FileNamePart(target))};
    }
    if (!s.conflict) return FileExistsError();
    return Plan{};
  }
  if (!s.conflict) return FileExistsError();
  switch (*s.conflict) {
    case ConflictMode::Skip:
      return Plan{};
    case ConflictMode::Overwrite:
      return Plan{operation, target, true};
    case ConflictMode::AutoNumber:
      return Plan{operation, UniqueTargetPath(fs, FolderPart(target), FileNamePart(target))};
  }
  return Plan{};
}

Result<Plan> PlanItem(FileSystem& fs, const Settings& s, const TRenameItem& item) {
  const QString& source = item.OriginalPath;
  // The log could not hold such a path exactly, and the undo would miss it.
  if (!LogCanHoldPath(source)) {
    return Error(QStringLiteral("Invalid characters in path"), Error::Code::kInvalidPath);
  }
  const bool inPlace = s.mode == BatchMode::RenameInPlace;
  Result<QString> target =
      JoinTargetPath(inPlace ? FolderView(source) : QStringView(s.destination), item.NewName);
  if (!target.ok()) return target.error();
  if (inPlace && *target == source) return Plan{};
  if (s.mode != BatchMode::CopyToFolder) return Plan{Action::kMove, *target, false, true};
  const Action operation = Action::kCopy;
  if (!fs.FileExists(*target)) return Plan{operation, *target};
  return PlanConflict(fs, s, source, *target, operation);
}

Status Perform(FileSystem& fs, const QString& source, const Plan& plan) {
  if (plan.deleteTarget) {
    if (Status s = fs.DeleteFile(plan.target); !s.ok()) return s;
  }
  switch (plan.action) {
    case Action::kMove:
      return fs.MoveFile(source, plan.target);
    case Action::kCopy:
      return fs.CopyFile(source, plan.target);
    case Action::kRenameSameFile:
      return fs.RenameSameFile(source, plan.target);
    case Action::kPassOver:
      break;
  }
  return Status::Ok();
}

// Whether an optimistic move failed only because a file holds its target.
// A folder there is no conflict: the move's own error stands.
bool TargetTurnedOutTaken(FileSystem& fs, const Plan& plan, const Status& moved) {
  return plan.conflictUnchecked && !moved.ok() &&
         moved.error().code() == Error::Code::kFileExists && fs.FileExists(plan.target);
}

// Takes one operation back, for when its log line could not be written: an
// operation the log does not hold could never be undone.
Status Reverse(FileSystem& fs, const QString& source, const Plan& plan) {
  switch (plan.action) {
    case Action::kMove:
      return fs.MoveFile(plan.target, source);
    case Action::kCopy:
      return fs.DeleteFile(plan.target);
    case Action::kRenameSameFile:
      return fs.RenameSameFile(plan.target, source);
    case Action::kPassOver:
      break;
  }
  return Status::Ok();
}

// Ends a stopped batch: the log keeps what was performed.
BatchOutcome Stop(BatchOutcome outcome, UndoLogWriter& log, Status why,
                  std::optional<Notice> notice = std::nullopt) {
  Status logStatus = log.Finish(false);
  outcome.status = why.ok() ? logStatus : why;
  outcome.notice = std::move(notice);
  return outcome;
}

}  // namespace

BatchOutcome ExecuteBatch(const QList<TRenameItem>& items, const RenameOptions& options,
                          FileSystem& fs, const QString& logPath) {
  BatchOutcome outcome;
  const std::optional<BatchMode> mode = SelectedBatchMode(options.batchMode);
  if (!mode) {
    outcome.notice = Notice::Warning(QString::fromUtf16(batch_texts::kSelectBatchMode));
    return outcome;
  }
  const Settings settings{*mode, SelectedConflictMode(options.conflict),
                          TrimControl(options.destination), options.touchModifiedNow};
  if (*mode != BatchMode::RenameInPlace) {
    if (settings.destination.isEmpty()) {
      outcome.notice = Notice::Warning(QString::fromUtf16(batch_texts::kSelectDestination));
      return outcome;
    }
    // When this fails the first copy or move reports the missing folder.
    if (!fs.FolderExists(settings.destination)) fs.CreateFolder(settings.destination);
  }

  UndoLogWriter log(fs, logPath);
  if (*mode != BatchMode::CopyToFolder) outcome.updates.reserve(items.size());
  for (qsizetype i = 0; i < items.size(); ++i) {
    const TRenameItem& item = items[i];
    if (item.NewName.isEmpty()) {
      return Stop(std::move(outcome), log, Status::Ok(),
                  Notice::Warning(QString::fromUtf16(batch_texts::kBuildPreviewFirst)));
    }
    Result<Plan> plan = PlanItem(fs, settings, item);
    if (!plan.ok()) return Stop(std::move(outcome), log, plan.error());
    if (plan->action == Action::kPassOver) continue;
    Status s = log.Prepare();
    if (s.ok()) s = Perform(fs, item.OriginalPath, *plan);
    if (TargetTurnedOutTaken(fs, *plan, s)) {
      plan = PlanConflict(fs, settings, item.OriginalPath, plan->target, plan->action);
      if (!plan.ok()) return Stop(std::move(outcome), log, plan.error());
      if (plan->action == Action::kPassOver) continue;
      s = Perform(fs, item.OriginalPath, *plan);
    }
    if (!s.ok()) return Stop(std::move(outcome), log, s);
    if (*mode != BatchMode::CopyToFolder) outcome.updates.append({i, plan->target});
    s = log.Record(item.OriginalPath, plan->target);
    if (!s.ok()) {
      if (Reverse(fs, item.OriginalPath, *plan).ok() && *mode != BatchMode::CopyToFolder) {
        outcome.updates.removeLast();
      }
      return Stop(std::move(outcome), log, s);
    }
    if (settings.touch) TouchModifiedTime(fs, plan->target);
  }
  if (!items.isEmpty()) {
    outcome.status = log.Finish(true);
    if (!outcome.status.ok()) return outcome;
  }
  outcome.notice = Notice::Information(QString::fromUtf16(batch_texts::kBatchCompleted));
  return outcome;
}

void TouchModifiedTime(FileSystem& fs, const QString& path) {
  (void)fs.SetLastWriteTime(path, QDateTime::currentDateTimeUtc());
}

}  // namespace corvane
