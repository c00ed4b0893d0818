#include "collect/item_list.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include "engine/test_photos.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

TRenameItem ItemAt(const QString& path) {
  TRenameItem item;
  AssignPath(item, path);
  return item;
}

QStringList Paths(const RenameItemList& list) {
  QStringList paths;
  for (const TRenameItem& item : list.items()) paths << item.OriginalPath;
  return paths;
}

struct DuplicateCase {
  const char* name;
  PathRule rule;
  const char* listed;
  const char* offered;
  bool found;
};

void PrintTo(const DuplicateCase& c, std::ostream* os) { *os << c.name; }

class DuplicateTest : public ::testing::TestWithParam<DuplicateCase> {};

TEST_P(DuplicateTest, IsFileInListFollowsTheRule) {
  const DuplicateCase& c = GetParam();
  RenameItemList list(c.rule);
  list.Append(ItemAt(QString::fromUtf8(c.listed)));
  EXPECT_EQ(list.IsFileInList(QString::fromUtf8(c.offered)), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DuplicateTest,
    ::testing::Values(DuplicateCase{"WindowsAsciiCaseIsOneFile", PathRule::kWindows,
                                    "C:\\Data\\Report.TXT", "c:\\data\\report.txt", true},
                      DuplicateCase{"WindowsUmlautCaseIsTwoFiles", PathRule::kWindows,
                                    "C:\\Data\\Äpfel.txt", "C:\\Data\\äpfel.txt", false},
                      DuplicateCase{"WindowsOtherSpellingIsAnotherEntry", PathRule::kWindows,
                                    "C:\\Data\\a.txt", "C:/Data/a.txt", false},
                      DuplicateCase{"WindowsTrailingSpaceDiffers", PathRule::kWindows, "C:\\a.txt",
                                    "C:\\a.txt ", false},
#ifndef Q_OS_WIN
                      DuplicateCase{"LinuxAsciiCaseIsTwoFiles", PathRule::kPlatform,
                                    "/data/Report.TXT", "/data/report.txt", false},
                      DuplicateCase{"LinuxRelativeSpellingIsAnotherEntry", PathRule::kPlatform,
                                    "/data/a.txt", "/data/./a.txt", false},
#endif
                      DuplicateCase{"PlatformUmlautCaseIsTwoFiles", PathRule::kPlatform,
                                    "/data/Äpfel.txt", "/data/äpfel.txt", false},
                      DuplicateCase{"PlatformSamePathIsFound", PathRule::kPlatform,
                                    "/data/Äpfel.txt", "/data/Äpfel.txt", true}),
    [](const ::testing::TestParamInfo<DuplicateCase>& info) { return info.param.name; });

RenameItemList FiveItems() {
  RenameItemList list;
  for (const char* path : {"/d/1.txt", "/d/2.txt", "/d/3.txt", "/d/4.txt", "/d/5.txt"}) {
    list.Append(ItemAt(path));
  }
  return list;
}

TEST(RenameItemListTest, RemovingRowsTwoAndFourOfFiveKeepsTheOthersInOrder) {
  RenameItemList list = FiveItems();
  list.RemoveIndices({3, 1});
  EXPECT_EQ(Paths(list), QStringList({"/d/1.txt", "/d/3.txt", "/d/5.txt"}));
  EXPECT_EQ(list.count(), 3);
  EXPECT_FALSE(list.IsFileInList("/d/2.txt"));
  EXPECT_FALSE(list.IsFileInList("/d/4.txt"));
  EXPECT_TRUE(list.IsFileInList("/d/3.txt"));
  EXPECT_TRUE(list.IsFileInList("/d/5.txt"));
}

TEST(RenameItemListTest, RemoveIndicesPassesOverRepeatsAndIndicesOutsideTheList) {
  RenameItemList list = FiveItems();
  list.RemoveIndices({4, -1, 4, 5, 0});
  EXPECT_EQ(Paths(list), QStringList({"/d/2.txt", "/d/3.txt", "/d/4.txt"}));
  list.RemoveIndices({});
  EXPECT_EQ(list.count(), 3);
}

TEST(RenameItemListTest, RemoveAtAndReplaceKeepTheIndexInStep) {
  RenameItemList list = FiveItems();
  list.RemoveAt(0);
  EXPECT_FALSE(list.IsFileInList("/d/1.txt"));
  list.Replace(0, ItemAt("/d/moved/2.txt"));
  EXPECT_EQ(list.at(0).OriginalPath, "/d/moved/2.txt");
  EXPECT_EQ(list.at(0).OriginalName, "2");
  EXPECT_FALSE(list.IsFileInList("/d/2.txt"));
  EXPECT_TRUE(list.IsFileInList("/d/moved/2.txt"));
  list.Append(ItemAt("/d/1.txt"));
  EXPECT_EQ(Paths(list),
            QStringList({"/d/moved/2.txt", "/d/3.txt", "/d/4.txt", "/d/5.txt", "/d/1.txt"}));
}

TEST(RenameItemListTest, AnItemWithTheSamePathAsAnotherStaysFindableWhenOneGoes) {
  RenameItemList list(PathRule::kWindows);
  list.Append(ItemAt("C:\\a.txt"));
  list.Append(ItemAt("c:\\A.TXT"));
  list.RemoveAt(0);
  EXPECT_TRUE(list.IsFileInList("C:\\a.txt"));
  list.Replace(0, ItemAt("C:\\b.txt"));
  EXPECT_FALSE(list.IsFileInList("C:\\a.txt"));
}

TEST(RenameItemListTest, ClearEmptiesTheListAndTheIndex) {
  RenameItemList list = FiveItems();
  list.Clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_TRUE(list.items().isEmpty());
  EXPECT_FALSE(list.IsFileInList("/d/1.txt"));
  list.Append(ItemAt("/d/1.txt"));
  EXPECT_TRUE(list.IsFileInList("/d/1.txt"));
}

TEST(RenameItemListTest, SetNewNamesFillsItemsInOrder) {
  RenameItemList list = FiveItems();
  list.SetNewNames({"a.txt", "b.txt"});
  EXPECT_EQ(list.at(0).NewName, "a.txt");
  EXPECT_EQ(list.at(1).NewName, "b.txt");
  EXPECT_EQ(list.at(2).NewName, "");
  const QStringList shared = {"1", "2", "3", "4", "5", "6"};
  list.SetNewNames(shared);
  EXPECT_EQ(list.at(4).NewName, "5");
  EXPECT_EQ(shared, QStringList({"1", "2", "3", "4", "5", "6"}));

  QStringList taken = {"x.txt", "y.txt"};
  list.SetNewNames(std::move(taken));
  EXPECT_EQ(list.at(0).NewName, "x.txt");
  EXPECT_EQ(list.at(1).NewName, "y.txt");
  EXPECT_EQ(list.at(2).NewName, "3");
  EXPECT_EQ(taken, QStringList({"1", "2"}));  // NOLINT(bugprone-use-after-move): left the old ones
}

// A preview's dates taken, kept in the list, are what the next preview uses:
// it reads none again and names the files as before, even once the files
// have changed.
TEST(KeepTakenTimesTest, KeptDatesAreNotReadAgain) {
  testing::TempFolder folder;
  const QStringList paths =
      folder.Create({"a.jpg", "b.jpg"},
                    testing::TaggedJpeg({{testing::kDateTimeOriginal, "2021:07:04 15:30:12"}}));
  const QString text = folder.Create({"c.txt"}, "abc").first();
  RenameItemList list;
  for (const QString& path : paths + QStringList{text}) list.Append(ItemAt(path));
  RenameOptions options;
  options.pattern = "{taken:yyyy}";
  const EngineContext context =
      EngineContext::Fixed(QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC), QTimeZone::utc());
  const Result<PreviewOutcome> first = BuildPreview(list.items(), options, context);
  ASSERT_TRUE(first.ok());
  ASSERT_EQ(first->takenTimesRead.size(), 3);
  list.KeepTakenTimes(first->takenTimesRead);
  EXPECT_EQ(list.at(1).TakenLocal, QDateTime(QDate(2021, 7, 4), QTime(15, 30, 12), Qt::UTC));
  EXPECT_EQ(list.at(2).TakenLocal, QDateTime());

  folder.Create({"a.jpg", "b.jpg", "c.txt"}, "no photo any more");
  const Result<PreviewOutcome> second = BuildPreview(list.items(), options, context);
  ASSERT_TRUE(second.ok());
  EXPECT_TRUE(second->takenTimesRead.isEmpty());
  EXPECT_EQ(second->newNames, first->newNames);
  EXPECT_EQ(second->newNames.first(), "2021.jpg");
}

}  // namespace
}  // namespace corvane
