#include "batch/operation_queue.h"

#include <algorithm>

#include "batch/target_path.h"

namespace corvane {

OperationQueue::OperationQueue(FileSystem& fs, UndoLogWriter& log, const StopRequest* stop,
                               bool touch)
    : fs_(fs), log_(log), stop_(stop), touch_(touch) {
  pending_.reserve(kFirstGroupSize + 1);
}

Status OperationQueue::Add(qsizetype item, Kind kind, QString source, QString target) {
  Result<qint64> start = log_.Add(source, target);
  if (!start.ok()) return start.error();
  pendingTargets_.insert(target.toCaseFolded());
  pending_.append(Operation{item, kind, std::move(source), std::move(target), *start});
  return Status::Ok();
}

bool OperationQueue::WaitsFor(const QString& target) const {
  return !pendingTargets_.isEmpty() && pendingTargets_.contains(target.toCaseFolded());
}

qsizetype OperationQueue::FirstWaitingItem(qsizetype fallback) const {
  return pending_.isEmpty() ? fallback : pending_.first().item;
}

Status OperationQueue::Perform() {
  if (pending_.isEmpty()) return Status::Ok();
  if (Status s = log_.Commit(); !s.ok()) return StopAt(0, s);
  for (qsizetype k = 0; k < pending_.size(); ++k) {
    if (stop_ && stop_->requested()) {
      stopped_ = pending_[k].item;
      return StopAt(k, Status::Ok());
    }
    const Operation& op = pending_[k];
    const Status s = Do(op);
    if (s.ok()) {
      Done(op);
      continue;
    }
    qsizetype undoneFrom = k;
    // A case-only rename never stops half-way: the file leaves the temporary
    // name again, and neither step stays in the log.
    if (op.kind == Kind::kMoveBackInCase && k > 0 &&
        fs_.MoveFile(op.source, pending_[k - 1].source).ok()) {
      undoneFrom = k - 1;
    }
    const bool takenMeanwhile =
        s.error().code() == Error::Code::kFileExists && IsTaken(fs_.LookUp(op.target));
    if (takenMeanwhile) {
      replanFrom_ = pending_[undoneFrom].item;
      return StopAt(undoneFrom, Status::Ok());
    }
    return StopAt(undoneFrom, s);
  }
  if (full()) groupSize_ = std::min(2 * groupSize_, kLargestGroupSize);
  pending_.clear();
  pendingTargets_.clear();
  return Status::Ok();
}

Status OperationQueue::Discard() { return pending_.isEmpty() ? Status::Ok() : StopAt(0, {}); }

Status OperationQueue::StopAt(qsizetype index, Status why) {
  Status takenBack = Status::Ok();
  if (index < pending_.size()) takenBack = log_.TakeBackFrom(pending_[index].logStart);
  pending_.clear();
  pendingTargets_.clear();
  return why.ok() ? takenBack : why;
}

Status OperationQueue::Do(const Operation& op) {
  switch (op.kind) {
    case Kind::kMove:
    case Kind::kMoveAside:
    case Kind::kMoveBackInCase:
      return fs_.MoveFile(op.source, op.target);
    case Kind::kCopy:
      return fs_.CopyFile(op.source, op.target, Replace::kNever);
    case Kind::kMoveReplacing:
      return fs_.ReplaceFile(op.source, op.target);
    case Kind::kCopyReplacing:
      return fs_.CopyFile(op.source, op.target, Replace::kAtomically);
  }
  return Status::Ok();
}

void OperationQueue::Done(const Operation& op) {
  anythingDone_ = true;
  if (op.kind == Kind::kMoveAside) return;
  if (trackProduced_) produced_.insert(op.target);
  const bool moved = op.kind != Kind::kCopy && op.kind != Kind::kCopyReplacing;
  if (moved) updates_.append({op.item, op.target});
  if (touch_) TouchModifiedTime(fs_, op.target);
  if (progress_) progress_->Advanced(op.item + 1, total_);
}

}  // namespace corvane
