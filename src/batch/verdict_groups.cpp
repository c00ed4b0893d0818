#include "batch/verdict_groups.h"

#include <QHash>
#include <QStringView>

#include <numeric>

#include "base/prefetch.h"
#include "platform/paths.h"

namespace corvane {
namespace {

// A folder compared as the platform compares paths; the view is of an item's path.
struct FolderKey {
  QStringView text;
  size_t hash;
  friend bool operator==(const FolderKey& a, const FolderKey& b) {
    return a.hash == b.hash && SamePathText(a.text, b.text);
  }
};
size_t qHash(const FolderKey& key, size_t seed) { return key.hash ^ seed; }

constexpr qsizetype kAhead = 8;

}  // namespace

ItemGroups OneGroup(qsizetype count) {
  ItemGroups groups(1, std::vector<qsizetype>(size_t(count)));
  std::iota(groups[0].begin(), groups[0].end(), 0);
  return groups;
}

ItemGroups VerdictGroups(const QList<TRenameItem>& items, const BatchSettings& settings) {
  if (settings.mode != BatchMode::RenameInPlace) return OneGroup(items.size());
  ItemGroups groups;
  QHash<FolderKey, size_t> groupOf;
  QStringView lastFolder;
  size_t last = 0;
  for (qsizetype i = 0; i < items.size(); ++i) {
    if (i + kAhead < items.size()) PrefetchText(items[i + kAhead].OriginalPath);
    const QStringView folder = FolderView(items[i].OriginalPath);
    // Lists are mostly folder after folder.
    if (groups.empty() || !SamePathText(folder, lastFolder)) {
      const FolderKey key{folder, PathTextHash(folder)};
      auto it = groupOf.constFind(key);
      if (it == groupOf.cend()) {
        it = groupOf.insert(key, groups.size());
        groups.emplace_back();
      }
      last = *it;
      lastFolder = folder;
    }
    groups[last].push_back(i);
  }
  return groups;
}

}  // namespace corvane
