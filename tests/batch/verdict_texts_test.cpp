#include "batch/verdict_texts.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DryRunLineTest, MarksEveryVerdictButRenamedAsShown) {
  using K = VerdictKind;
  using R = CannotBeMadeReason;
  struct Case {
    ItemVerdict verdict;
    QString asked;
    QString expected;
  };
  const Case cases[] = {
      {{K::kRenamed, {}, "/d/x.txt"}, "x.txt", "/d/a.txt -> x.txt"},
      {{K::kUnchanged, {}, "/d/a.txt"}, "a.txt", "/d/a.txt -> a.txt  [unchanged]"},
      {{K::kNumbered, {}, "/d/x (2).txt"},
       "x.txt",
       "/d/a.txt -> x (2).txt  [numbered: x.txt is taken]"},
      {{K::kSkipped, {}, "/d/a.txt"}, "x.txt", "/d/a.txt -> a.txt  [skipped: x.txt is taken]"},
      {{K::kReplaces, {}, "/out/x.txt"}, "x.txt", "/d/a.txt -> x.txt  [replaces the file x.txt]"},
      {{K::kCannotBeMade, R::kNoNewName, "/d/a.txt"},
       "",
       "/d/a.txt ->   [cannot be made: no new name]"},
      {{K::kCannotBeMade, R::kInvalidName, "/d/a.txt"},
       "..",
       "/d/a.txt -> ..  [cannot be made: not a valid file name]"},
      {{K::kCannotBeMade, R::kTooLong, "/d/a.txt"},
       "y",
       "/d/a.txt -> y  [cannot be made: file name too long]"},
      {{K::kCannotBeMade, R::kNameTaken, "/d/a.txt"},
       "x.txt",
       "/d/a.txt -> x.txt  [cannot be made: x.txt is taken]"},
  };
  for (const Case& c : cases) {
    const QString verdictText = VerdictText(c.verdict, c.asked).English();
    EXPECT_EQ(DryRunLine("/d/a.txt", ShownName(c.verdict, c.asked), verdictText), c.expected);
  }
}

TEST(VerdictCountsTextTest, ShowsTheCountsThatAreNotZeroInOrder) {
  struct Case {
    VerdictCounts counts;
    QString status;
  };
  const Case cases[] = {
      {{}, "Files: 1204"},
      {{.unchanged = 7}, "Files: 1204"},
      {{.numbered = 3, .skipped = 1}, "Files: 1204 \u00B7 3 numbered \u00B7 1 skipped"},
      {{.skipped = 2, .replaces = 1, .cannotBeMade = 4},
       "Files: 1204 \u00B7 2 skipped \u00B7 1 replace a file \u00B7 4 cannot be made"},
  };
  for (const Case& c : cases) {
    QStringList counts;
    for (const ProgramText& text : VerdictCountTexts(c.counts)) counts.append(text.English());
    EXPECT_EQ(StatusLineText("Files: 1204", counts), c.status);
    EXPECT_EQ(VerdictCountsText(counts), c.status.mid(QString("Files: 1204 \u00B7 ").size()));
  }
}

}  // namespace
}  // namespace corvane
