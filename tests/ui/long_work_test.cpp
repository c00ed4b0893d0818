// Long work in the window: a batch, an undo and a drop run off the window's
// thread, show their progress when they last, can be cancelled between two
// files, and keep the list still meanwhile. The file system holds the work at
// a gate, so that a test acts while it is surely running, whatever the
// machine's speed.
#include <QAction>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "support/fault_injecting_file_system.h"
#include "support/manual_clock.h"
#include "ui/long_work.h"
#include "ui/window_fixture.h"

namespace corvane {
namespace {

// The real file system, with a gate: once closed, the moves (and the folder
// tests of paths holding a given part) after the next `n` wait until it
// opens again, however long that takes.
class GatedFileSystem final : public FaultInjectingFileSystem {
 public:
  GatedFileSystem() : FaultInjectingFileSystem(RealFileSystem()) {}

  void CloseAfter(int n, const QString& folderPart = {}) {
    std::lock_guard lock(mutex_);
    left_ = n;
    open_ = false;
    folderPart_ = folderPart;
  }
  void Open() {
    {
      std::lock_guard lock(mutex_);
      open_ = true;
    }
    opened_.notify_all();
  }
  bool waiting() const {
    std::lock_guard lock(mutex_);
    return waiting_;
  }

  Status MoveFile(const QString& from, const QString& to) override {
    Pass();
    return FaultInjectingFileSystem::MoveFile(from, to);
  }
  bool FolderExists(const QString& path) override {
    if (!folderPart_.isEmpty() && path.contains(folderPart_)) Pass();
    return FaultInjectingFileSystem::FolderExists(path);
  }

 private:
  void Pass() {
    std::unique_lock lock(mutex_);
    if (open_ || left_-- > 0) return;
    waiting_ = true;
    opened_.wait(lock, [this] { return open_; });
    waiting_ = false;
  }

  mutable std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = true;
  bool waiting_ = false;
  int left_ = 0;
  QString folderPart_;  // set before the work starts
};

struct GatedFiles {
  GatedFileSystem gated_;
};

class LongWorkTest : public GatedFiles, public testing::WindowTest {
 protected:
  LongWorkTest() : WindowTest(QString(), gated_) {}

  // kFiles files f000.txt ... in "files", each holding its own name; dropped
  // and previewed as f000_x.txt ...
  static constexpr int kFiles = 300;
  QStringList MakeFiles() {
    QStringList names;
    for (int i = 0; i < kFiles; ++i) {
      names << QStringLiteral("f%1.txt").arg(i, 3, 10, QChar(u'0'));
      temp_.Create({"files/" + names.last()}, names.last().toUtf8());
    }
    return names;
  }
  void DropAndPreview() {
    Drop({temp_.file("files")});
    Find<QLineEdit>("edtPattern")->setText(QStringLiteral("{name}_x"));
    Action("Preview1")->trigger();
  }
  void Rename() {
    dialogs_.AnswerNextQuestion(true);
    Action("Rename1")->trigger();
  }
  // Every file back under its own name with its own content.
  void ExpectAllBack(const QStringList& names) {
    EXPECT_EQ(temp_.List("files"), names);
    for (const QString& name : names) ASSERT_EQ(temp_.Read("files/" + name), name.toUtf8());
  }

  // Runs `step` on the window's thread every few ms while a progress dialog
  // exists, until it returns true; stopped when the test ends.
  void WhileWorking(std::function<bool(QProgressDialog&)> step) {
    auto* timer = new QTimer(&window_);
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer, step] {
      auto* dialog = window_.findChild<QProgressDialog*>(QStringLiteral("dlgProgress"));
      if (dialog && step(*dialog)) timer->stop();
    });
    timer->start(5);
  }
  // Once the work waits at the gate and the dialog is up: the checks of
  // `whileShown`, then Cancel, then the gate opens.
  void CancelAtTheGate(const std::function<void(QProgressDialog&)>& whileShown = {}) {
    WhileWorking([this, whileShown](QProgressDialog& dialog) {
      if (!gated_.waiting() || !dialog.isVisible()) return false;
      shown_ = true;
      if (whileShown) whileShown(dialog);
      QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnCancelWork")),
                        Qt::LeftButton);
      gated_.Open();
      return true;
    });
  }

  QStringList ListCommands() const {
    return {"AddFiles1",  "RemoveSelected1", "miRemoveSelected", "Clearlist1",
            "deleteRows", "Preview1",        "Rename1",          "Undo1"};
  }
  QStringList Enabled(const QStringList& actions) const {
    QStringList enabled;
    for (const QString& name : actions) {
      if (Action(name.toLatin1().constData())->isEnabled()) enabled << name;
    }
    return enabled;
  }

  bool shown_ = false;  // the dialog was seen up at the gate
};

// How many of the files listed are under a new name.
int RenamedOnDisk(const QStringList& onDisk) {
  return int(onDisk.count() -
             onDisk.filter(QRegularExpression(QStringLiteral("^f\\d{3}\\.txt$"))).count());
}

