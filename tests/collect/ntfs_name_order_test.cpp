#include "collect/ntfs_name_order.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>

#include "collect/folder_scan.h"
#include "platform/file_system.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::TempFolder;

struct NameCase {
  const char* why;
  const char16_t* left;
  const char16_t* right;
  int expected;  // the sign of the comparison
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.why; }

class NtfsNameOrderTest : public ::testing::TestWithParam<NameCase> {};

int Sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

TEST_P(NtfsNameOrderTest, ComparesUpperCasedUnitsThenRawUnits) {
  const NameCase& c = GetParam();
  const QString left = QString::fromUtf16(c.left);
  const QString right = QString::fromUtf16(c.right);
  EXPECT_EQ(Sign(CompareInNtfsOrder(left, right)), c.expected);
  EXPECT_EQ(Sign(CompareInNtfsOrder(right, left)), -c.expected);
  EXPECT_EQ(ComesFirstInNtfsOrder(left, right), c.expected < 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NtfsNameOrderTest,
    ::testing::Values(
        NameCase{"letter case is ignored first", u"a.txt", u"B.txt", -1},
        NameCase{"names equal without case fall back to raw units", u"A.txt", u"a.txt", -1},
        NameCase{"the same name", u"same", u"same", 0},
        NameCase{"underscore sorts after upper-cased letters", u"_x", u"a", 1},
        NameCase{"a prefix comes first", u"ab", u"abc", -1},
        NameCase{"digits compare as units, not numbers", u"IMG_10", u"IMG_2", -1},
        NameCase{"an accented letter is upper-cased alone", u"\u00e9", u"\u00c9", 1},
        NameCase{"an accented letter sorts after Z", u"\u00e9", u"Z", 1},
        NameCase{"sharp s has no one-unit capital", u"\u00df", u"SS", 1},
        NameCase{"dotless i upper-cases to I", u"\u0131", u"J", -1},
        NameCase{"surrogates stay as they are", u"\U00010428", u"\U00010400", 1},
        NameCase{"a surrogate sorts below the private use area", u"\U0001F600", u"\uE000", -1}));

// On Windows the listing's own order is kept, which no literal can give.
#ifndef Q_OS_WIN
TEST(FolderInNtfsOrderTest, AFolderAndItsSubfoldersAreWalkedInNtfsOrder) {
  TempFolder dir;
  dir.Create({"b.txt", "_x", "a.txt", "A.txt", "Sub/z", "Sub/Y", "sub2/1"});
  const QStringList files = CollectFolderFiles(dir.path(), true, RealFileSystem());
  QStringList relative;
  for (const QString& file : files) relative << file.mid(dir.path().size() + 1);
  EXPECT_EQ(relative, QStringList({"A.txt", "a.txt", "b.txt", "Sub/Y", "Sub/z", "sub2/1", "_x"}));
}
#endif

}  // namespace
}  // namespace corvane
