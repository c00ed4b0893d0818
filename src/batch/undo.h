// UndoLastRename: reverses the batch recorded in the undo log, newest
// operation first, then deletes the log.
//
// For each logged line whose new file still exists, the old folder is created,
// a file at the old path is deleted and the file moves back. A failed step
// stops the undo with its error and keeps the log; lines already undone find no
// file at their new path next time, so a repeated undo completes without
// moving any file twice. Nothing is shown: the outcome carries the notice, and
// clearList tells the caller to empty its list (after a completed undo only).
#pragma once

#include "base/error.h"
#include "base/notice.h"
#include "platform/file_system.h"

#include <QString>

#include <optional>

namespace corvane {

struct UndoOutcome {
  Status status;
  std::optional<Notice> notice;
  bool clearList = false;
};

UndoOutcome UndoLastRename(FileSystem& fs, const QString& logPath);

}  // namespace corvane
