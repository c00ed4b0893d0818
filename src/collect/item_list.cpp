#include "collect/item_list.h"

#include <algorithm>
#include <vector>

#include "platform/paths.h"

namespace corvane {
namespace {

constexpr size_t kInitialBuckets = 64;

}  // namespace

RenameItemList::RenameItemList(PathRule rule)
    : pathCounts_(
          kInitialBuckets,
          PathHash{rule == PathRule::kWindows ? &PathTextHashWindowsRule : &PathTextHash},
          PathEqual{rule == PathRule::kWindows ? &SamePathTextWindowsRule : &SamePathText}) {}

void RenameItemList::Index(const QString& path) { ++pathCounts_[path]; }

void RenameItemList::Unindex(const QString& path) {
  const auto found = pathCounts_.find(path);
  if (found == pathCounts_.end()) return;
  if (--found->second == 0) pathCounts_.erase(found);
}

void RenameItemList::Append(TRenameItem item) {
  Index(item.OriginalPath);
  items_.append(std::move(item));
}

void RenameItemList::Replace(qsizetype index, TRenameItem item) {
  TRenameItem& slot = items_[index];
  Unindex(slot.OriginalPath);
  Index(item.OriginalPath);
  slot = std::move(item);
}

void RenameItemList::RemoveAt(qsizetype index) {
  Unindex(items_.at(index).OriginalPath);
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
      Unindex(items_.at(i).OriginalPath);
    } else {
      if (kept != i) items_[kept] = std::move(items_[i]);
      ++kept;
    }
  }
  items_.resize(kept);
}

void RenameItemList::Clear() {
  items_.clear();
  pathCounts_.clear();
}

bool RenameItemList::IsFileInList(const QString& path) const { return pathCounts_.contains(path); }

void RenameItemList::SetNewNames(const QStringList& names) {
  const qsizetype n = std::min(items_.size(), names.size());
  for (qsizetype i = 0; i < n; ++i) items_[i].NewName = names.at(i);
}

}  // namespace corvane
