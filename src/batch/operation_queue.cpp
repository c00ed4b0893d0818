#include "batch/operation_queue.h"

#include <algorithm>

#include "batch/batch_texts.h"
#include "batch/target_path.h"
#include "platform/paths.h"

namespace corvane {

OperationQueue::OperationQueue(FileSystem& fs, UndoLogWriter& log, const StopRequest* stop,
                               bool touch)
    : fs_(fs), log_(log), stop_(stop), touch_(touch) {
  pending_.reserve(kFirstGroupSize + 1);
}

Status OperationQueue::Add(qsizetype item, Kind kind, QString source, QString target) {
  // The file that takes a replaced file's name is logged only once that file
  // has left: a line in the log then always means its target was free, and
  // the undo never has to guess whether the replaced file is still there.
  // Lines after one that waits wait too, so that the log keeps the order of
  // the operations and taking lines back never takes one of a done operation.
  const bool afterAway =
      !pending_.isEmpty() && pending_.last().item == item &&
      (pending_.last().kind == Kind::kToTrash || pending_.last().kind == Kind::kSetAside);
  const bool waits = afterAway || (!pending_.isEmpty() && pending_.last().logStart == kNotLogged);
  qint64 logStart = kNotLogged;
  if (!waits) {
    Result<qint64> start = log_.Add(source, target);
    if (!start.ok()) return start.error();
    logStart = *start;
  }
  pending_.append(Operation{item, kind, std::move(source), std::move(target), logStart, afterAway});
  return Status::Ok();
}

// Logs an operation whose line waited for the replaced file to leave its
// name: that departure is made durable first, so that not even a power cut
// leaves the line in the log with the replaced file still in place.
Status OperationQueue::LogNow(Operation& op) {
  const QString folder = FolderPart(op.target);
  if (op.afterAway) {
    if (Status s = fs_.SyncFolder(folder.isEmpty() ? QStringLiteral(".") : folder); !s.ok()) {
      return s;
    }
  }
  Result<qint64> start = log_.Add(op.source, op.target);
  if (!start.ok()) return start.error();
  op.logStart = *start;
  return log_.Commit();
}

// The paths of the waiting operations are hashed only once someone asks:
// a batch whose targets are all free never does.
void OperationQueue::IndexWaiting() {
  for (; indexed_ < pending_.size(); ++indexed_) {
    const Operation& op = pending_[indexed_];
    pendingTargets_.insert(op.target.toCaseFolded());
    if (op.kind != Kind::kCopy) pendingSources_.insert(op.source.toCaseFolded());
  }
}

bool OperationQueue::WaitsFor(const QString& target) {
  IndexWaiting();
  return !pendingTargets_.isEmpty() && pendingTargets_.contains(target.toCaseFolded());
}

bool OperationQueue::MovesAway(const QString& path) {
  IndexWaiting();
  return !pendingSources_.isEmpty() && pendingSources_.contains(path.toCaseFolded());
}

qsizetype OperationQueue::FirstWaitingItem(qsizetype fallback) const {
  return pending_.isEmpty() ? fallback : pending_.first().item;
}

namespace {

// Whether the operation moves or copies its item's source, which must be a
// file or a link when it goes.
bool TakesItemsSource(OperationQueue::Kind kind) {
  using Kind = OperationQueue::Kind;
  return kind == Kind::kMove || kind == Kind::kCopy || kind == Kind::kMoveAside;
}

}  // namespace

// The folders whose entries the waiting operations change; a group has few.
QStringList OperationQueue::FoldersChanged() const {
  QStringList folders;
  const auto note = [&folders](QStringView path) {
    const QStringView folder = FolderView(path);
    if (std::none_of(folders.cbegin(), folders.cend(),
                     [folder](const QString& known) { return known == folder; })) {
      folders.append(folder.toString());
    }
  };
  for (const Operation& op : pending_) {
    note(op.source);
    note(op.target);
  }
  return folders;
}

Status OperationQueue::Perform() {
  if (pending_.isEmpty()) return Status::Ok();
  if (Status s = log_.Commit(); !s.ok()) return StopAt(0, s);
  if (listings_ == nullptr) return PerformWaiting();
  const QStringList folders = FoldersChanged();
  for (const QString& folder : folders) listings_->ConfirmBeforeChanges(folder);
  const Status s = PerformWaiting();
  for (const QString& folder : folders) listings_->StampAfterChanges(folder);
  return s;
}

Status OperationQueue::CheckSource(const Operation& op) {
  if (!TakesItemsSource(op.kind) || (listings_ && listings_->ListedAsFile(op.source))) {
    return Status::Ok();
  }
  const EntryKind kind = fs_.LookUp(op.source);
  if (kind == EntryKind::kNone) return MissingFileError(fs_, op.source);
  if (kind == EntryKind::kFolder || kind == EntryKind::kOther) {
    return Error(QString::fromUtf16(batch_texts::kNotAFile), {op.source}, Error::Code::kGeneric);
  }
  return Status::Ok();
}

Status OperationQueue::PerformWaiting() {
  for (qsizetype k = 0; k < pending_.size(); ++k) {
    Operation& op = pending_[k];
    const bool itemStarts = k == 0 || pending_[k - 1].item != op.item;
    if (itemStarts && stop_ && stop_->requested()) {
      stopped_ = op.item;
      return StopAt(k, Status::Ok());
    }
    Status s = op.logStart == kNotLogged ? LogNow(op) : Status::Ok();
    if (s.ok()) s = CheckSource(op);
    if (s.ok()) s = Do(op);
    if (s.ok()) {
      Done(k);
      continue;
    }
    // The item's operations done so far go back, and their lines with them;
    // one that cannot go back keeps its line for the undo.
    qsizetype undoneFrom = k;
    while (undoneFrom > 0 && pending_[undoneFrom - 1].item == op.item &&
           Revert(pending_[undoneFrom - 1]).ok()) {
      --undoneFrom;
    }
    if (undoneFrom > 0 && pending_[undoneFrom - 1].item == op.item) anythingDone_ = true;
    const bool takenMeanwhile =
        s.error().code() == Error::Code::kFileExists && IsTaken(fs_.LookUp(op.target));
    if (takenMeanwhile) {
      replanFrom_ = pending_[undoneFrom].item;
      return StopAt(undoneFrom, Status::Ok());
    }
    return StopAt(undoneFrom, s);
  }
  if (full()) groupSize_ = std::min(2 * groupSize_, kLargestGroupSize);
  ClearPending();
  return Status::Ok();
}

void OperationQueue::ClearPending() {
  pending_.clear();
  pendingTargets_.clear();
  pendingSources_.clear();
  indexed_ = 0;
}

Status OperationQueue::Discard() { return pending_.isEmpty() ? Status::Ok() : StopAt(0, {}); }

Status OperationQueue::StopAt(qsizetype index, Status why) {
  Status takenBack = Status::Ok();
  while (index < pending_.size() && pending_[index].logStart == kNotLogged) ++index;
  if (index < pending_.size()) takenBack = log_.TakeBackFrom(pending_[index].logStart);
  ClearPending();
  return why.ok() ? takenBack : why;
}

Status OperationQueue::Do(const Operation& op) {
  switch (op.kind) {
    case Kind::kMove:
    case Kind::kMoveAside:
    case Kind::kMoveBackInCase:
    case Kind::kSetAside:
      return fs_.MoveFile(op.source, op.target);
    case Kind::kToTrash:
      // A trash that cannot take the file stops the batch rather than
      // destroy it.
      return fs_.MoveToTrash(op.source, op.target);
    case Kind::kCopy:
      return fs_.CopyFile(op.source, op.target, Replace::kNever);
  }
  return Status::Ok();
}

// Moves a file back where the operation found it.
Status OperationQueue::Revert(const Operation& op) {
  if (op.kind == Kind::kCopy) return fs_.DeleteFile(op.target);
  Status s = fs_.MoveFile(op.target, op.source);
  if (s.ok() && op.kind == Kind::kToTrash) {
    if (std::optional<QString> record = TrashRecordFor(op.target)) (void)fs_.DeleteFile(*record);
  }
  return s;
}

void OperationQueue::Done(qsizetype index) {
  // An item's first steps count once the item is done.
  const Operation& op = pending_[index];
  if (op.kind == Kind::kMoveAside || op.kind == Kind::kToTrash || op.kind == Kind::kSetAside) {
    return;
  }
  anythingDone_ = true;
  // The replaced file set aside goes once the new one stands in its place; one
  // that cannot go stays under its hidden name, which the log names.
  if (index > 0 && pending_[index - 1].kind == Kind::kSetAside &&
      pending_[index - 1].item == op.item) {
    (void)fs_.DiscardReplaced(pending_[index - 1].target);
  }
  if (trackWritten_) written_.append(op.target);
  const bool moved = op.kind != Kind::kCopy;
  if (moved) updates_.append({op.item, op.target});
  if (touch_) TouchModifiedTime(fs_, op.target);
  if (progress_) progress_->Advanced(op.item + 1, total_);
}

}  // namespace corvane
