// FreeNames against a folder on disk: once it has listed the folder, which
// names it calls certainly free.
#include "batch/free_names.h"
#include "support/fault_injecting_file_system.h"

#include <gtest/gtest.h>

#include "batch_test_support.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

// Asks about names nobody made until an answer comes from a listing; how
// many it took (-1: none came).
int AskedBeforeListing(FreeNames& names, const testing::TempFolder& dir) {
  for (int i = 0; i < 1000; ++i) {
    if (names.CertainlyFree(dir.file(QStringLiteral("unused %1").arg(i)))) return i;
  }
  return -1;
}

struct NameCase {
  const char* name;
  QString onDisk;
  QString asked;
  bool free;
};

class FreeNamesTest : public ::testing::TestWithParam<NameCase> {};

// A name some file system takes for the one on disk is never called free.
TEST_P(FreeNamesTest, CallsFreeOnlyWhatNoFileSystemTakesForANameOnDisk) {
  const NameCase& c = GetParam();
  testing::TempFolder dir;
  dir.Create({c.onDisk});
  FreeNames names(RealFileSystem());
  ASSERT_GE(AskedBeforeListing(names, dir), 0);
  EXPECT_EQ(names.CertainlyFree(dir.file(c.asked)), c.free);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FreeNamesTest,
    ::testing::Values(NameCase{"Same", "report.txt", "report.txt", false},
                      NameCase{"OtherCase", "Report.TXT", "report.txt", false},
                      NameCase{"Other", "report.txt", "reports.txt", true},
                      NameCase{"LongerThanAWord", "A Long Name Of A File.jpeg",
                               "a long name of a file.JPEG", false},
                      // Ä composed on disk, asked as a with a combining diaeresis.
                      NameCase{"Decomposed", "\u00C4.txt", "a\u0308.txt", false},
                      NameCase{"AccentIsKept", "\u00E4.txt", "a.txt", true},
                      // NTFS compares by upper case: the dotless i is I there.
                      NameCase{"DotlessI", "I.txt", "\u0131.txt", false},
                      NameCase{"Ligature", "file.txt", "\uFB01le.txt", false},
                      NameCase{"SharpS", "STRASSE", "stra\u00DFe", false},
                      // FAT's and NTFS's short name of the long one, and names
                      // Windows looks up without their trailing dot or space.
                      NameCase{"ShortAlias", "LongFileName.txt", "LONGFI~1.TXT", false},
                      NameCase{"TrailingDot", "report.txt", "report.txt.", false},
                      NameCase{"TrailingSpace", "report.txt", "report.txt ", false}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.name; });

TEST(FreeNamesNotingTest, ATargetNotedIsTaken) {
  testing::TempFolder dir;
  FreeNames names(RealFileSystem());
  ASSERT_GE(AskedBeforeListing(names, dir), 0);
  names.NoteTaken(dir.file("New.txt"));
  EXPECT_FALSE(names.CertainlyFree(dir.file("new.TXT")));
  EXPECT_TRUE(names.CertainlyFree(dir.file("newer.txt")));
  names.Distrust();
  EXPECT_FALSE(names.CertainlyFree(dir.file("newer.txt")));
}

// A listing that fails is never half trusted: every name is looked up until
// a later listing succeeds.
TEST(FreeNamesListingTest, AFailedListingIsTriedAgainLater) {
  testing::TempFolder dir;
  dir.Create({"taken.txt"});
  FaultInjectingFileSystem fs(RealFileSystem());
  fs.AddFault(FileOp::kListNames, dir.path());
  FreeNames names(fs);
  FreeNames listedAtOnce(RealFileSystem());
  const int asked = AskedBeforeListing(names, dir);
  ASSERT_GE(asked, 0);
  EXPECT_GT(asked, AskedBeforeListing(listedAtOnce, dir));
  EXPECT_FALSE(names.CertainlyFree(dir.file("taken.txt")));
}

}  // namespace
}  // namespace corvane
