// /sort= and /reverse: the list is ordered after the files are added and
// before {counter} numbers them.
#include <gtest/gtest.h>

#include <QFile>
#include <QTimeZone>

#include "cli/run_command_line.h"
#include "support/holiday_folder.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::TempFolder;

class LinesSink : public MessageSink {
 public:
  void ShowNotice(const Notice&) override {}
  void ShowError(const Error& error) override { errorLines << error.message(); }
  void ShowLine(const QString&) override {}
  void ShowErrorLine(const QString& line) override { errorLines << line; }

  QStringList errorLines;
};

struct SortCase {
  const char* why;
  QStringList switches;
  QStringList renamed;  // in the order TempFolder::List gives them
};

void PrintTo(const SortCase& c, std::ostream* os) { *os << c.why; }

// Given in this order, with sizes 1, 3, 2 and modified in the order
// IMG_2, img_1, IMG_10.
const char* const kGiven[] = {"IMG_10.txt", "img_1.txt", "IMG_2.txt"};
const int kSizes[] = {1, 3, 2};
const int kModifiedDay[] = {3, 2, 1};

class SortSwitchesTest : public ::testing::TestWithParam<SortCase> {
 protected:
  int Run(const QStringList& switches) {
    QStringList args = QStringList{"/cli", "/pattern={counter}_{name}", "/digits=1"} + switches;
    for (int i = 0; i < 3; ++i) {
      const QString path = temp_.Create({kGiven[i]}, QByteArray(kSizes[i], 'x')).front();
      QFile file(path);
      EXPECT_TRUE(file.open(QIODevice::ReadWrite));
      EXPECT_TRUE(file.setFileTime(
          QDateTime(QDate(2020, 1, kModifiedDay[i]), QTime(12, 0), QTimeZone::utc()),
          QFileDevice::FileModificationTime));
      args << path;
    }
    const CommandLineServices services{
        RealFileSystem(), temp_.file("appdata/log.csv"),
        EngineContext::Fixed(QDateTime(QDate(2024, 5, 6), QTime(7, 8), QTimeZone::utc()),
                             QTimeZone::utc())};
    return RunCommandLine(args, RenameOptions(), sink_, services);
  }

  TempFolder temp_;
  LinesSink sink_;
};

TEST_P(SortSwitchesTest, CounterFollowsTheOrderAsked) {
  const SortCase& c = GetParam();
  ASSERT_EQ(Run(c.switches), kExitCompleted) << sink_.errorLines.join('\n').toStdString();
  EXPECT_EQ(temp_.List(), c.renamed + QStringList({"appdata"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortSwitchesTest,
    ::testing::Values(
        SortCase{
            "no sort keeps the order given", {}, {"1_IMG_10.txt", "2_img_1.txt", "3_IMG_2.txt"}},
        SortCase{"by name, digits as numbers",
                 {"/sort=name"},
                 {"1_img_1.txt", "2_IMG_2.txt", "3_IMG_10.txt"}},
        SortCase{"by name, then reversed",
                 {"/reverse", "/sort=NAME"},
                 {"1_IMG_10.txt", "2_IMG_2.txt", "3_img_1.txt"}},
        SortCase{"reversed alone", {"/reverse"}, {"1_IMG_2.txt", "2_img_1.txt", "3_IMG_10.txt"}},
        SortCase{"by size", {"/sort=size"}, {"1_IMG_10.txt", "2_IMG_2.txt", "3_img_1.txt"}},
        SortCase{
            "by date modified", {"/sort=modified"}, {"1_IMG_2.txt", "2_img_1.txt", "3_IMG_10.txt"}},
        SortCase{"by date taken, the modified time without one",
                 {"/sort=taken"},
                 {"1_IMG_2.txt", "2_img_1.txt", "3_IMG_10.txt"}}));

TEST(SortSwitchValueTest, AnUnknownSortIsRefusedNamingTheSwitch) {
  TempFolder temp;
  const QString file = temp.Create({"a.txt"}).front();
  LinesSink sink;
  const CommandLineServices services{RealFileSystem(), temp.file("log.csv"),
                                     EngineContext::Fixed(QDateTime(), QTimeZone::utc())};
  EXPECT_EQ(
      RunCommandLine({"/cli", "/pattern=b", "/sort=colour", file}, RenameOptions(), sink, services),
      kExitUsage);
  EXPECT_EQ(sink.errorLines, QStringList({"Unknown value for /sort: colour",
                                          "Choose one of: name, modified, taken, size"}));
  EXPECT_EQ(temp.List(), QStringList({"a.txt"}));
}

class HolidayRunTest : public ::testing::TestWithParam<const char*> {};

// Photos, a movie and a note, named in another order than they were taken,
// come out numbered by the day they were taken in one run, in any zone.
TEST_P(HolidayRunTest, NumbersThePhotosInTheOrderTheyWereTaken) {
  TempFolder temp;
  const QString folder = testing::MakeHolidayFolder(temp, "trip");
  LinesSink sink;
  const CommandLineServices services{
      RealFileSystem(), temp.file("appdata/log.csv"),
      EngineContext::Fixed(QDateTime(QDate(2024, 9, 1), QTime(8, 0), QTimeZone::utc()),
                           QTimeZone(GetParam()))};
  ASSERT_EQ(RunCommandLine(
                {"/cli", "/sort=taken", QStringLiteral("/pattern=%1").arg(testing::kTripPattern),
                 "/case=lower", "/extcase=lower", folder},
                RenameOptions(), sink, services),
            kExitCompleted)
      << sink.errorLines.join('\n').toStdString();
  EXPECT_EQ(temp.List("trip"), testing::HolidayTripNames());
}

INSTANTIATE_TEST_SUITE_P(Zones, HolidayRunTest,
                         ::testing::Values("UTC", "Asia/Tokyo", "America/Los_Angeles"));

}  // namespace
}  // namespace corvane
