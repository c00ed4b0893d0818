#include "platform/paths.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::string Text(const char16_t* path) { return QString::fromUtf16(path).toStdString(); }

TEST(PathsTest, SplitsAtTheLastSeparator) {
  EXPECT_EQ(FileNamePart(u"/a.b/c.txt"), "c.txt");
  EXPECT_EQ(FolderPart(u"/a.b/c.txt"), "/a.b/");
  EXPECT_EQ(FileNamePart(u"c.txt"), "c.txt");
  EXPECT_EQ(FolderPart(u"c.txt"), "");
  EXPECT_EQ(FolderPart(u"/c"), "/");
}

// The split looks at several units at once: a delimiter at every place of
// paths longer than one step, and a last one hidden behind earlier ones.
TEST(PathsTest, SplitsAtTheLastDelimiterWhereverItStands) {
  for (qsizetype length = 1; length <= 20; ++length) {
    for (qsizetype at = 0; at < length; ++at) {
      QString path(length, u'x');
      path[at] = u'/';
      if (at > 2) path[at / 2] = u'/';
      EXPECT_EQ(FolderView(path).size(), at + 1) << path.toStdString();
      EXPECT_EQ(FileNameView(path), QStringView(path).sliced(at + 1)) << path.toStdString();
      for (char16_t delimiter : {u'/', u'\\', u':'}) {
        QString windows = path;
        windows[at] = delimiter;
        EXPECT_EQ(FolderViewWindowsRule(windows).size(), at + 1) << windows.toStdString();
      }
    }
    EXPECT_TRUE(FolderView(QString(length, u'x')).isEmpty());
    EXPECT_TRUE(FolderViewWindowsRule(QString(length, u'x')).isEmpty());
  }
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

TEST(PathsTest, WindowsRuleSplitsAtEitherSeparatorAndTheDriveColon) {
  struct Case {
    const char16_t* path;
    const char16_t* folder;
    const char16_t* name;
  };
  const Case cases[] = {
      {u"C:\\Photos\\a.txt", u"C:\\Photos\\", u"a.txt"},
      {u"C:/Photos/a.txt", u"C:/Photos/", u"a.txt"},
      {u"C:a.txt", u"C:", u"a.txt"},
      {u"\\\\server\\share\\a.txt", u"\\\\server\\share\\", u"a.txt"},
      {u"a.txt", u"", u"a.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderViewWindowsRule(c.path), QStringView(c.folder)) << Text(c.path);
    EXPECT_EQ(FileNameViewWindowsRule(c.path), QStringView(c.name)) << Text(c.path);
  }
}

TEST(PathsTest, ParentIsTheFolderNameAndEmptyInARoot) {
  struct Case {
    const char* name;
    const char16_t* path;
    const char16_t* parent;
  };
  const Case windows[] = {
      {"drive root", u"C:\\a.txt", u""},
      {"drive root, other separator", u"C:/a.txt", u""},
      {"drive without separator", u"C:a.txt", u""},
      {"drive, one folder", u"C:\\Photos\\a.txt", u"Photos"},
      {"drive, nested", u"D:\\Photos\\Trip 2024\\a.txt", u"Trip 2024"},
      {"doubled separator", u"C:\\Photos\\\\a.txt", u"Photos"},
      {"share root", u"\\\\server\\share\\a.txt", u""},
      {"share root, other separators", u"//server/share/a.txt", u""},
      {"share, one folder", u"\\\\server\\share\\Photos\\a.txt", u"Photos"},
      {"long drive root", u"\\\\?\\C:\\a.txt", u""},
      {"long drive, one folder", u"\\\\?\\C:\\Photos\\a.txt", u"Photos"},
      {"long share root", u"\\\\?\\UNC\\server\\share\\a.txt", u""},
      {"long share, one folder", u"\\\\?\\UNC\\server\\share\\Photos\\a.txt", u"Photos"},
      {"volume root", u"\\\\?\\Volume{1234}\\a.txt", u""},
      {"root of the current drive", u"\\a.txt", u""},
      {"relative, one folder", u"Photos\\a.txt", u"Photos"},
      {"no folder", u"a.txt", u""},
  };
  for (const Case& c : windows) {
    EXPECT_EQ(ParentFolderNameWindowsRule(c.path), QStringView(c.parent)) << c.name;
  }
  const Case posix[] = {
      {"root", u"/a.txt", u""},
      {"doubled root", u"//a.txt", u""},
      {"one folder", u"/home/a.txt", u"home"},
      {"nested", u"/home/anna/Photos/a.txt", u"Photos"},
      {"doubled separator", u"/home//a.txt", u"home"},
      {"backslash is a name character", u"/home/x\\y/a.txt", u"x\\y"},
      {"colon is a name character", u"/home/C:/a.txt", u"C:"},
      {"relative", u"Photos/a.txt", u"Photos"},
      {"no folder", u"a.txt", u""},
  };
  for (const Case& c : posix) {
    EXPECT_EQ(ParentFolderNamePosixRule(c.path), QStringView(c.parent)) << c.name;
  }
}

TEST(PathsTest, RootLengthsOfTheWindowsRule) {
  struct Case {
    const char16_t* path;
    qsizetype length;
  };
  const Case cases[] = {
      {u"C:\\a", 3},
      {u"C:a", 2},
      {u"\\\\srv\\sh\\a", 9},
      {u"\\\\?\\C:\\a", 7},
      {u"\\\\?\\UNC\\srv\\sh\\a", 15},
      {u"\\a", 1},
      {u"a\\b", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RootLengthWindowsRule(c.path), c.length) << Text(c.path);
  }
}

#ifndef Q_OS_WIN
TEST(PathsTest, LinuxComparesExactly) {
  EXPECT_FALSE(SamePathText(u"/d/Report.TXT", u"/d/report.txt"));
  EXPECT_TRUE(SamePathText(u"/d/Report.TXT", u"/d/Report.TXT"));
}
#endif

TEST(AbsoluteFromTest, PutsTheFolderBeforeRelativePathsAndChangesNothingElse) {
  const struct {
    const char* folder;
    const char* path;
    const char* absolute;
  } cases[] = {
      {"/home/me", "photos", "/home/me/photos"},
      // "." and ".." are the kernel's to resolve: through a link they lead elsewhere.
      {"/home/me", "./a/../b.txt", "/home/me/./a/../b.txt"},
      {"/home/me", "lnk/../f.txt", "/home/me/lnk/../f.txt"},
      {"/home/me", "a//b.txt", "/home/me/a//b.txt"},
      {"/", "a.txt", "/a.txt"},
      {"/home/me", "/data//x/../y", "/data//x/../y"},
      {"/home/me", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AbsoluteFrom(c.folder, c.path).toStdString(), c.absolute) << c.path;
  }
}

}  // namespace
}  // namespace corvane
