#include "collect/item_list.h"

#include <algorithm>
#include <vector>

#include "platform/paths.h"

namespace corvane {

RenameItemList::RenameItemList(PathRule rule)
    : index_(rule == PathRule::kWindows ? &PathTextHashWindowsRule : &PathTextHash,
             rule == PathRule::kWindows ? &SamePathTextWindowsRule : &SamePathText) {}

void RenameItemList::Append(TRenameItem item) {
  index_.Add(item.OriginalPath);
  items_.append(std::move(item));
}

void RenameItemList::Replace(qsizetype index, TRenameItem item) {
  TRenameItem& slot = items_[index];
  index_.Remove(slot.OriginalPath);
  index_.Add(item.OriginalPath);
  slot = std::move(item);
}

void RenameItemList::RemoveAt(qsizetype index) {
  index_.Remove(items_.at(index).OriginalPath);
  items_.removeAt(index);
}

void RenameItemList::RemoveIndices(QList<qsizetype> indices) {
  // One compaction pass instead of removing one index after another: removing
  // thousands of selected rows from a long list would otherwise move the tail
  // once per row.
  std::vector<bool> doomed(size_t(items_.size()), false);
  bool any = false;
  for (const qsizetype index : indices) {
    if (index < 0 || index >= items_.size()) continue;
    doomed[size_t(index)] = true;
    any = true;
  }
  if (!any) return;
  qsizetype kept = 0;
  for (qsizetype i = 0; i < items_.size(); ++i) {
    if (doomed[size_t(i)]) {
      index_.Remove(items_.at(i).OriginalPath);
    } else {
      if (kept != i) items_[kept] = std::move(items_[i]);
      ++kept;
    }
  }
  items_.resize(kept);
}

void RenameItemList::Clear() {
  items_.clear();
  index_.Clear();
}

void RenameItemList::Reorder(const std::vector<qsizetype>& order) {
  Q_ASSERT(qsizetype(order.size()) == items_.size());
  QList<TRenameItem> reordered;
  reordered.reserve(items_.size());
  for (const qsizetype from : order) reordered.append(std::move(items_[from]));
  items_ = std::move(reordered);
}

void RenameItemList::Reserve(qsizetype total) {
  if (total > items_.capacity()) items_.reserve(std::max(total, 2 * items_.capacity()));
  index_.Reserve(total);
}

bool RenameItemList::IsFileInList(const QString& path) const { return index_.Contains(path); }

void RenameItemList::SetNewNames(const QStringList& names) {
  const qsizetype n = std::min(items_.size(), names.size());
  for (qsizetype i = 0; i < n; ++i) items_[i].NewName = names.at(i);
}

void RenameItemList::SetNewNames(QStringList&& names) {
  const qsizetype n = std::min(items_.size(), names.size());
  for (qsizetype i = 0; i < n; ++i) items_[i].NewName.swap(names[i]);
}

void RenameItemList::KeepTakenTimes(const QList<TakenTimeRead>& read) {
  for (const TakenTimeRead& taken : read) {
    if (taken.row >= 0 && taken.row < items_.size()) items_[taken.row].TakenLocal = taken.local;
  }
}

}  // namespace corvane
