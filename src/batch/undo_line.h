// UndoLine: takes back one line of the undo log, by the rules of
// batch/undo.h, in as few system calls as the line allows.
//
// The common line, whose new entry stands where the log says and whose old
// path is free, costs one move: it is made first, and the lookups that the
// rules need are made only to explain a failure. The move never replaces, so
// a file put at the old path meanwhile is never lost, however late it came.
#pragma once

#include "base/error.h"
#include "batch/undo_log.h"
#include "platform/file_system.h"

namespace corvane {

// What is known of the line's new entry before it is undone.
enum class NewEntry {
  kUnknown,         // to be looked up
  kListedNoFolder,  // a listing showed it, and as no folder (batch/undo_listing.h)
};

Status UndoLine(FileSystem& fs, const UndoLogEntry& entry, NewEntry known);

}  // namespace corvane
