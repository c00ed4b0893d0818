#include "batch/undo_log_writer.h"

#include "batch/undo_log.h"
#include "platform/paths.h"

namespace corvane {

UndoLogWriter::UndoLogWriter(FileSystem& fs, QString logPath)
    : fs_(fs), logPath_(std::move(logPath)), tempPath_(logPath_ + QStringLiteral(".tmp")) {}

UndoLogWriter::~UndoLogWriter() {
  if (file_ && !recorded_) DiscardTemporary();
}

Status UndoLogWriter::Prepare() {
  if (file_) return Status::Ok();
  const QString folder = FolderPart(logPath_);
  if (!folder.isEmpty() && !fs_.FolderExists(folder)) fs_.CreateFolder(folder);
  Result<std::unique_ptr<WritableFile>> file = fs_.NewWritableFile(tempPath_);
  if (!file.ok()) return file.error();
  file_ = std::move(file).value();
  Status s = file_->Append(UndoLogStart());
  if (!s.ok()) DiscardTemporary();
  return s;
}

Status UndoLogWriter::Record(const QString& source, const QString& target) {
  Status s = Prepare();
  if (s.ok()) {
    EncodeUndoLogLine(line_, source, target);
    s = file_->Append(line_);
  }
  if (s.ok() && !recorded_) s = PutInPlace();
  if (s.ok()) recorded_ = true;
  return s;
}

Status UndoLogWriter::Finish(bool batchCompleted) {
  if (!recorded_ && !batchCompleted) {
    if (file_) DiscardTemporary();
    return Status::Ok();
  }
  Status s = Prepare();
  if (s.ok() && !recorded_) s = PutInPlace();
  if (s.ok()) s = file_->Sync();
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
  Result<std::unique_ptr<WritableFile>> file = fs_.NewAppendableFile(logPath_);
  if (!file.ok()) return file.error();
  file_ = std::move(file).value();
  return Status::Ok();
}

void UndoLogWriter::DiscardTemporary() {
  if (file_) (void)file_->Close();
  file_.reset();
  (void)fs_.DeleteFile(tempPath_);
}

}  // namespace corvane
