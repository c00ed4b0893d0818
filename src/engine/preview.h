// The preview: every item's new name, computed from one set of options.
//
// BuildPreview is the only producer of new names. It reads the counter start
// (default 1) and the digits (default 3, limited to 1..10) once, then gives
// item i the counter start + i and computes its name with one NewNameBuilder,
// in list order. It changes no item itself: the caller stores newNames in the
// items (and may refresh just the rows in changedRows). When the options
// cannot be used (an invalid expression), or the find expression is too
// complex for one item's name (NewNameBuilder::Compute), the Error is returned
// and no name is produced, so the caller changes nothing.
#pragma once

#include "base/error.h"
#include "base/notice.h"
#include "engine/engine_context.h"
#include "engine/rename_item.h"
#include "engine/rename_options.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace corvane {

// The decimal text of start + index, computed in 64 bits and written in full,
// with zeros added after the sign until there are at least `digits` digits:
// (-5, 0, 3) gives -005 and (1234, 0, 3) gives 1234.
QString FormatCounter(int64_t start, int64_t index, int digits);

struct TakenTimeRead {
  qsizetype row = 0;
  QDateTime local;
};

struct PreviewOutcome {
  // "No files loaded. Add files first." (information) for an empty list, to be
  // shown through Translate; otherwise empty.
  std::optional<Notice> notice;
  // One new name per item, in list order (empty with the notice).
  QStringList newNames;
  // The indices, ascending, whose new name differs from the item's NewName
  // before the preview: the rows a list view has to redraw.
  QList<qsizetype> changedRows;
  // Some name depends on an item's Size, CreatedUtc or ModifiedUtc.
  bool usedSizesOrTimes = false;
  // The dates taken read from files for items that held none, by row (an
  // invalid time for a file without one): the caller keeps them in its items
  // (RenameItemList::KeepTakenTimes), so that the next preview reads none.
  QList<TakenTimeRead> takenTimesRead;
};

Result<PreviewOutcome> BuildPreview(const QList<TRenameItem>& items, const RenameOptions& options,
                                    const EngineContext& context);

}  // namespace corvane