TEST_F(LongWorkTest, CancelHalfWayKeepsWhatWasRenamedAndAnUndoBringsEveryFileBack) {
  const QStringList names = MakeFiles();
  DropAndPreview();
  gated_.CloseAfter(kFiles / 3);
  QString label, dialogName, cancelName;
  int maximum = -1;
  QStringList enabledMeanwhile;
  int rowsMeanwhile = -1;
  CancelAtTheGate([&](QProgressDialog& dialog) {
    label = dialog.labelText();
    maximum = dialog.maximum();
    dialogName = dialog.accessibleName();
    cancelName = dialog.findChild<QPushButton*>(QStringLiteral("btnCancelWork"))->accessibleName();
    enabledMeanwhile = Enabled(ListCommands());
    // A drop, a shortcut's command and a close are all refused meanwhile.
    Drop({temp_.Create({"late.txt"}).first()});
    window_.AddDroppedPaths({temp_.file("late.txt")});
    Action("Clearlist1")->trigger();
    rowsMeanwhile = List()->model()->rowCount();
  });
  Rename();

  EXPECT_TRUE(shown_);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+ of 300 files$")).match(label).hasMatch())
      << label.toStdString();
  EXPECT_EQ(maximum, kFiles);
  EXPECT_EQ(dialogName, "Progress");
  EXPECT_EQ(cancelName, "Cancel");
  EXPECT_EQ(enabledMeanwhile, QStringList());
  EXPECT_EQ(rowsMeanwhile, kFiles);
  EXPECT_EQ(Enabled(ListCommands()), ListCommands());
  EXPECT_EQ(window_.findChild<QProgressDialog*>(), nullptr);

  const QStringList onDisk = temp_.List("files");
  const int renamed = RenamedOnDisk(onDisk);
  EXPECT_GT(renamed, 0);
  EXPECT_LT(renamed, kFiles);
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_EQ(Messages().first(),
            QStringLiteral("Batch stopped after %1 of 300 files. The undo log holds what was done.")
                .arg(renamed));
  QStringList rows = Column(0);
  rows.sort();
  EXPECT_EQ(rows, onDisk);  // the rows name each file where it now is

  Action("Undo1")->trigger();
  EXPECT_EQ(Messages().last(), "Undo completed for the last rename operation.");
  ExpectAllBack(names);
}

TEST_F(LongWorkTest, AStoppedUndoKeepsTheRestForTheNextUndo) {
  const QStringList names = MakeFiles();
  DropAndPreview();
  Rename();
  ASSERT_EQ(RenamedOnDisk(temp_.List("files")), kFiles);

  gated_.CloseAfter(kFiles / 2);
  CancelAtTheGate();
  Action("Undo1")->trigger();
  EXPECT_TRUE(shown_);
  const int stillRenamed = RenamedOnDisk(temp_.List("files"));
  EXPECT_GT(stillRenamed, 0);
  EXPECT_LT(stillRenamed, kFiles / 2);
  EXPECT_EQ(
      Messages().last(),
      QStringLiteral("Undo stopped after %1 of 300 files. Undo again to take back the others.")
          .arg(kFiles - stillRenamed));
  EXPECT_EQ(List()->model()->rowCount(), kFiles);
  EXPECT_EQ(Enabled(ListCommands()), ListCommands());

  Action("Undo1")->trigger();
  EXPECT_EQ(Messages().last(), "Undo completed for the last rename operation.");
  EXPECT_EQ(List()->model()->rowCount(), 0);
  ExpectAllBack(names);
}

// The second folder of the drop is held until Cancel: nothing of the first
// one gets in either.
TEST_F(LongWorkTest, ACancelledDropAddsNothing) {
  temp_.Create({"one/a.txt", "one/b.txt", "one/c.txt", "two/d.txt"});
  const QString status = Status();
  gated_.CloseAfter(0, QStringLiteral("two"));
  QString label;
  int maximum = -1;
  bool closed = true;
  CancelAtTheGate([&](QProgressDialog& dialog) {
    label = dialog.labelText();
    maximum = dialog.maximum();
    closed = window_.close();  // refused while the work runs
  });
  Drop({temp_.file("one"), temp_.file("two")});
  EXPECT_TRUE(shown_);
  EXPECT_EQ(label, "3 files found");
  EXPECT_EQ(maximum, 0);  // no known end
  EXPECT_EQ(List()->model()->rowCount(), 0);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(Status(), status);
  EXPECT_EQ(Messages(), QStringList());
  EXPECT_EQ(Enabled(ListCommands()), ListCommands());

  Drop({temp_.file("one"), temp_.file("two")});
  EXPECT_EQ(List()->model()->rowCount(), 4);
}

