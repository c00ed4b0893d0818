// Every text of every window and box shows whole in each language: the main
// window with its options, its menus, the settings dialog, and the boxes the
// window asks and tells with, built as the program shows them.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "support/text_fit.h"
#include "ui/settings_dialog.h"
#include "ui/theme.h"
#include "ui/window_fixture.h"

namespace corvane {
namespace {

class TextFitTest : public testing::WindowTest, public ::testing::WithParamInterface<int> {
 protected:
  TextFitTest() : WindowTest(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS)) {}

  void PickLanguage(int column) {
    for (QAction* item : Find<QMenu>("mmLanguage")->actions()) {
      if (item->data().toInt() == column) item->trigger();
    }
  }

  // The boxes the window showed, shown again as the program shows them.
  QStringList UnfitInBoxes() {
    QStringList unfit;
    for (const testing::ScriptedDialogs::Shown& shown : dialogs_.messages) {
      unfit << UnfitInShown(*NewMessageBox(&window_, shown.kind, shown.title, shown.text));
    }
    for (const QString& question : dialogs_.questions) {
      const QString title = question.section(u'|', 0, 0);
      unfit << UnfitInShown(*NewQuestionBox(&window_, title, question.section(u'|', 1)));
    }
    return unfit;
  }

  static QStringList UnfitInShown(QWidget& box) {
    box.show();
    QCoreApplication::processEvents();
    return testing::UnfitTexts(box);
  }
};

TEST_P(TextFitTest, EveryTextOfTheWindowItsMenusDialogAndBoxesShowsWhole) {
  ASSERT_TRUE(ApplyTheme(*qApp).ok());
  PickLanguage(GetParam());
  const QString language = Translations().currentCode();
  ASSERT_EQ(Translations().currentIndex(), GetParam());
  ASSERT_TRUE(Action("ShowSettings1")->isChecked());
  ASSERT_TRUE(Find("Panel2")->isVisible());
  QCoreApplication::processEvents();

  QStringList unfit = testing::UnfitTexts(window_);
  unfit << testing::UnfitMenuTitles(*window_.menuBar());
  for (QMenu* menu : window_.menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
    unfit << testing::UnfitMenuItems(*menu);
  }
  unfit << testing::UnfitMenuItems(*Find<QMenu>("PopupMenu1"));

  bool settingsShown = false;
  dialogs_.WhenNextShown([&](QDialog& settings) {
    QCoreApplication::processEvents();
    settingsShown = settings.isVisible();
    unfit << testing::UnfitTexts(settings);
  });
  Click("SpeedButton1");
  EXPECT_TRUE(settingsShown);

  dialogs_.ChooseNextFiles(temp_.Create({"files/a.txt", "files/b.txt"}));
  Click("btnAdd");
  Action("Preview1")->trigger();
  dialogs_.AnswerNextQuestion(false);
  Action("Rename1")->trigger();
  Click("Button1");
  Click("SpeedButton4");
  ASSERT_EQ(dialogs_.questions.size(), 1);
  ASSERT_EQ(dialogs_.messages.size(), 2);
  unfit << UnfitInBoxes();

  EXPECT_TRUE(unfit.isEmpty()) << language.toStdString() << ":\n"
                               << unfit.join(u'\n').toStdString();
}

std::string LanguageCode(const ::testing::TestParamInfo<int>& info) {
  const char* codes[] = {"en", "de", "fr", "es", "it", "pt"};
  return codes[info.param];
}

INSTANTIATE_TEST_SUITE_P(EachLanguage, TextFitTest, ::testing::Range(0, 6), LanguageCode);

}  // namespace
}  // namespace corvane
