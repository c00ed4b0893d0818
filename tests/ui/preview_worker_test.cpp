// The preview worker: only the newest request is answered, and a scheduled
// one waits for quiet on a clock the test moves by hand. A computation's end
// is waited for as long as it takes, never for a fixed time.
#include "ui/preview_worker.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimeZone>

#include "collect/add_files.h"
#include "support/manual_clock.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
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

  // Until every request made so far has been answered or thrown away; the
  // quiet must not be running, as only the test moves the clock.
  void WaitUntilIdle() {
    ASSERT_FALSE(clock_.running());
    while (worker_.busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  TempFolder temp_;
  RenameItemList list_;
  RenameOptions options_;
  quint64 version_ = 1;
  int snapshots_ = 0;  // each one a computation started
  testing::ManualClock clock_;
  PreviewWorker worker_{
      EngineContext::Fixed(QDateTime(QDate(2026, 3, 4), QTime(5, 6), QTimeZone::utc()),
                           QTimeZone::utc()),
      RealFileSystem(),
      [this] {
        ++snapshots_;
        return PreviewWorker::Request{list_.items(), options_, version_};
      },
      nullptr, clock_};
  QList<QStringList> names_;  // of each answer heard
  QList<quint64> versions_;
};

TEST_F(PreviewWorkerTest, OnlyTheNewestRequestIsAnswered) {
  options_.pattern = "first_{name}";
  worker_.RunNow();
  // Asked while the first computes (its end is only heard from the event
  // loop): the first is then thrown away unheard.
  options_.pattern = "second_{name}";
  version_ = 2;
  worker_.RunNow();
  WaitUntilIdle();
  EXPECT_EQ(names_, QList<QStringList>({{"second_a.txt", "second_b.txt"}}));
  EXPECT_EQ(versions_, QList<quint64>({2}));
  EXPECT_EQ(snapshots_, 2);
}

TEST_F(PreviewWorkerTest, AScheduledRequestWaitsForQuiet) {
  enum class Step { kSchedule, kRunNow, kCancel, kAdvance };
  struct Action {
    Step step;
    std::chrono::milliseconds by{0};  // for kAdvance
    int snapshotsAfter;               // computations started by then
  };
  struct Case {
    const char* name;
    std::vector<Action> actions;
    qsizetype answers;
  };
  const auto quiet = std::chrono::milliseconds(PreviewWorker::kQuietMilliseconds);
  const Case cases[] = {
      {"StartsOnceQuietForTheWholeDelay",
       {{Step::kSchedule, 0ms, 0}, {Step::kAdvance, quiet - 1ms, 0}, {Step::kAdvance, 1ms, 1}},
       1},
      {"ANewerEditStartsTheQuietAgain",
       {{Step::kSchedule, 0ms, 0},
        {Step::kAdvance, quiet - 50ms, 0},
        {Step::kSchedule, 0ms, 0},
        {Step::kAdvance, quiet - 1ms, 0},
        {Step::kAdvance, 1ms, 1}},
       1},
      {"ACancelledOneNeverStarts",
       {{Step::kSchedule, 0ms, 0}, {Step::kCancel, 0ms, 0}, {Step::kAdvance, quiet * 2, 0}},
       0},
      {"RunNowStartsAtOnceInstead",
       {{Step::kSchedule, 0ms, 0}, {Step::kRunNow, 0ms, 1}, {Step::kAdvance, quiet * 2, 1}},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    snapshots_ = 0;
    names_.clear();
    for (const Action& action : c.actions) {
      switch (action.step) {
        case Step::kSchedule:
          worker_.Schedule();
          break;
        case Step::kRunNow:
          worker_.RunNow();
          break;
        case Step::kCancel:
          worker_.Cancel();
          break;
        case Step::kAdvance:
          clock_.Advance(action.by);
          break;
      }
      EXPECT_EQ(snapshots_, action.snapshotsAfter);
      // Waiting for quiet or computing, a request keeps the worker busy.
      EXPECT_EQ(worker_.busy(), clock_.running() > 0 || snapshots_ > names_.size());
    }
    WaitUntilIdle();
    EXPECT_EQ(names_.size(), c.answers);
  }
}

TEST_F(PreviewWorkerTest, JudgingCarriesTheNamesTheItemsHold) {
  list_.SetNewNames(QStringList{"x.txt", "a.txt"});
  options_.pattern = "ignored_{name}";
  worker_.JudgeNow();
  WaitUntilIdle();
  ASSERT_EQ(names_.size(), 1);
  EXPECT_EQ(names_.first(), QStringList({"x.txt", "a.txt"}));
}

}  // namespace
}  // namespace corvane
