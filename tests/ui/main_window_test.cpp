// The main window driven as a user drives it, every box and dialog scripted.
#include "ui/main_window.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimeZone>
#include <QToolButton>
#include <QUrl>

#include "support/completed_text.h"
#include "ui/number_box.h"
#include "ui/window_fixture.h"

namespace corvane {
namespace {

using testing::ScriptedDialogs;

using MainWindowTest = testing::WindowTest;

TEST_F(MainWindowTest, StartsWithEveryControlAtItsStartValue) {
  EXPECT_EQ(window_.windowTitle(), "Corvane 2.4");
  const RenameOptions options = window_.ReadOptions();
  EXPECT_EQ(options, RenameOptions());
  struct Text {
    const char* control;
    const char* text;
  };
  const Text texts[] = {
      {"edtFind", ""},      {"edtReplace", ""},     {"edtPattern", "{name}"},
      {"edtNewExt", ""},    {"edtInsertText", ""},  {"edtCropBefore", ""},
      {"edtCropAfter", ""}, {"edtDestination", ""}, {"edtCharactersToRemove", ""}};
  for (const Text& t : texts) EXPECT_EQ(Find<QLineEdit>(t.control)->text(), t.text) << t.control;
  const Text numbers[] = {{"edtInsertPos", "1"},     {"edtRemoveFirst", "0"},
                          {"edtRemoveLast", "0"},    {"edtRemoveFromPos", "0"},
                          {"edtRemoveTillPos", "0"}, {"edtPadNumbers", "0"}};
  for (const Text& t : numbers) EXPECT_EQ(Find<NumberBox>(t.control)->value(), t.text) << t.control;

  QComboBox* cases = Find<QComboBox>("cbCase");
  EXPECT_EQ(cases->currentIndex(), 0);
  EXPECT_EQ(cases->itemText(3), "Title Case");
  QComboBox* modes = Find<QComboBox>("cbBatchMode");
  EXPECT_EQ(modes->currentIndex(), 0);
  EXPECT_EQ(modes->itemText(2), "Move to folder");
  EXPECT_FALSE(Find<QCheckBox>("chkNewExt")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("chkIncludeSubfolders")->isVisible());
  EXPECT_TRUE(Action("ShowSettings1")->isChecked());
  EXPECT_EQ(Status(), "  Add the files");
  EXPECT_EQ(List()->model()->headerData(0, Qt::Horizontal).toString(), "Original Name");
  EXPECT_EQ(Find<QToolButton>("btnRename")->toolTip(), "Rename Files!");
  EXPECT_EQ(Find<QToolButton>("btnAdd")->toolTip(), "Add Files...");
}

TEST_F(MainWindowTest, EnableRulesFollowTheCheckBoxAndTheOperationAndKeepTheText) {
  QCheckBox* newExt = Find<QCheckBox>("chkNewExt");
  QLineEdit* ext = Find<QLineEdit>("edtNewExt");
  EXPECT_FALSE(ext->isEnabled());
  QTest::mouseClick(newExt, Qt::LeftButton, {}, QPoint(8, newExt->height() / 2));
  EXPECT_TRUE(ext->isEnabled());
  ext->setText(QStringLiteral("bak"));
  newExt->setChecked(false);
  EXPECT_FALSE(ext->isEnabled());
  EXPECT_EQ(ext->text(), "bak");

  QComboBox* mode = Find<QComboBox>("cbBatchMode");
  QWidget* destinationParts[] = {Find("lblDestination"), Find("edtDestination"), Find("Button2")};
  for (QWidget* w : destinationParts) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  for (const int position : {1, 2}) {
    mode->setCurrentIndex(position);
    for (QWidget* w : destinationParts) EXPECT_TRUE(w->isEnabled()) << position;
  }
  Find<QLineEdit>("edtDestination")->setText(QStringLiteral("/out"));
  mode->setCurrentIndex(0);
  for (QWidget* w : destinationParts) EXPECT_FALSE(w->isEnabled());
  EXPECT_EQ(Find<QLineEdit>("edtDestination")->text(), "/out");
}

TEST_F(MainWindowTest, ShowOptionsHidesThePanelAndPutsItBackUnderTheToolbar) {
  QWidget* panel = Find("Panel2");
  const int listHeight = List()->height();
  const int panelTop = panel->mapTo(&window_, QPoint()).y();
  const int columnWidth = List()->columnWidth(2);
  Action("ShowSettings1")->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(panel->isVisible());
  EXPECT_FALSE(Action("ShowSettings1")->isChecked());
  EXPECT_EQ(List()->height(), listHeight + panel->height());
  EXPECT_EQ(List()->columnWidth(2), columnWidth);

  Action("ShowSettings1")->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->mapTo(&window_, QPoint()).y(), panelTop);
  EXPECT_EQ(panelTop, Find("Panel1")->geometry().bottom() + 1);
  EXPECT_EQ(List()->mapTo(&window_, QPoint()).y(), panelTop + panel->height());
  EXPECT_EQ(List()->height(), listHeight);
}

TEST_F(MainWindowTest, ToolbarAndMenuGiveTheSameCommand) {
  struct Pair {
    const char* button;
    const char* action;
  };
  const Pair pairs[] = {{"btnAdd", "AddFiles1"},
                        {"btnRemove", "RemoveSelected1"},
                        {"btnPreview", "Preview1"},
                        {"btnRename", "Rename1"},
                        {"btnUndo", "Undo1"},
                        {"btnSavePreset", "SavePreset1"},
                        {"btnLoadPreset", "LoadPreset1"}};
  for (const Pair& p : pairs) {
    EXPECT_EQ(Find<QToolButton>(p.button)->defaultAction(), Action(p.action)) << p.button;
  }
  // And the same outcome, clicked or chosen: the empty list's message.
  Click("btnRename");
  Action("Rename1")->trigger();
  EXPECT_EQ(Messages(), QStringList(2, "Nothing to rename. Add files and build a preview first."));
}

TEST_F(MainWindowTest, RenameAsksFirstEvenWithoutAPreviewAndNoChangesNothing) {
  const QString path = temp_.Create({"files/a.txt"}).first();
  Drop({path});
  dialogs_.AnswerNextQuestion(false);
  Click("btnRename");
  // Without a preview the file has no new name, and the question says so.
  EXPECT_EQ(dialogs_.questions,
            QStringList({"Corvane|Proceed to rename files as shown in the preview?\n"
                         "1 cannot be made"}));
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(temp_.List("files"), QStringList({"a.txt"}));

  dialogs_.AnswerNextQuestion(true);
  Click("btnRename");
  EXPECT_EQ(Messages(),
            QStringList({"Please build preview first (click \"Preview Result\" button)."}));
  EXPECT_EQ(dialogs_.messages.first().kind, Dialogs::Kind::kWarning);
  EXPECT_EQ(temp_.List("files"), QStringList({"a.txt"}));
}

TEST_F(MainWindowTest, AWholeBatchPreviewRenameAndUndo) {
  Drop(temp_.Create({"photos/a.txt", "photos/b.txt"}, "x"));
  Find<QLineEdit>("edtPattern")->setText(QStringLiteral("{name}_{counter}"));
  Find<QComboBox>("cbCase")->setCurrentIndex(2);
  SelectRows({1});
  QTest::keyClick(&window_, Qt::Key_F5);
  EXPECT_EQ(Column(1), QStringList({"A_001.txt", "B_002.txt"}));
  EXPECT_EQ(Column(0), QStringList({"a.txt", "b.txt"}));
  EXPECT_TRUE(List()->selectionModel()->isRowSelected(1));

  dialogs_.AnswerNextQuestion(true);
  Click("btnRename");
  EXPECT_EQ(temp_.List("photos"), QStringList({"A_001.txt", "B_002.txt"}));
  EXPECT_EQ(Column(0), QStringList({"A_001.txt", "B_002.txt"}));
  EXPECT_EQ(Column(2), QStringList(2, temp_.file("photos/")));
  EXPECT_EQ(Messages(), QStringList({testing::CompletedText(temp_.file("appdata"))}));
  EXPECT_TRUE(temp_.Exists("appdata/last_rename.csv"));

  Click("btnUndo");
  EXPECT_EQ(temp_.List("photos"), QStringList({"a.txt", "b.txt"}));
  EXPECT_EQ(List()->model()->rowCount(), 0);
  EXPECT_EQ(Status(), "Files: 0");
  EXPECT_EQ(Messages().last(), "Undo completed for the last rename operation.");
  Action("Undo1")->trigger();
  EXPECT_EQ(Messages().last(), "No undo log found in AppData.");
}

TEST_F(MainWindowTest, DropsAddFilesAndFoldersOnceAndPassOverWhatIsNotThere) {
  temp_.Create({"f/one.txt", "f/.hidden", "f/sub/deep.txt", "f/two.txt", "loose.txt"});
  struct Case {
    const char* name;
    bool subfolders;
    QStringList drops;  // relative paths, each dropped on its own
    QStringList names;  // sorted
  };
  const Case cases[] = {
      {"a folder twice", false, {"f", "f"}, {".hidden", "one.txt", "two.txt"}},
      {"with subfolders", true, {"f"}, {".hidden", "deep.txt", "one.txt", "two.txt"}},
      {"a file and a vanished path", false, {"loose.txt", "gone.txt"}, {"loose.txt"}},
  };
  for (const Case& c : cases) {
    SelectRows({0});
    Find<QCheckBox>("chkIncludeSubfolders")->setChecked(c.subfolders);
    Action("Clearlist1")->trigger();
    for (const QString& drop : c.drops) Drop({temp_.file(drop)});
    QStringList names = Column(0);
    names.sort();
    EXPECT_EQ(names, c.names) << c.name;
    EXPECT_EQ(Status(), QStringLiteral("Files: %1").arg(c.names.size())) << c.name;
  }
}

TEST_F(MainWindowTest, DroppedDataOtherThanLocalFilesIsIgnored) {
  const QString path = temp_.Create({"a.txt"}).first();
  QMimeData text;
  text.setText(path);
  Drop(text);
  QMimeData remote;
  remote.setUrls({QUrl(QStringLiteral("https://example.org/a.txt"))});
  Drop(remote);
  EXPECT_EQ(List()->model()->rowCount(), 0);
  EXPECT_EQ(Status(), "  Add the files");
}

TEST_F(MainWindowTest, RemovalCommandsDifferOnlyAsTheTableSays) {
  const QStringList names = {"n1", "n2", "n3", "n4", "n5"};
  struct Case {
    const char* name;
    const char* command;
    QList<int> selected;
    QStringList left;
    const char* status;  // "" when it stays as it was
  };
  const Case cases[] = {
      {"toolbar, rows 2 and 4", "RemoveSelected1", {1, 3}, {"n1", "n3", "n5"}, "Files: 3"},
      {"toolbar, nothing selected", "RemoveSelected1", {}, names, ""},
      {"pop-up, nothing selected", "miRemoveSelected", {}, names, "Files: 5"},
      {"pop-up, row 5", "miRemoveSelected", {4}, {"n1", "n2", "n3", "n4"}, "Files: 4"},
      {"clear, nothing selected", "Clearlist1", {}, names, ""},
      {"clear, one selected", "Clearlist1", {2}, {}, "Files: 0"},
      {"Delete key, rows 1 and 2", "Delete", {0, 1}, {"n3", "n4", "n5"}, "Files: 3"},
  };
  for (const Case& c : cases) {
    SelectRows({0});
    Action("Clearlist1")->trigger();
    Drop(temp_.Create(names));
    Find<QLabel>("StatusText")->setText(QStringLiteral("before"));
    SelectRows(c.selected);
    if (QByteArray(c.command) == "Delete") {
      List()->setFocus();
      QTest::keyClick(List(), Qt::Key_Delete);
    } else {
      Action(c.command)->trigger();
    }
    EXPECT_EQ(Column(0), c.left) << c.name;
    EXPECT_EQ(Status(), *c.status ? QString::fromLatin1(c.status) : "before") << c.name;
  }
}

TEST_F(MainWindowTest, AddFilesUsesTheDialogAndCancelChangesNothing) {
  const QStringList paths = temp_.Create({"b.txt", "a.txt"});
  Click("btnAdd");
  EXPECT_EQ(dialogs_.fileDialogs, QStringList({"Select files to add|All files (*)"}));
  EXPECT_EQ(Status(), "  Add the files");
  dialogs_.ChooseNextFiles(paths);
  QTest::keyClick(&window_, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(Column(0), QStringList({"b.txt", "a.txt"}));
  EXPECT_EQ(Status(), "Files: 2");
}

TEST_F(MainWindowTest, AnErrorShowsTheBoxAndKeepsTheRowsAddedBeforeIt) {
  const QStringList files = temp_.Create({"first.txt", "last.txt"});
  // A name longer than any file system takes: the system cannot say what is there.
  const QString unreadable = temp_.file(QString(300, u'x') + QStringLiteral("/f.txt"));
  Drop({files[0], unreadable, files[1]});
  ASSERT_EQ(dialogs_.messages.size(), 1);
  const ScriptedDialogs::Shown& box = dialogs_.messages.first();
  EXPECT_EQ(box.kind, Dialogs::Kind::kError);
  EXPECT_EQ(box.title, "Corvane");
  EXPECT_TRUE(box.text.endsWith(u'.')) << box.text.toStdString();
  EXPECT_EQ(Column(0), QStringList({"first.txt"}));
  EXPECT_EQ(Status(), "  Add the files");
  // Still usable.
  Drop({files[1]});
  EXPECT_EQ(Column(0), QStringList({"first.txt", "last.txt"}));
}

TEST_F(MainWindowTest, DestinationPickerStartsAtAnExistingFolderOrTheCurrentOne) {
  Find<QComboBox>("cbBatchMode")->setCurrentIndex(1);
  QLineEdit* destination = Find<QLineEdit>("edtDestination");
  const QString out = temp_.CreateFolder("out");
  struct Case {
    QString typed;
    QString start;
  };
  const Case cases[] = {
      {QString(), QDir::currentPath()}, {temp_.file("missing"), QDir::currentPath()}, {out, out}};
  for (const Case& c : cases) {
    dialogs_.folderDialogs.clear();
    destination->setText(c.typed);
    Click("Button2");  // cancelled: the text stays
    EXPECT_EQ(dialogs_.folderDialogs, QStringList({"Select destination folder|" + c.start}));
    EXPECT_EQ(destination->text(), c.typed);
  }
  dialogs_.ChooseNextFolder(out);
  destination->clear();
  Click("Button2");
  EXPECT_EQ(destination->text(), QDir::toNativeSeparators(out));
}

TEST_F(MainWindowTest, ColumnsFollowTheListWidthAndTheLinkSitsOnTheStatusLine) {
  for (const int width : {1262, 900, 700}) {
    window_.resize(width, 657);
    QApplication::processEvents();
    const int inner = window_.width();  // no narrower than the window's least width
    const int listInner = List()->viewport()->width();
    const int folder = std::max(150, listInner - 280 - 280 - 90 - 6);
    EXPECT_EQ(List()->columnWidth(0), 280) << width;
    EXPECT_EQ(List()->columnWidth(1), 280) << width;
    EXPECT_EQ(List()->columnWidth(2), folder) << width;
    EXPECT_EQ(List()->columnWidth(3), 90) << width;
    const QWidget* link = Find("lbHomepageURL");
    const QStatusBar* bar = window_.statusBar();
    EXPECT_EQ(bar->height(), 25);
    EXPECT_EQ(link->y() - bar->y(), 3) << width;
    EXPECT_EQ(link->geometry().right() + 1, inner - 25) << width;
  }
}

TEST_F(MainWindowTest, EveryControlInTheFocusChainHasANameBothWays) {
  QWidget* first = Find("btnAdd");
  first->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), first);
  for (const Qt::KeyboardModifier direction : {Qt::NoModifier, Qt::ShiftModifier}) {
    QStringList visited;
    for (int step = 0; step < 100; ++step) {
      QWidget* focused = QApplication::focusWidget();
      ASSERT_NE(focused, nullptr);
      const QString name = focused->accessibleName();
      EXPECT_FALSE(name.isEmpty())
          << focused->objectName().toStdString() << " " << focused->metaObject()->className();
      visited << (focused->objectName().isEmpty() ? name : focused->objectName());
      QTest::keyClick(focused, Qt::Key_Tab, direction);
      if (QApplication::focusWidget() == first) break;
    }
    EXPECT_EQ(QApplication::focusWidget(), first);
    EXPECT_GE(visited.size(), 20) << visited.join(u' ').toStdString();
    if (direction == Qt::NoModifier) {
      // The visual order: toolbar, then the options column by column, the list, the operation.
      const auto at = [&](const char* name) { return visited.indexOf(QString::fromLatin1(name)); };
      EXPECT_LT(at("btnAdd"), at("btnRename"));
      EXPECT_LT(at("btnRename"), at("edtFind"));
      EXPECT_LT(at("edtFind"), at("cbCase"));
      EXPECT_LT(at("cbCase"), at("edtInsertText"));
      EXPECT_LT(at("edtInsertText"), at("edtCropBefore"));
      EXPECT_LT(at("edtCropBefore"), at("lvFiles"));
      EXPECT_LT(at("lvFiles"), at("cbBatchMode"));
    }
  }
}

TEST_F(MainWindowTest, CtrlQClosesTheWindow) {
  QTest::keyClick(&window_, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window_.isVisible());
}

}  // namespace
}  // namespace corvane
