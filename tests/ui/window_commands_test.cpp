// The window's settings dialog, presets, help, About and web links, driven as
// a user drives them with every dialog scripted.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "ui/help_texts.h"
#include "ui/number_box.h"
#include "ui/settings_dialog.h"
#include "ui/window_fixture.h"

namespace corvane {
namespace {

using WindowCommandsTest = testing::WindowTest;

// The five values the settings dialog shows, read from its controls.
struct ShownSettings {
  QString counterStart;
  QString digits;
  int conflict = -2;
  QString conflictText;
  bool regex = true;
  bool touch = true;
};

ShownSettings Read(const QDialog& dialog) {
  const auto* conflict = dialog.findChild<QComboBox*>(QStringLiteral("cbConflict"));
  return {dialog.findChild<NumberBox*>(QStringLiteral("edtCounterStart"))->value(),
          dialog.findChild<NumberBox*>(QStringLiteral("edtDigits"))->value(),
          conflict->currentIndex(),
          conflict->currentText(),
          dialog.findChild<QCheckBox*>(QStringLiteral("cbRegex"))->isChecked(),
          dialog.findChild<QCheckBox*>(QStringLiteral("chkTouchModifiedNow"))->isChecked()};
}

TEST_F(WindowCommandsTest, AFreshStartShowsTheSettingsStartValuesInAFixedModalDialog) {
  std::optional<ShownSettings> shown;
  bool modal = false;
  QSize minimum, maximum;
  dialogs_.WhenNextShown([&](QDialog& dialog) {
    shown = Read(dialog);
    modal = dialog.isModal();
    minimum = dialog.minimumSize();
    maximum = dialog.maximumSize();
  });
  Click("SpeedButton1");
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(dialogs_.modalTitles, QStringList{"Settings"});
  EXPECT_EQ(shown->counterStart, "1");
  EXPECT_EQ(shown->digits, "3");
  EXPECT_EQ(shown->conflict, 2);
  EXPECT_EQ(shown->conflictText, "Auto-number");
  EXPECT_FALSE(shown->regex);
  EXPECT_FALSE(shown->touch);
  EXPECT_TRUE(modal);
  EXPECT_EQ(minimum, maximum);
  EXPECT_FALSE(window_.settings().isVisible());
}

TEST_F(WindowCommandsTest, TheSettingsAreWalkedByTabInTheirVisualOrderEachWithAName) {
  QStringList visited;
  dialogs_.WhenNextShown([&](QDialog& dialog) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* first = dialog.findChild<QWidget*>(QStringLiteral("edtCounterStart"));
    first->setFocus(Qt::TabFocusReason);
    for (int step = 0; step < 10; ++step) {
      QWidget* focused = QApplication::focusWidget();
      ASSERT_NE(focused, nullptr);
      EXPECT_FALSE(focused->accessibleName().isEmpty()) << focused->metaObject()->className();
      // A number box's focus sits in its line edit.
      QWidget* control = focused->objectName().isEmpty() ? focused->parentWidget() : focused;
      visited << control->objectName();
      QTest::keyClick(focused, Qt::Key_Tab);
      if (QApplication::focusWidget() == first ||
          first->isAncestorOf(QApplication::focusWidget())) {
        break;
      }
    }
  });
  Click("SpeedButton1");
  EXPECT_EQ(visited, QStringList({"edtCounterStart", "edtDigits", "cbConflict", "cbRegex",
                                  "chkTouchModifiedNow", "Button1"}));
}

TEST_F(WindowCommandsTest, DigitsTypedInTheSettingsOutliveTheCloseBoxAndFeedThePreview) {
  const QString path = temp_.Create({"files/a.txt"}).first();
  dialogs_.ChooseNextFiles({path});
  Click("btnAdd");
  Find<QLineEdit>("edtPattern")->setText(QStringLiteral("{counter}"));

  dialogs_.WhenNextShown([](QDialog& dialog) {
    auto* digits = dialog.findChild<NumberBox*>(QStringLiteral("edtDigits"));
    digits->setFocus();
    QTest::keyClick(digits, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(digits, QStringLiteral("x5"));  // a letter is refused
    dialog.close();                                  // the close box
  });
  Action("Settings1")->trigger();
  EXPECT_EQ(window_.ReadOptions().digits, "5");
  Click("btnPreview");
  EXPECT_EQ(Column(1), QStringList{"00001.txt"});

  // The next opening still shows it, and "Close" keeps what was changed too.
  std::optional<ShownSettings> again;
  dialogs_.WhenNextShown([&](QDialog& dialog) {
    again = Read(dialog);
    dialog.findChild<QCheckBox*>(QStringLiteral("cbRegex"))->setChecked(true);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
  });
  Click("SpeedButton1");
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->digits, "5");
  EXPECT_TRUE(window_.ReadOptions().regex);
}

TEST_F(WindowCommandsTest, APresetLoadedWhileTheSettingsAreHiddenShowsWhenTheyOpen) {
  const QString preset =
      temp_.Create({"p.json"},
                   "{\"counterStart\":\"40\",\"digits\":\"6\",\"conflict\":0,\"regex\":true,"
                   "\"touchModifiedNow\":true,\"changeExt\":false}")[0];
  dialogs_.ChooseNextFile(preset);
  Click("btnLoadPreset");
  EXPECT_EQ(dialogs_.fileDialogs, QStringList{"Load Preset...|Preset JSON (*.json)"});
  EXPECT_TRUE(dialogs_.messages.isEmpty());

  std::optional<ShownSettings> shown;
  dialogs_.WhenNextShown([&](QDialog& dialog) { shown = Read(dialog); });
  Click("SpeedButton1");
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->counterStart, "40");
  EXPECT_EQ(shown->digits, "6");
  EXPECT_EQ(shown->conflictText, "Skip");
  EXPECT_TRUE(shown->regex);
  EXPECT_TRUE(shown->touch);
}

