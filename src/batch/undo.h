// UndoLastRename: reverses the batch recorded in the undo log, newest
// operation first, then deletes the log.
//
// For each logged line whose new entry (a file, or a link whatever it points
// to) still exists, the old folder is created and the entry moves back; a
// file that was in the trash loses its record there, and a file that the
// trash holds under its place by now but that is not the line's (its record
// names another path) is left alone. A file standing at the old path is
// never destroyed: when it holds exactly the bytes coming back (the source of
// a copy, or a line logged ahead of a move that never happened), the copy at
// the new path is removed instead; otherwise the undo stops at that line
// naming the file. A failed step stops the undo with its error and keeps the
// log; lines already undone find no file at their new path next time, so a
// repeated undo completes without moving any file twice (entries are
// compared by folder identity, so a folder reached under two spellings is
// one). A partial copy left by a killed batch is removed. Nothing is shown:
// the outcome carries the notice, and clearList tells the caller to empty
// its list (after a completed undo only).
//
// A stop request ends the undo between two lines: the lines already undone
// are cut off the log, which keeps the others, so that the next undo takes
// back exactly what is left.
#pragma once

#include <QString>
#include <optional>

#include "base/error.h"
#include "base/notice.h"
#include "base/progress_report.h"
#include "base/stop_request.h"
#include "platform/file_system.h"

namespace corvane {

struct UndoOutcome {
  Status status;
  std::optional<Notice> notice;
  bool clearList = false;
  bool stopped = false;  // a stop request ended it (the notice says where)
};

// `stop`, when given, is polled before each line: a request ends the undo
// with a notice of how many of the log's lines were undone. `progress`, when
// given, hears after each line how many of the log's lines are through.
UndoOutcome UndoLastRename(FileSystem& fs, const QString& logPath,
                           const StopRequest* stop = nullptr, ProgressReport* progress = nullptr);

}  // namespace corvane
