// Moving the selected rows of a list one place up or down.
//
// Each selected row swaps with the unselected row just above it (up) or just
// below it (down); a selected row with none there (at the edge, or behind
// other selected rows at the edge) stays. The selected rows thus keep their
// order, and so do the unselected ones. Rows outside the list and repeats are
// passed over.
#pragma once

#include <QList>

#include "collect/item_order.h"

namespace corvane {

// The new order of a list of `count` rows (entry i is the row that is to
// stand at i), for RenameItemList::Reorder.
ItemOrder OrderAfterMovingUp(qsizetype count, const QList<qsizetype>& selected);
ItemOrder OrderAfterMovingDown(qsizetype count, const QList<qsizetype>& selected);

// The selected rows taken out and put back together, in their order, just
// before row `target` (count: at the end), as a drag of rows drops them.
ItemOrder OrderAfterMovingTo(qsizetype count, const QList<qsizetype>& selected, qsizetype target);

}  // namespace corvane
