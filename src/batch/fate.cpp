#include "batch/fate.h"

namespace corvane {

Fate DecideFate(const BatchSettings& settings, const TargetFacts& facts) {
  if (!facts.taken) return Fate::kRenamed;
  if (facts.sameEntry) {
    // Nothing may replace the source itself.
    if (settings.mode == BatchMode::RenameInPlace) return Fate::kCaseChange;
    if (!settings.conflict) return Fate::kCannotBeMade;
    return *settings.conflict == ConflictMode::AutoNumber ? Fate::kNumbered : Fate::kSkipped;
  }
  if (!settings.conflict) return Fate::kCannotBeMade;
  switch (*settings.conflict) {
    case ConflictMode::Skip:
      return Fate::kSkipped;
    case ConflictMode::Overwrite:
      // A file of the batch is never replaced: the item is numbered instead.
      return facts.ofTheBatch && facts.ofTheBatch() ? Fate::kNumbered : Fate::kReplaces;
    case ConflictMode::AutoNumber:
      return Fate::kNumbered;
  }
  return Fate::kSkipped;
}

}  // namespace corvane
