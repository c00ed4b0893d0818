// VerdictGroups: the items of a batch split into groups whose verdicts do
// not depend on each other, so that they can be judged on several threads.
//
// An item affects another only through a path that both touch, and every
// path a rename in place touches lies in its source's folder, unless its new
// name holds a folder delimiter: the groups are the folders then. Any other
// batch makes one group of all the items.
#pragma once

#include <QList>

#include <vector>

#include "batch/target_path.h"
#include "engine/rename_item.h"

namespace corvane {

using ItemGroups = std::vector<std::vector<qsizetype>>;

// Below this many items a second thread costs more than it saves.
inline constexpr qsizetype kSplitFrom = 1024;

// Each group lists item indexes in ascending order; together they list every
// item once. The new names are not read: a caller that finds a new name
// holding a folder delimiter in a rename in place must judge OneGroup instead.
ItemGroups VerdictGroups(const QList<TRenameItem>& items, const BatchSettings& settings);

// Every item, in one group.
ItemGroups OneGroup(qsizetype count);

}  // namespace corvane
