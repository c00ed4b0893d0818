#include "batch/batch_verdicts.h"

#include <atomic>

#include "base/two_threads.h"
#include "batch/playback.h"
#include "batch/verdict_groups.h"

namespace corvane {
namespace {

// Plays every group, on this thread and, for a large batch, on one more.
// False when groups of folders turn out not to be (see batch/verdict_groups.h).
bool PlayGroups(const QList<TRenameItem>& items, const BatchSettings& settings, FileSystem& fs,
                const ItemGroups& groups, bool folders, ItemVerdict* verdicts) {
  BatchSources sources(items, settings, fs);
  std::atomic<size_t> next = 0;
  std::atomic<bool> allGroups = true;
  const bool split = groups.size() >= 2 && items.size() >= kSplitFrom;
  const auto playSome = [&] {
    for (size_t g; allGroups && (g = next.fetch_add(1)) < groups.size();) {
      Playback playback(items, settings, fs, sources);
      if (!playback.Play(groups[g], folders, !split, verdicts)) allGroups = false;
    }
  };
  OnTwoThreads(split, playSome, playSome);
  return allGroups;
}

void Count(VerdictCounts& counts, VerdictKind kind) {
  switch (kind) {
    case VerdictKind::kUnchanged:
      ++counts.unchanged;
      break;
    case VerdictKind::kRenamed:
      break;
    case VerdictKind::kNumbered:
      ++counts.numbered;
      break;
    case VerdictKind::kSkipped:
      ++counts.skipped;
      break;
    case VerdictKind::kReplaces:
      ++counts.replaces;
      break;
    case VerdictKind::kCannotBeMade:
      ++counts.cannotBeMade;
      break;
  }
}

}  // namespace

BatchVerdicts JudgeBatch(const QList<TRenameItem>& items, const RenameOptions& options,
                         FileSystem& fs) {
  BatchVerdicts out;
  const std::optional<BatchSettings> settings = SettingsOfBatch(options, out.notice);
  if (!settings) return out;
  out.verdicts.resize(items.size());
  ItemVerdict* verdicts = out.verdicts.data();
  if (!PlayGroups(items, *settings, fs, VerdictGroups(items, *settings), true, verdicts)) {
    PlayGroups(items, *settings, fs, OneGroup(items.size()), false, verdicts);
  }
  for (qsizetype i = 0; i < items.size(); ++i) {
    const VerdictKind kind = out.verdicts[i].kind;
    if (kind == VerdictKind::kCannotBeMade && !out.stopsAt) out.stopsAt = i;
    Count(out.counts, kind);
  }
  return out;
}

}  // namespace corvane