TEST(WorkCountsTextTest, CountsAreGroupedAsTheLocaleGroupsDigits) {
  const struct {
    QLocale locale;
    qsizetype done, total;
    const char* text;
  } cases[] = {
      {QLocale(QLocale::English, QLocale::UnitedStates), 51064, 100000, "51,064 of 100,000 files"},
      {QLocale(QLocale::German, QLocale::Germany), 51064, 100000, "51.064 of 100.000 files"},
      {QLocale(QLocale::English, QLocale::UnitedStates), 1234, ProgressReport::kUnknownTotal,
       "1,234 files found"},
      {QLocale(QLocale::English, QLocale::UnitedStates), 0, ProgressReport::kUnknownTotal, ""},
  };
  for (const auto& c : cases) {
    QLocale::setDefault(c.locale);
    EXPECT_EQ(WorkCountsText(c.done, c.total), c.text) << c.text;
  }
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST(ProgressDialogDueTest, AtHalfASecondOrEarlierWhenTheCountsSayTheRestTakesThatLong) {
  const struct {
    const char* name;
    int elapsedMs;
    qsizetype done, total;
    bool due;
  } cases[] = {
      {"AtTheStart", 0, 0, ProgressReport::kUnknownTotal, false},
      {"UnknownTotalJustBefore", 499, 1234, ProgressReport::kUnknownTotal, false},
      {"UnknownTotalAtHalfASecond", 500, 0, ProgressReport::kUnknownTotal, true},
      {"CountsTooYoung", 50, 1, 300, false},
      {"SlowStart", 100, 10, 300, true},
      {"NothingDoneYet", 100, 0, 300, false},
      {"RestJustUnderHalfASecond", 200, 100, 300, false},
      {"RestJustOverHalfASecond", 300, 100, 300, true},
      {"NearlyDone", 400, 290, 300, false},
      {"NearlyDoneAtHalfASecond", 500, 290, 300, true},
      {"AllDone", 100, 300, 300, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressDialogDue(std::chrono::milliseconds(c.elapsedMs), c.done, c.total), c.due)
        << c.name;
  }
}

// Work that reports its counts, then waits until the test lets it end.
class HeldWork {
 public:
  void operator()(qsizetype done, qsizetype total, ProgressReport& progress) {
    progress.Advanced(done, total);
    std::unique_lock lock(mutex_);
    waiting_ = true;
    wake_.wait(lock, [this] { return released_; });
  }
  bool waiting() {
    std::lock_guard lock(mutex_);
    return waiting_;
  }
  void Release() {
    {
      std::lock_guard lock(mutex_);
      released_ = true;
    }
    wake_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool waiting_ = false;
  bool released_ = false;
};

// Counts the times the progress dialog comes up.
class ShowCounter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->objectName() == "dlgProgress") ++shows;
    return false;
  }
  int shows = 0;
};

// Runs `step` on the window's thread once the work is held, from within Run.
void OnceHeld(QObject& context, HeldWork& held, std::function<void()> step) {
  QTimer::singleShot(0, &context, [&context, &held, step] {
    if (!held.waiting()) return OnceHeld(context, held, step);
    step();
  });
}

// The dialog's time is a clock the test moves while the work is held: it
// comes up exactly when due, and work that ends before never shows it.
TEST(LongWorkClockTest, TheDialogComesUpWhenDueAndNotBefore) {
  using std::chrono::milliseconds;
  const struct {
    const char* name;
    qsizetype done, total;
    std::vector<int> advancesMs;
    std::vector<bool> shownAfterEach;
    QString label;  // when shown
  } cases[] = {
      {"QuickWorkNeverShowsIt", 3, ProgressReport::kUnknownTotal, {100, 399}, {false, false}, ""},
      {"UnknownTotalAtHalfASecond",
       3,
       ProgressReport::kUnknownTotal,
       {499, 1},
       {false, true},
       "3 files found"},
      {"ASlowStartAtTheFirstReading", 10, 300, {99, 1}, {false, true}, "10 of 300 files"},
      {"NearlyDoneAtHalfASecond", 290, 300, {400, 99, 1}, {false, false, true}, "290 of 300 files"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget window;
    window.show();
    testing::ManualClock clock;
    LongWork longWork(&window, clock);
    HeldWork held;
    ShowCounter counter;
    qApp->installEventFilter(&counter);
    std::vector<bool> shown;
    QString label;
    OnceHeld(window, held, [&] {
      auto* dialog = window.findChild<QProgressDialog*>(QStringLiteral("dlgProgress"));
      for (int ms : c.advancesMs) {
        clock.Advance(milliseconds(ms));
        shown.push_back(dialog->isVisible());
      }
      label = dialog->labelText();
      held.Release();
    });
    ASSERT_TRUE(longWork.Run(
        [&](const StopRequest&, ProgressReport& progress) { held(c.done, c.total, progress); }));
    qApp->removeEventFilter(&counter);
    EXPECT_EQ(shown, c.shownAfterEach);
    EXPECT_EQ(counter.shows, c.shownAfterEach.back() ? 1 : 0);
    if (c.shownAfterEach.back()) {
      EXPECT_EQ(label, c.label);
    }
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
  }
}

}  // namespace
}  // namespace corvane
