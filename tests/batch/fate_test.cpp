// The one decision of each file's fate, under every batch mode and conflict
// rule; the batch and the verdicts both ask it (their own tests run the same
// cases on disk).
#include "batch/fate.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::optional<ConflictMode> kNoRule = std::nullopt;

struct FateCase {
  const char* name;
  BatchMode mode;
  std::optional<ConflictMode> rule;
  bool taken;
  bool sameEntry;
  bool ofTheBatch;
  Fate expected;
};

TEST(FateTest, EveryRuleAndFact) {
  using enum BatchMode;
  using enum ConflictMode;
  const FateCase cases[] = {
      {"FreeTargetUnderAnyRule", MoveToFolder, kNoRule, false, false, true, Fate::kRenamed},
      {"FreeTargetOverwrite", RenameInPlace, Overwrite, false, false, true, Fate::kRenamed},
      {"SourceItselfInPlaceIsACaseChange", RenameInPlace, Skip, true, true, true,
       Fate::kCaseChange},
      {"SourceItselfWithoutRuleInPlace", RenameInPlace, kNoRule, true, true, false,
       Fate::kCaseChange},
      {"SourceItselfCopiedIsNumbered", CopyToFolder, AutoNumber, true, true, true, Fate::kNumbered},
      {"SourceItselfNeverReplaced", MoveToFolder, Overwrite, true, true, false, Fate::kSkipped},
      {"SourceItselfWithoutRuleStops", CopyToFolder, kNoRule, true, true, false,
       Fate::kCannotBeMade},
      {"TakenWithoutRuleStops", RenameInPlace, kNoRule, true, false, false, Fate::kCannotBeMade},
      {"TakenSkip", RenameInPlace, Skip, true, false, false, Fate::kSkipped},
      {"TakenAutoNumber", CopyToFolder, AutoNumber, true, false, false, Fate::kNumbered},
      {"TakenByAnOtherFileOverwrite", MoveToFolder, Overwrite, true, false, false, Fate::kReplaces},
      {"TakenByAFileOfTheBatchIsNumbered", RenameInPlace, Overwrite, true, false, true,
       Fate::kNumbered},
  };
  for (const FateCase& c : cases) {
    bool asked = false;
    bool askedSame = false;
    const TargetFacts facts{c.taken,
                            [&] {
                              askedSame = true;
                              return c.sameEntry;
                            },
                            [&] {
                              asked = true;
                              return c.ofTheBatch;
                            }};
    EXPECT_EQ(DecideFate(BatchSettings{c.mode, c.rule, {}, false}, facts), c.expected) << c.name;
    // The lookups behind it are made only where Overwrite might replace.
    const bool mayReplace = c.taken && !c.sameEntry && c.rule == Overwrite;
    EXPECT_EQ(asked, mayReplace) << c.name;
    // and behind the source itself only in place or with Overwrite.
    EXPECT_EQ(askedSame, c.taken && (c.mode == RenameInPlace || c.rule == Overwrite)) << c.name;
  }
}

}  // namespace
}  // namespace corvane
