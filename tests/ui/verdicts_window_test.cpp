// The window's side of the verdicts and of live preview: the preview cells
// say what the batch will really do, the CLI's dry run says the same, and a
// live preview follows edits without ever showing a box. The window's
// preview worker is waited for until it is idle, however long that takes.
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include "cli/run_command_line.h"
#include "ui/verdict_look.h"
#include "ui/window_fixture.h"

namespace corvane {
namespace {

using testing::WindowTest;

class RecordingSink : public MessageSink {
 public:
  void ShowNotice(const Notice&) override {}
  void ShowError(const Error& error) override { lines << error.message(); }
  void ShowLine(const QString& line) override { lines << line; }
  void ShowErrorLine(const QString& line) override { lines << line; }
  QStringList lines;
};

class VerdictsWindowTest : public WindowTest {
 protected:
  // x1.txt, x2.txt and z.txt in the list; y1.txt beside them on disk only.
  QStringList AddFiles() {
    const QStringList paths = temp_.Create({"in/x1.txt", "in/x2.txt", "in/z.txt", "in/y1.txt"});
    Drop(paths.mid(0, 3));
    return paths.mid(0, 3);
  }
  void FindAndReplace(const QString& find, const QString& replace) {
    Find<QLineEdit>("edtFind")->setText(find);
    Find<QLineEdit>("edtReplace")->setText(replace);
  }
  QString Tip(int row) const {
    const QAbstractItemModel* model = List()->model();
    return model->data(model->index(row, 1), Qt::ToolTipRole).toString();
  }
  QLineEdit* FindBox() const { return Find<QLineEdit>("edtFind"); }
  PreviewWorker* Worker() const { return Find<PreviewWorker>("previewWorker"); }
  // Until the preview asked for (at once, after quiet, or by a call the
  // window has posted to the worker) has been shown.
  void WaitForPreview() {
    QCoreApplication::processEvents();
    while (Worker()->busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
};

TEST_F(VerdictsWindowTest, ThePreviewShowsTheFinalNamesAndTheDryRunSaysTheSame) {
  const QStringList paths = AddFiles();
  FindAndReplace("x", "y");
  Click("btnPreview");
  // The names as asked at once, then what the batch will make of them.
  EXPECT_EQ(Column(1), QStringList({"y1.txt", "y2.txt", "z.txt"}));
  WaitForPreview();
  EXPECT_EQ(Column(1), QStringList({"y1 (1).txt", "y2.txt", "z.txt"}));
  EXPECT_EQ(Tip(0), "y1 (1).txt\nnumbered: y1.txt is taken");
  EXPECT_EQ(Tip(2), "z.txt\nunchanged");
  EXPECT_EQ(Status(), QString::fromUtf8("Files: 3 \u00B7 1 numbered"));

  RecordingSink sink;
  const CommandLineServices services{RealFileSystem(), temp_.file("cli/last_rename.csv"),
                                     EngineContext::FromSystem()};
  ASSERT_EQ(RunCommandLine(QStringList{"/cli", "/dryrun", "/find=x", "/replace=y"} + paths,
                           RenameOptions(), sink, services),
            kExitCompleted);
  QStringList shown;
  for (int row = 0; row < 3; ++row) {
    const QString said = Tip(row).section(u'\n', 1);
    shown << paths[row] + " -> " + Column(1)[row] + (said.isEmpty() ? "" : "  [" + said + "]");
  }
  EXPECT_EQ(sink.lines, shown);
  EXPECT_EQ(temp_.List("in"), QStringList({"x1.txt", "x2.txt", "y1.txt", "z.txt"}));
}

TEST_F(VerdictsWindowTest, TheQuestionCountsWhatIsTakenNowAndTheBatchDoesWhatWasShown) {
  AddFiles();
  FindAndReplace("x", "y");
  Click("btnPreview");
  WaitForPreview();
  EXPECT_EQ(Status(), QString::fromUtf8("Files: 3 \u00B7 1 numbered"));
  // Taken on disk after the preview: the question judges again.
  temp_.Create({"in/y2.txt"});
  dialogs_.AnswerNextQuestion(true);
  Click("btnRename");
  ASSERT_EQ(dialogs_.questions.size(), 1);
  EXPECT_EQ(dialogs_.questions.first(),
            "Corvane|Proceed to rename files as shown in the preview?\n2 numbered");
  EXPECT_EQ(Column(0), QStringList({"y1 (1).txt", "y2 (1).txt", "z.txt"}));
  EXPECT_EQ(temp_.List("in"),
            QStringList({"y1 (1).txt", "y1.txt", "y2 (1).txt", "y2.txt", "z.txt"}));
  // The rows moved on: their old marks are gone.
  EXPECT_EQ(Status(), "Files: 3");
}

TEST_F(VerdictsWindowTest, LivePreviewFollowsTypingAndIsRemembered) {
  AddFiles();
  FindAndReplace("x", "y");
  // Off: nothing is even asked for.
  EXPECT_FALSE(Worker()->busy());
  EXPECT_EQ(Column(1), QStringList({"", "", ""}));

  Action("LivePreview1")->trigger();
  WaitForPreview();
  EXPECT_EQ(Column(1), QStringList({"y1 (1).txt", "y2.txt", "z.txt"}));
  FindBox()->selectAll();
  QTest::keyClicks(FindBox(), "z");
  EXPECT_TRUE(Worker()->busy());
  WaitForPreview();
  EXPECT_EQ(Column(1), QStringList({"x1.txt", "x2.txt", "y.txt"}));
  EXPECT_TRUE(dialogs_.messages.isEmpty());
  EXPECT_EQ(Status(), "Files: 3");  // files left as they are are no news

  // The next window starts with the choice left.
  TFormMain next(Services(), dialogs_);
  EXPECT_TRUE(next.findChild<QAction*>("LivePreview1")->isChecked());
}

TEST_F(VerdictsWindowTest, LivePreviewIsOnForANewInstallationAndStaysAsChosen) {
  WindowServices fresh = Services();
  fresh.userChoices = UserChoices::InIniFile(temp_.file("fresh.ini"));
  {
    TFormMain first(fresh, dialogs_);
    QAction* live = first.findChild<QAction*>("LivePreview1");
    EXPECT_TRUE(live->isChecked());
    live->trigger();
  }
  TFormMain second(fresh, dialogs_);
  EXPECT_FALSE(second.findChild<QAction*>("LivePreview1")->isChecked());
}

TEST_F(VerdictsWindowTest, AnInvalidExpressionMarksTheFindBoxInsteadOfABox) {
  AddFiles();
  RenameOptions options = window_.ReadOptions();
  options.regex = true;
  window_.WriteOptions(options);
  Action("LivePreview1")->trigger();
  QTest::keyClicks(FindBox(), "x(");
  WaitForPreview();
  EXPECT_TRUE(FindBox()->property("invalid").toBool());
  EXPECT_EQ(FindBox()->palette().color(QPalette::Base), ProblemBackground());
  EXPECT_TRUE(dialogs_.messages.isEmpty());
  EXPECT_FALSE(FindBox()->toolTip().isEmpty());
  EXPECT_EQ(Status(), FindBox()->toolTip());
  EXPECT_EQ(FindBox()->accessibleDescription(), FindBox()->toolTip());

  QTest::keyClick(FindBox(), Qt::Key_Backspace);
  WaitForPreview();
  EXPECT_FALSE(FindBox()->property("invalid").toBool());
  EXPECT_EQ(FindBox()->palette().color(QPalette::Base),
            Find<QLineEdit>("edtReplace")->palette().color(QPalette::Base));
  EXPECT_EQ(Status(), "Files: 3");
  // A preview asked for by hand still reports the error in its box.
  QTest::keyClicks(FindBox(), "[");
  Click("btnPreview");
  EXPECT_EQ(dialogs_.messages.size(), 1);
}

}  // namespace
}  // namespace corvane
