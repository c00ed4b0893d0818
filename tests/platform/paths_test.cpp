#include "platform/paths.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(PathsTest, SplitsAtTheLastSeparator) {
  EXPECT_EQ(FileNamePart(u"/a.b/c.txt"), "c.txt");
  EXPECT_EQ(FolderPart(u"/a.b/c.txt"), "/a.b/");
  EXPECT_EQ(FileNamePart(u"c.txt"), "c.txt");
  EXPECT_EQ(FolderPart(u"c.txt"), "");
  EXPECT_EQ(FolderPart(u"/c"), "/");
}

TEST(PathsTest, JoinPutsOneSeparatorBetween) {
  EXPECT_EQ(JoinPath(u"/out", u"a.txt"), "/out/a.txt");
  EXPECT_EQ(JoinPath(u"/out/", u"a.txt"), "/out/a.txt");
  EXPECT_EQ(JoinPath(u"", u"a.txt"), "a.txt");
}

TEST(PathsTest, WindowsRuleFoldsOnlyAsciiLetters) {
  EXPECT_TRUE(SamePathTextWindowsRule(u"C:\\Data\\Report.TXT", u"c:\\data\\report.txt"));
  EXPECT_FALSE(SamePathTextWindowsRule(u"C:\\Data\\Äpfel.txt", u"C:\\Data\\äpfel.txt"));
  EXPECT_FALSE(SamePathTextWindowsRule(u"a", u"a "));
  EXPECT_EQ(PathTextHashWindowsRule(u"C:\\Data\\Report.TXT"),
            PathTextHashWindowsRule(u"c:\\data\\report.txt"));
}

#ifndef Q_OS_WIN
TEST(PathsTest, LinuxComparesExactly) {
  EXPECT_FALSE(SamePathText(u"/d/Report.TXT", u"/d/report.txt"));
  EXPECT_TRUE(SamePathText(u"/d/Report.TXT", u"/d/Report.TXT"));
}
#endif

}  // namespace
}  // namespace corvane
