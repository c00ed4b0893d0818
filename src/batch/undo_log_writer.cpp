#include "batch/undo_log_writer.h"

#include "batch/undo_log.h"
#include "platform/paths.h"

namespace corvane {

UndoLogWriter::UndoLogWriter(FileSystem& fs, QString logPath)
    : fs_(fs), logPath_(std::move(logPath)), tempPath_(logPath_ + QStringLiteral(".tmp")) {}

UndoLogWriter::~UndoLogWriter() {
  if (file_ && !inPlace_) DiscardTemporary();
}

// Writes the start of the new log beside the earlier one, which stays as it
// is until the first commit.
Status UndoLogWriter::Start() {
  if (file_) return Status::Ok();
  if (inPlace_) return broken_;
  const QString folder = FolderPart(logPath_);
  if (!folder.isEmpty() && !fs_.FolderExists(folder)) fs_.CreateFolder(folder);
  if (fs_.FileExists(logPath_)) {
    Result<QByteArray> earlier = fs_.ReadFile(logPath_);
    if (!earlier.ok()) return earlier.error();
    earlierLog_ = std::move(earlier).value();
  }
  Result<std::unique_ptr<WritableFile>> file = fs_.NewWritableFile(tempPath_);
  if (!file.ok()) return file.error();
  file_ = std::move(file).value();
  const QByteArray start = UndoLogStart();
  Status s = file_->Append(start);
  if (!s.ok()) {
    DiscardTemporary();
    return s;
  }
  size_ = start.size();
  return Status::Ok();
}

Result<qint64> UndoLogWriter::Add(const QString& source, const QString& target) {
  if (Status s = Start(); !s.ok()) return s.error();
  EncodeUndoLogLine(line_, source, target);
  if (Status s = file_->Append(line_); !s.ok()) return s.error();
  const qint64 before = size_;
  size_ += line_.size();
  return before;
}

Status UndoLogWriter::Commit() {
  if (Status s = Start(); !s.ok()) return s;
  if (Status s = file_->Sync(); !s.ok()) return s;
  return inPlace_ ? Status::Ok() : PutInPlace();
}

Status UndoLogWriter::TakeBackFrom(qint64 offset) {
  if (!file_ || offset >= size_) return Status::Ok();
  if (Status s = file_->TruncateTo(offset); !s.ok()) return s;
  size_ = offset;
  return Status::Ok();
}

Status UndoLogWriter::Finish(bool batchCompleted, bool anythingDone) {
  if (!batchCompleted && !anythingDone) {
    if (!inPlace_) {
      if (file_) DiscardTemporary();
      return Status::Ok();
    }
    // The new log replaced the earlier one ahead of an operation that then
    // did not happen: the earlier batch is still the last one done.
    if (file_) (void)file_->Close();
    file_.reset();
    if (!earlierLog_) return fs_.DeleteFile(logPath_);
    Result<std::unique_ptr<WritableFile>> file = fs_.NewWritableFile(tempPath_);
    if (!file.ok()) return file.error();
    Status s = (*file)->Append(*earlierLog_);
    if (s.ok()) s = (*file)->Sync();
    if (s.ok()) s = (*file)->Close();
    if (s.ok()) s = fs_.ReplaceFile(tempPath_, logPath_);
    if (!s.ok()) (void)fs_.DeleteFile(tempPath_);
    return s;
  }
  Status s = Commit();
  if (s.ok()) s = file_->Close();
  file_.reset();
  return s;
}

// The temporary log is closed and renamed over the earlier log, then opened
// again at its end; renaming a file that is open is not allowed everywhere.
Status UndoLogWriter::PutInPlace() {
  Status s = file_->Close();
  file_.reset();
  if (s.ok()) s = fs_.ReplaceFile(tempPath_, logPath_);
  if (!s.ok()) {
    (void)fs_.DeleteFile(tempPath_);
    return s;
  }
  inPlace_ = true;
  const QString folder = FolderPart(logPath_);
  s = fs_.SyncFolder(folder.isEmpty() ? QStringLiteral(".") : folder);
  if (s.ok()) {
    Result<std::unique_ptr<WritableFile>> file = fs_.NewAppendableFile(logPath_);
    if (file.ok()) file_ = std::move(file).value();
    s = file.status();
  }
  // A log in place that cannot be written any more stays broken: starting
  // another one would put a second log beside it.
  if (!s.ok()) broken_ = s;
  return s;
}

void UndoLogWriter::DiscardTemporary() {
  if (file_) (void)file_->Close();
  file_.reset();
  (void)fs_.DeleteFile(tempPath_);
}

}  // namespace corvane
