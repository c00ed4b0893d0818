#include "engine/rename_item.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct SplitCase {
  const char* path;
  const char* name;
  const char* ext;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.path; }

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, AssignPathSplitsAtTheLastDotOfTheFileName) {
  const SplitCase& c = GetParam();
  TRenameItem item;
  item.NewName = "kept";
  AssignPath(item, QString::fromUtf8(c.path));
  EXPECT_EQ(item.OriginalPath, QString::fromUtf8(c.path));
  EXPECT_EQ(item.OriginalName, QString::fromUtf8(c.name));
  EXPECT_EQ(item.Ext, QString::fromUtf8(c.ext));
  EXPECT_EQ(item.NewName, "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Names, SplitTest,
    ::testing::Values(SplitCase{"/p/photo.JPG", "photo", ".JPG"},
                      SplitCase{"/p/archive.tar.gz", "archive.tar", ".gz"},
                      SplitCase{"/p/a.b.c", "a.b", ".c"}, SplitCase{"/p/README", "README", ""},
                      SplitCase{"/p/.profile", "", ".profile"}, SplitCase{"/p/name.", "name", "."},
                      SplitCase{"/my.folder/README", "README", ""},
                      SplitCase{"relative.d/x.y", "x", ".y"}, SplitCase{"bare.txt", "bare", ".txt"},
                      SplitCase{"/p/Äpfel.tar", "Äpfel", ".tar"}));

TEST(ZeroTimeTest, IsTheSpreadsheetEpochInUtc) {
  EXPECT_EQ(ZeroTime().toString(Qt::ISODate), "1899-12-30T00:00:00Z");
}

}  // namespace
}  // namespace corvane