TEST_F(WindowCommandsTest, SaveThenLoadBringsBackAllOptionsAndTheirEnableRules) {
  const RenameOptions chosen = testing::EveryOptionChanged();
  window_.WriteOptions(chosen);
  ASSERT_EQ(window_.ReadOptions(), chosen);

  // A name typed without an extension gets ".json".
  dialogs_.ChooseNextFile(temp_.file("mine"));
  Click("btnSavePreset");
  EXPECT_EQ(dialogs_.fileDialogs, QStringList{"Save Preset As...|Preset JSON (*.json)"});
  ASSERT_TRUE(temp_.Exists("mine.json"));
  EXPECT_FALSE(temp_.Exists("mine"));

  window_.WriteOptions(RenameOptions());
  ASSERT_FALSE(Find<QLineEdit>("edtNewExt")->isEnabled());
  ASSERT_FALSE(Find<QLineEdit>("edtDestination")->isEnabled());
  dialogs_.ChooseNextFile(temp_.file("mine.json"));
  Action("LoadPreset1")->trigger();
  EXPECT_EQ(window_.ReadOptions(), chosen);
  EXPECT_EQ(Find<QComboBox>("cbCase")->currentText(), "Title Case");
  EXPECT_EQ(Find<QComboBox>("cbExtCase")->currentText(), "lowercase");
  EXPECT_TRUE(Find<QLineEdit>("edtNewExt")->isEnabled());
  for (const char* part : {"lblDestination", "edtDestination", "Button2"}) {
    EXPECT_TRUE(Find(part)->isEnabled()) << part;
  }
  EXPECT_TRUE(dialogs_.messages.isEmpty());
  EXPECT_TRUE(dialogs_.AllAnswersTaken());
}

