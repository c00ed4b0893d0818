#include "batch/verdict_groups.h"

#include <QHash>
#include <QStringView>

#include <numeric>

#include "base/prefetch.h"
#include "base/two_threads.h"
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

// Consecutive items whose sources share a folder.
struct Run {
  qsizetype begin;
  qsizetype end;
  QStringView folder;
};

// The runs of the items from `begin` to `end`: lists are mostly folder after folder.
std::vector<Run> RunsOf(const QList<TRenameItem>& items, qsizetype begin, qsizetype end) {
  std::vector<Run> runs;
  for (qsizetype i = begin; i < end; ++i) {
    if (i + kAhead < end) PrefetchText(items[i + kAhead].OriginalPath);
    const QStringView folder = FolderView(items[i].OriginalPath);
    if (runs.empty() || !SamePathText(folder, runs.back().folder)) runs.push_back({i, i, folder});
    runs.back().end = i + 1;
  }
  return runs;
}

}  // namespace

ItemGroups OneGroup(qsizetype count) {
  ItemGroups groups(1, std::vector<qsizetype>(size_t(count)));
  std::iota(groups[0].begin(), groups[0].end(), 0);
  return groups;
}

ItemGroups VerdictGroups(const QList<TRenameItem>& items, const BatchSettings& settings) {
  if (settings.mode != BatchMode::RenameInPlace) return OneGroup(items.size());
  // The runs of the two halves are found at once: this reads every path.
  const qsizetype half = items.size() / 2;
  std::vector<Run> runs, secondHalf;
  OnTwoThreads(
      items.size() >= kSplitFrom, [&] { runs = RunsOf(items, 0, half); },
      [&] { secondHalf = RunsOf(items, half, items.size()); });
  runs.insert(runs.end(), secondHalf.begin(), secondHalf.end());
  ItemGroups groups;
  QHash<FolderKey, size_t> groupOf;
  for (const Run& run : runs) {
    const FolderKey key{run.folder, PathTextHash(run.folder)};
    auto it = groupOf.constFind(key);
    if (it == groupOf.cend()) {
      it = groupOf.insert(key, groups.size());
      groups.emplace_back();
    }
    std::vector<qsizetype>& group = groups[*it];
    for (qsizetype i = run.begin; i < run.end; ++i) group.push_back(i);
  }
  return groups;
}

}  // namespace corvane
