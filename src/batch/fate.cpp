#include "batch/fate.h"

namespace corvane {

Fate DecideFate(const BatchSettings& settings, const TargetFacts& facts) {
  if (!facts.taken) return Fate::kRenamed;
  // Numbering, skipping and stopping treat the source itself as any file.
  const bool inPlace = settings.mode == BatchMode::RenameInPlace;
  if ((inPlace || settings.conflict == ConflictMode::Overwrite) && facts.sameEntry &&
      facts.sameEntry()) {
    // Nothing may replace the source itself.
    return inPlace ? Fate::kCaseChange : Fate::kSkipped;
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
