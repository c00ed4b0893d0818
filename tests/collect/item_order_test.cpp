#include "collect/item_order.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTimeZone>
#include <vector>

#include "collect/item_list.h"
#include "engine/test_photos.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

TRenameItem ItemAt(const QString& path, int64_t size = 0, qint64 modifiedSeconds = 0) {
  TRenameItem item;
  AssignPath(item, path);
  item.Size = size;
  item.ModifiedUtc = QDateTime::fromSecsSinceEpoch(modifiedSeconds, Qt::UTC);
  return item;
}

QStringList Paths(const RenameItemList& list) {
  QStringList paths;
  for (const TRenameItem& item : list.items()) paths << item.OriginalPath;
  return paths;
}

RenameItemList ListOf(const QStringList& paths) {
  RenameItemList list;
  for (const QString& path : paths) list.Append(ItemAt(path));
  return list;
}

struct NameCase {
  const char* why;
  QStringList paths;
  QStringList sorted;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.why; }

class SortByNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SortByNameTest, PutsFileNamesInNaturalOrder) {
  const NameCase& c = GetParam();
  RenameItemList list = ListOf(c.paths);
  SortItems(list, ListOrder::kByName, OrderKeys{kEnglish});
  EXPECT_EQ(Paths(list), c.sorted);
  for (const QString& path : c.paths) EXPECT_TRUE(list.IsFileInList(path)) << path.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortByNameTest,
    ::testing::Values(
        NameCase{"digits as numbers",
                 {"/d/IMG_10.jpg", "/d/IMG_2.jpg", "/d/IMG_1.jpg", "/d/IMG_100.jpg"},
                 {"/d/IMG_1.jpg", "/d/IMG_2.jpg", "/d/IMG_10.jpg", "/d/IMG_100.jpg"}},
        NameCase{"letter case ignored",
                 {"/d/b.txt", "/d/C.txt", "/d/a.txt"},
                 {"/d/a.txt", "/d/b.txt", "/d/C.txt"}},
        NameCase{"accents as the locale places them",
                 {"/d/etz.txt", QString::fromUtf16(u"/d/\u00e9t\u00e9.txt"), "/d/eta.txt"},
                 {"/d/eta.txt", QString::fromUtf16(u"/d/\u00e9t\u00e9.txt"), "/d/etz.txt"}},
        NameCase{"the file name counts, not its folder",
                 {"/a/b.txt", "/z/a.txt"},
                 {"/z/a.txt", "/a/b.txt"}},
        NameCase{"equal names ordered by their folders",
                 {"/z/a.txt", "/b/a.txt", "/a/b.txt", "/B2/a.txt"},
                 {"/b/a.txt", "/B2/a.txt", "/z/a.txt", "/a/b.txt"}}));

TEST(SortByNameTest, TheCLocaleStillSortsDigitsAsNumbersAndIgnoresCase) {
  RenameItemList list = ListOf({"/d/img_10.jpg", "/d/IMG_9.jpg", "/d/b.jpg"});
  SortItems(list, ListOrder::kByName, OrderKeys{QLocale::c()});
  EXPECT_EQ(Paths(list), QStringList({"/d/b.jpg", "/d/IMG_9.jpg", "/d/img_10.jpg"}));
}

struct KeyCase {
  const char* why;
  ListOrder order;
  std::vector<int64_t> sizes;
  std::vector<qint64> modified;
  QStringList sorted;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.why; }

class SortByKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SortByKeyTest, SortsStablyByTheKey) {
  const KeyCase& c = GetParam();
  RenameItemList list;
  for (size_t i = 0; i < c.sizes.size(); ++i) {
    list.Append(ItemAt(QStringLiteral("/d/%1").arg(i), c.sizes[i], c.modified[i]));
  }
  SortItems(list, c.order, OrderKeys{kEnglish});
  EXPECT_EQ(Paths(list), c.sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortByKeyTest,
    ::testing::Values(
        KeyCase{"size, equal sizes keep their order",
                ListOrder::kBySize,
                {30, 10, 20, 10},
                {0, 0, 0, 0},
                {"/d/1", "/d/3", "/d/2", "/d/0"}},
        KeyCase{"an unreadable size first",
                ListOrder::kBySize,
                {5, -1, 2},
                {0, 0, 0},
                {"/d/1", "/d/2", "/d/0"}},
        KeyCase{"date modified",
                ListOrder::kByDateModified,
                {1, 2, 3, 4},
                {400, 100, 300, 100},
                {"/d/1", "/d/3", "/d/2", "/d/0"}},
        KeyCase{"date taken is the modified time by default",
                ListOrder::kByDateTaken,
                {1, 2, 3},
                {300, 100, 200},
                {"/d/1", "/d/2", "/d/0"}},
        KeyCase{"reversed", ListOrder::kReversed, {3, 1, 2}, {0, 0, 0}, {"/d/2", "/d/1", "/d/0"}}));

TEST(SortByDateTakenTest, UsesTheDateTakenGiven) {
  RenameItemList list;
  for (int i = 0; i < 4; ++i) list.Append(ItemAt(QStringLiteral("/d/%1").arg(i), 0, i));
  // Taken in the opposite order to their modified times; one with no date first.
  const DateTakenOf taken = [](const TRenameItem& item) {
    const int i = item.OriginalName.toInt();
    return i == 2 ? QDateTime() : QDateTime::fromSecsSinceEpoch(100 - i, Qt::UTC);
  };
  SortItems(list, ListOrder::kByDateTaken, OrderKeys{kEnglish, taken});
  EXPECT_EQ(Paths(list), QStringList({"/d/2", "/d/3", "/d/1", "/d/0"}));
}

// A photo taken in the afternoon of the 5th and a plain file changed at noon
// UTC on the 5th, in Tokyo (UTC+9): the plain file's 21:00 comes after the
// photo's 14:00, which only holds when both are compared as local times.
TEST(OrderOfListTest, SortsByDateTakenReadOnceFallingBackToTheLocalModifiedTime) {
  testing::TempFolder temp;
  const QString photo = temp.file("photo.jpg");
  QFile file(photo);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(testing::TaggedJpeg({{testing::kDateTimeOriginal, "2024:08:05 14:00:00"}}));
  file.close();
  RenameItemList list;
  list.Append(ItemAt(temp.Create({"plain.txt"}).front(), 0,
                     QDateTime(QDate(2024, 8, 5), QTime(12, 0), Qt::UTC).toSecsSinceEpoch()));
  list.Append(ItemAt(photo));
  const EngineContext tokyo = EngineContext::Fixed(QDateTime(), QTimeZone("Asia/Tokyo"));

  list.Reorder(OrderOfList(list, ListOrder::kByDateTaken, kEnglish, tokyo));
  EXPECT_EQ(Paths(list), QStringList({photo, temp.file("plain.txt")}));
  EXPECT_EQ(list.at(0).TakenLocal, QDateTime(QDate(2024, 8, 5), QTime(14, 0), Qt::UTC));
  ASSERT_TRUE(list.at(1).TakenLocal.has_value());
  EXPECT_FALSE(list.at(1).TakenLocal->isValid());

  StopRequest stop;
  stop.Request(1);
  EXPECT_FALSE(ReadMissingTakenTimes(ListOf({photo}).items(), tokyo, &stop, nullptr));
}

TEST(ReorderTest, ReversingTwiceGivesTheListBack) {
  const QStringList paths = {"/d/b", "/d/a", "/d/c"};
  RenameItemList list = ListOf(paths);
  SortItems(list, ListOrder::kReversed, OrderKeys{kEnglish});
  EXPECT_EQ(Paths(list), QStringList({"/d/c", "/d/a", "/d/b"}));
  SortItems(list, ListOrder::kReversed, OrderKeys{kEnglish});
  EXPECT_EQ(Paths(list), paths);
}

}  // namespace
}  // namespace corvane
