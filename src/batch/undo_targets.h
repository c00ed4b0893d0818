// UndoneTargets: the new paths of the lines an undo has taken back since its
// log was last cut, for telling whether an older line puts a file where an
// undone one took it away (a swap, a chain): then the log must be cut first,
// or a repeated undo would take that file away again.
//
// Entries are compared as the undo has always compared them: letter case is
// ignored everywhere (a cut too many costs a sync, one too few a file moved
// twice), and the folder is known by identity where it exists, so that a
// folder reached under two spellings is one; elsewhere by the path's text.
// Most logs put no file where another line took one (a rename in place of
// name_1 to new_1, ...): a look at the names alone, ahead of the undo, leaves
// such lines out of the comparison, so that they cost nothing per line.
#pragma once

#include <QList>

#include <unordered_set>
#include <vector>

#include "batch/batch_files.h"
#include "batch/undo_log.h"
#include "platform/file_system.h"

namespace corvane {

class UndoneTargets {
 public:
  // `fs` and `entries` must outlive this.
  UndoneTargets(FileSystem& fs, const QList<UndoLogEntry>& entries);

  // Whether undoing entries[line] puts a file where a line undone since the
  // last cut took one away.
  bool PutsBack(qsizetype line);
  // entries[line] is undone.
  void Undone(qsizetype line);
  // The log was cut after the lines undone so far.
  void Cut() { targets_.clear(); }

 private:
  const QList<UndoLogEntry>& entries_;
  EntryKeys keys_;
  std::unordered_set<EntryKey, EntryKeyHash> targets_;
  // Per line: whether its old path, or its new path, shares a name with some
  // line's path of the other side; only those are compared.
  std::vector<bool> oldMayMeet_;
  std::vector<bool> newMayMeet_;
};

}  // namespace corvane
