// ExecuteBatch: applies the new names of the last preview on disk, renaming
// each file in its folder, or copying or moving it into the destination, with
// the conflict rule of the options, and writes the undo log as it goes.
//
// Nothing is shown: the outcome carries the notice to show (English, for
// Translate), or the error that stopped the batch, and where each renamed or
// moved file now lives, for the caller to write back into its list and rows. Operations performed before a stop stay done and stay in the log,
// so an undo reverses exactly what happened; an operation whose line cannot be
// written to the log is taken back before the batch stops with that error. The batch never deletes or
// replaces the source file itself, whatever the conflict rule.
#pragma once

#include "base/error.h"
#include "base/notice.h"
#include "batch/target_path.h"
#include "engine/rename_item.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"

#include <QList>
#include <QString>

#include <optional>

namespace corvane {

// Item `index` of the batch now lives at `newPath`; AssignPath(item, newPath)
// brings the item up to date. Only the path is carried: a command-line run
// never reads the items again, and copying 100,000 items it throws away would
// cost as much as the batch's own bookkeeping.
struct ItemUpdate {
  qsizetype index;
  QString newPath;
  friend bool operator==(const ItemUpdate&, const ItemUpdate&) = default;
};

struct BatchOutcome {
  Status status;                 // the error that stopped the batch, if any
  std::optional<Notice> notice;  // what to show when it did not fail
  QList<ItemUpdate> updates;     // files renamed or moved, in list order
};

BatchOutcome ExecuteBatch(const QList<TRenameItem>& items, const RenameOptions& options,
                          FileSystem& fs, const QString& logPath);

// Sets the file's last-write time to the present (system clock, UTC); a file
// that cannot be changed is passed over silently.
void TouchModifiedTime(FileSystem& fs, const QString& path);

}  // namespace corvane
