#include "platform/file_identity.h"

#include "support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FileIdentityTest, SameFileThroughALinkDifferentFileOtherwise) {
  testing::TempFolder dir;
  const QStringList files = dir.Create({"a.txt", "b.txt"}, "x");
  ASSERT_TRUE(QFile::link(files[0], dir.file("link.txt")));
  EXPECT_EQ(IdentityOf(files[0]), IdentityOf(dir.file("link.txt")));
  EXPECT_NE(IdentityOf(files[0]), IdentityOf(files[1]));
  EXPECT_EQ(IdentityOf(dir.file("missing")), std::nullopt);
}

}  // namespace
}  // namespace corvane
