// DecideFate: what a batch does with one file whose target name may be
// taken, decided from the facts about that target. The batch and its
// verdicts (batch/batch_verdicts.h) both ask this one function, so that what
// a preview predicts is what the batch does.
#pragma once

#include <functional>

#include "batch/target_path.h"

namespace corvane {

enum class Fate {
  kRenamed,       // the target is free: renamed, copied or moved under the new name
  kCaseChange,    // in place, the target is the source itself under another spelling
  kNumbered,      // the first free "name (n).ext" instead
  kSkipped,       // the file stays as it is
  kReplaces,      // the file at the target is replaced (it goes to the trash first)
  kCannotBeMade,  // no conflict rule: the batch stops here
};

struct TargetFacts {
  // Something other than a folder stands at the target.
  bool taken = false;
  // What stands there is the source itself: the same entry of the same folder
  // under another spelling (letter case on a volume that ignores it, a link
  // to the folder). Only asked when taken, in place or with Overwrite, the
  // only rules it changes the fate under, since it costs lookups.
  std::function<bool()> sameEntry;
  // What stands there is a file this batch must keep: the source of an item
  // the batch moves or copies, or a file an earlier item wrote. Only asked
  // when Overwrite would otherwise replace it, since it costs lookups.
  std::function<bool()> ofTheBatch;
};

Fate DecideFate(const BatchSettings& settings, const TargetFacts& facts);

}  // namespace corvane
