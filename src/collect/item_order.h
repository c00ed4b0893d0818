// The orders the item list can be put in, which `{counter}` then numbers by.
//
// Each gives a permutation of the list (ItemOrder: entry i is the index of
// the item that is to stand at row i) for RenameItemList::Reorder. Sorts are
// stable: items with equal keys keep their order among themselves.
//
// By name: the file names in the natural order of `locale` (digits as
// numbers, "IMG_2" before "IMG_10", letter case ignored; English for the C
// locale), equal names by their whole paths. By date modified, date taken and size: ascending, as
// read when the files were added. Reversed: the current order backwards.
#pragma once

#include <QDateTime>
#include <QList>
#include <QLocale>

#include <functional>
#include <optional>
#include <vector>

#include "base/progress_report.h"
#include "base/stop_request.h"
#include "engine/engine_context.h"
#include "engine/preview.h"
#include "engine/rename_item.h"

namespace corvane {

class RenameItemList;

enum class ListOrder { kByName, kByDateModified, kByDateTaken, kBySize, kReversed };

using ItemOrder = std::vector<qsizetype>;

// When a photo was taken, for the sort by date taken.
using DateTakenOf = std::function<QDateTime(const TRenameItem&)>;

// The modified time: the date taken of a file that records none.
QDateTime ModifiedTimeOf(const TRenameItem& item);

struct OrderKeys {
  QLocale locale;
  DateTakenOf dateTaken = &ModifiedTimeOf;
};

ItemOrder OrderOfItems(const QList<TRenameItem>& items, ListOrder order, const OrderKeys& keys);

// Puts `list` in `order`.
void SortItems(RenameItemList& list, ListOrder order, const OrderKeys& keys);

// The dates taken of the items not read before, for
// RenameItemList::KeepTakenTimes; nullopt when `stop` was requested first.
// `stop` and `progress` may be null.
std::optional<QList<TakenTimeRead>> ReadMissingTakenTimes(const QList<TRenameItem>& items,
                                                          const EngineContext& context,
                                                          const StopRequest* stop,
                                                          ProgressReport* progress);

// The order the window and the terminal put `list` in: names in the natural
// order of `locale`; dates taken read once into the items (a sort by date
// taken reads every file that has not been read), a file without one taking
// its modified time in the context's zone.
ItemOrder OrderOfList(RenameItemList& list, ListOrder order, const QLocale& locale,
                      const EngineContext& context);

}  // namespace corvane
