#include "collect/row_moves.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace corvane {
namespace {

std::vector<bool> SelectedFlags(qsizetype count, const QList<qsizetype>& selected) {
  std::vector<bool> flags(size_t(count), false);
  for (const qsizetype row : selected) {
    if (row >= 0 && row < count) flags[size_t(row)] = true;
  }
  return flags;
}

ItemOrder Unmoved(qsizetype count) {
  ItemOrder order(size_t(count), 0);
  std::iota(order.begin(), order.end(), qsizetype(0));
  return order;
}

}  // namespace

// Walking from the top, a selected row meets the unselected row above it
// already in its final place, so one swap per row settles it.
ItemOrder OrderAfterMovingUp(qsizetype count, const QList<qsizetype>& selected) {
  std::vector<bool> flags = SelectedFlags(count, selected);
  ItemOrder order = Unmoved(count);
  for (size_t i = 1; i < size_t(count); ++i) {
    if (flags[i] && !flags[i - 1]) {
      std::swap(order[i], order[i - 1]);
      flags[i - 1] = true;
      flags[i] = false;
    }
  }
  return order;
}

ItemOrder OrderAfterMovingDown(qsizetype count, const QList<qsizetype>& selected) {
  std::vector<bool> flags = SelectedFlags(count, selected);
  ItemOrder order = Unmoved(count);
  for (size_t i = size_t(count); i-- > 1;) {
    if (flags[i - 1] && !flags[i]) {
      std::swap(order[i], order[i - 1]);
      flags[i] = true;
      flags[i - 1] = false;
    }
  }
  return order;
}

ItemOrder OrderAfterMovingTo(qsizetype count, const QList<qsizetype>& selected, qsizetype target) {
  const std::vector<bool> flags = SelectedFlags(count, selected);
  const size_t split = size_t(std::clamp(target, qsizetype(0), count));
  ItemOrder order;
  order.reserve(size_t(count));
  for (size_t i = 0; i < split; ++i) {
    if (!flags[i]) order.push_back(qsizetype(i));
  }
  for (size_t i = 0; i < size_t(count); ++i) {
    if (flags[i]) order.push_back(qsizetype(i));
  }
  for (size_t i = split; i < size_t(count); ++i) {
    if (!flags[i]) order.push_back(qsizetype(i));
  }
  return order;
}

}  // namespace corvane