TEST_F(WindowCommandsTest, AFileThatCannotBeLoadedChangesNothingAndShowsTheErrorBox) {
  struct Case {
    const char* name;
    QByteArray content;  // empty: the file does not exist
    const char* message;
  };
  const Case cases[] = {
      {"picture.json", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "Not a preset file: "},
      {"notes.json", "{\"Find\" : \"a\", pattern: x}", "Not a preset file: "},
      {"absent.json", {}, "No such file or directory."},
  };
  Find<QLineEdit>("edtFind")->setText(QStringLiteral("kept"));
  const RenameOptions before = window_.ReadOptions();
  for (const Case& c : cases) {
    dialogs_.messages.clear();
    const QString path = c.content.isEmpty() ? temp_.file(QString::fromLatin1(c.name))
                                             : temp_.Create({c.name}, c.content)[0];
    dialogs_.ChooseNextFile(path);
    Click("btnLoadPreset");
    EXPECT_EQ(window_.ReadOptions(), before) << c.name;
    EXPECT_FALSE(Find<QLineEdit>("edtNewExt")->isEnabled()) << c.name;
    ASSERT_EQ(dialogs_.messages.size(), 1) << c.name;
    EXPECT_EQ(dialogs_.messages[0].kind, Dialogs::Kind::kError);
    EXPECT_EQ(dialogs_.messages[0].title, "Corvane");
    EXPECT_TRUE(dialogs_.messages[0].text.startsWith(QString::fromLatin1(c.message)))
        << dialogs_.messages[0].text.toStdString();
  }
}

TEST_F(WindowCommandsTest, CancelledPresetDialogsChangeNothing) {
  const RenameOptions before = window_.ReadOptions();
  Click("btnSavePreset");
  Click("btnLoadPreset");
  EXPECT_EQ(dialogs_.fileDialogs.size(), 2);
  EXPECT_EQ(window_.ReadOptions(), before);
  EXPECT_TRUE(temp_.List().isEmpty()) << temp_.List().join(u' ').toStdString();
  EXPECT_TRUE(dialogs_.messages.isEmpty());
}

TEST_F(WindowCommandsTest, PatternHelpShowsTwentySixLinesWithTheKeywordsAsWritten) {
  Click("Button1");
  ASSERT_EQ(dialogs_.messages.size(), 1);
  EXPECT_EQ(dialogs_.messages[0].kind, Dialogs::Kind::kInformation);
  const QStringList lines = dialogs_.messages[0].text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 26);
  for (const int empty : {2, 8, 21}) EXPECT_EQ(lines[empty - 1], "") << empty;
  EXPECT_EQ(lines[0], "Pattern defines how the new file name will be built.");
  EXPECT_EQ(lines[3], "Examples:");
  EXPECT_EQ(lines[4], "{counter}_{name}");
  EXPECT_EQ(lines[16], "{parent}/{folder} - parent folder name");
  EXPECT_EQ(lines[24], "{modified:yyyy-MM-dd_HH-mm-ss}");
  EXPECT_EQ(lines[25], "{name:1:8} - substring of the original name");
  EXPECT_FALSE(dialogs_.messages[0].text.endsWith(u'\n'));
}

TEST_F(WindowCommandsTest, AboutShowsTitleVersionAndTheSitesHost) {
  Click("SpeedButton4");
  Action("About1")->trigger();
  ASSERT_EQ(dialogs_.messages.size(), 2);
  EXPECT_EQ(dialogs_.messages[0].text, dialogs_.messages[1].text);
  const QStringList lines = dialogs_.messages[0].text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], "Corvane");
  EXPECT_EQ(lines[1], "Version: 2.4");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "Website: " + QUrl(QStringLiteral(CORVANE_WEB_SITE_BUILT)).host());
}

TEST_F(WindowCommandsTest, TheFourLinksOpenTheirPagesOfTheOneSite) {
  Action("utorial1")->trigger();
  Action("ContactUs1")->trigger();
  Action("VisitWebsite1")->trigger();
  auto* link = Find<QLabel>("lbHomepageURL");
  QTest::mouseClick(link, Qt::LeftButton);
  // The site is the build's setting; the paths are the program's own.
  const QString site = QStringLiteral(CORVANE_WEB_SITE_BUILT);
  EXPECT_EQ(opened_, QStringList({site + "/redirect/tutorial-zunt.html", site + "/support.html",
                                  site, site}));
  EXPECT_EQ(link->text(), site);
}

}  // namespace
}  // namespace corvane
