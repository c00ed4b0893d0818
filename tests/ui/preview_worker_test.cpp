#include "ui/preview_worker.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

#include "collect/add_files.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::TempFolder;

class PreviewWorkerTest : public ::testing::Test {
 protected:
  PreviewWorkerTest() {
    EXPECT_TRUE(AddFiles(list_, temp_.Create({"a.txt", "b.txt"}), RealFileSystem()).ok());
    QObject::connect(&worker_, &PreviewWorker::Ready,
                     [this](const PreviewWorker::Answer& answer, quint64 version) {
                       ASSERT_TRUE(answer->ok());
                       names_.append((*answer)->preview.newNames);
                       versions_.append(version);
                     });
  }

  TempFolder temp_;
  RenameItemList list_;
  RenameOptions options_;
  quint64 version_ = 1;
  PreviewWorker worker_{
      EngineContext::Fixed(QDateTime(QDate(2026, 3, 4), QTime(5, 6), QTimeZone::utc()),
                           QTimeZone::utc()),
      RealFileSystem(), [this] { return PreviewWorker::Request{list_.items(), options_, version_}; }};
  QList<QStringList> names_;  // of each answer heard
  QList<quint64> versions_;
};

TEST_F(PreviewWorkerTest, OnlyTheNewestRequestIsAnswered) {
  options_.pattern = "first_{name}";
  worker_.RunNow();
  // Asked while the first computes: the first is then thrown away unheard.
  options_.pattern = "second_{name}";
  version_ = 2;
  worker_.RunNow();
  QTRY_COMPARE(names_.size(), 1);
  QTest::qWait(50);
  EXPECT_EQ(names_, QList<QStringList>({{"second_a.txt", "second_b.txt"}}));
  EXPECT_EQ(versions_, QList<quint64>({2}));
  EXPECT_FALSE(worker_.busy());

  // A scheduled request waits for quiet, and a cancelled one never comes.
  worker_.Schedule();
  EXPECT_TRUE(worker_.busy());
  worker_.Cancel();
  QTest::qWait(PreviewWorker::kQuietMilliseconds * 2);
  EXPECT_EQ(names_.size(), 1);
}

TEST_F(PreviewWorkerTest, JudgingCarriesTheNamesTheItemsHold) {
  list_.SetNewNames(QStringList{"x.txt", "a.txt"});
  options_.pattern = "ignored_{name}";
  worker_.JudgeNow();
  QTRY_COMPARE(names_.size(), 1);
  EXPECT_EQ(names_.first(), QStringList({"x.txt", "a.txt"}));
}

}  // namespace
}  // namespace corvane
