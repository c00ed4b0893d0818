// UndoListing: which lines of an undo log find their new entry, as no folder,
// in one listing of its folder taken before the undo starts, so that those
// lines move the entry back without looking it up first: a lookup of each
// entry would cost the kernel about as much as the move itself.
//
// Only folders that hold the new paths of many lines are listed; for a few
// lines in a large folder, lookups are cheaper. Names are compared as
// FreeNames::NameKey compares them (letter case and Unicode normalisation
// ignored, by a hash): a listed folder, or a link that may lead to one, that
// some file system might take for a line's new entry keeps that line off the
// move at once, and a name that only a lookup can tell never takes it. The
// listing may be out of date by the time a line is undone: an entry gone since
// fails the move, which never replaces anything, and the undo then looks.
#pragma once

#include <QList>

#include <vector>

#include "batch/undo_log.h"
#include "platform/file_system.h"

namespace corvane {

class UndoListing {
 public:
  // New paths of one folder from which that folder is listed.
  static constexpr qsizetype kListFrom = 64;

  UndoListing(FileSystem& fs, const QList<UndoLogEntry>& entries);

  // Whether the listing showed the new entry of entries[line], and as no folder.
  bool ShowsNoFolderAt(qsizetype line) const { return noFolder_[size_t(line)]; }

 private:
  void ListFolder(FileSystem& fs, const QString& folder, const QList<qsizetype>& lines,
                  const QList<UndoLogEntry>& entries);

  std::vector<bool> noFolder_;
};

}  // namespace corvane
