#include "batch/target_path.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(JoinTargetPathTest, JoinsOrRefusesForbiddenCharacters) {
  struct Case {
    const char* name;
    QString folder;
    QString file;
    const char* expected;  // nullptr: "Invalid characters in path"
  };
  const Case cases[] = {
      {"separator added", "/a/b", "c.txt", "/a/b/c.txt"},
      {"separator kept", "/a/b/", "c.txt", "/a/b/c.txt"},
      {"quote in name", "/a", "say\"hi\".txt", nullptr},
      {"less-than in folder", "/a<b", "c", nullptr},
      {"greater-than", "/a", "c>d", nullptr},
      {"bar", "/a", "c|d", nullptr},
      {"tab", "/a", "c\td", nullptr},
      {"line feed in folder", "/a\n/", "c", nullptr},
      {"unicode is fine", "/ä", "ß €.txt", "/ä/ß €.txt"},
  };
  for (const Case& c : cases) {
    const Result<QString> joined = JoinTargetPath(c.folder, c.file);
    if (c.expected) {
      ASSERT_TRUE(joined.ok()) << c.name;
      EXPECT_EQ(*joined, QString::fromUtf8(c.expected)) << c.name;
    } else {
      ASSERT_FALSE(joined.ok()) << c.name;
      EXPECT_EQ(joined.error().message(), "Invalid characters in path") << c.name;
    }
  }
}

TEST(UniqueTargetPathTest, FirstFreeNumberCountingFilesOnly) {
  testing::TempFolder dir;
  dir.Create({"photo.jpg", "photo (1).jpg", "README", ".profile"});
  dir.CreateFolder("photo (2).jpg");  // a folder does not take a number
  dir.Create({"README (1)"});
  FileSystem& fs = RealFileSystem();
  const QString folder = dir.path() + "/";
  EXPECT_EQ(UniqueTargetPath(fs, folder, "photo.jpg").value(), folder + "photo (2).jpg");
  EXPECT_EQ(UniqueTargetPath(fs, folder, "README").value(), folder + "README (2)");
  EXPECT_EQ(UniqueTargetPath(fs, folder, ".profile").value(), folder + " (1).profile");
  EXPECT_EQ(UniqueTargetPath(fs, folder, "archive.tar.gz").value(), folder + "archive.tar (1).gz");
}

// The number makes the name longer: a name that fits may not fit numbered.
TEST(UniqueTargetPathTest, NumberedNameTooLongFails) {
  const auto nothingTaken = [](const QString&) { return false; };
  const QString fits = QString(247, u'x') + ".txt";  // 251 bytes; " (1)" makes 255
  EXPECT_EQ(UniqueTargetPath(nothingTaken, "/f/", fits).value(),
            "/f/" + QString(247, u'x') + " (1).txt");
  const QString tooLong = QString(248, u'x') + ".txt";
  const Result<QString> numbered = UniqueTargetPath(nothingTaken, "/f/", tooLong);
  ASSERT_FALSE(numbered.ok());
  EXPECT_EQ(numbered.error().message(), "File name too long: " + QString(248, u'x') + " (1).txt");
  const auto firstNineTaken = [](const QString& path) { return !path.contains("(10)"); };
  EXPECT_FALSE(UniqueTargetPath(firstNineTaken, "/f/", fits).ok());
}

// Both platforms' rules, tested anywhere: Linux counts the bytes of UTF-8 (a
// byte that is not UTF-8 as one), Windows the UTF-16 units.
TEST(NewNameFaultTest, DotNamesAndLengthByEachRule) {
  using F = std::optional<NameFault>;
  struct Case {
    const char* name;
    QString text;
    F posix;
    F windows;
  };
  const F ok = std::nullopt;
  const F invalid = NameFault::kInvalid;
  const F tooLong = NameFault::kTooLong;
  const Case cases[] = {
      {"plain", "a.txt", ok, ok},
      {"dot", ".", invalid, invalid},
      {"two dots", "..", invalid, invalid},
      {"three dots are a name", "...", ok, ok},
      {"255 ASCII", QString(255, u'a'), ok, ok},
      {"256 ASCII", QString(256, u'a'), tooLong, tooLong},
      {"127 two-byte letters", QString(127, QChar(0xE9)), ok, ok},
      {"128 two-byte letters", QString(128, QChar(0xE9)), tooLong, ok},
      {"85 three-byte letters", QString(85, QChar(0x20AC)), ok, ok},
      {"86 three-byte letters", QString(86, QChar(0x20AC)), tooLong, ok},
      {"255 bytes not UTF-8", QString(255, QChar(0xDC80)), ok, ok},
      {"63 emoji: 252 bytes, 126 units", QString::fromUtf8("\xF0\x9F\x98\x80").repeated(63), ok,
       ok},
      {"64 emoji: 256 bytes, 128 units", QString::fromUtf8("\xF0\x9F\x98\x80").repeated(64),
       tooLong, ok},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NewNameFaultPosixRule(c.text), c.posix) << c.name;
    EXPECT_EQ(NewNameFaultWindowsRule(c.text), c.windows) << c.name;
  }
}

}  // namespace
}  // namespace corvane
