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
  EXPECT_EQ(UniqueTargetPath(fs, folder, "photo.jpg"), folder + "photo (2).jpg");
  EXPECT_EQ(UniqueTargetPath(fs, folder, "README"), folder + "README (2)");
  EXPECT_EQ(UniqueTargetPath(fs, folder, ".profile"), folder + " (1).profile");
  EXPECT_EQ(UniqueTargetPath(fs, folder, "archive.tar.gz"), folder + "archive.tar (1).gz");
}

}  // namespace
}  // namespace corvane
