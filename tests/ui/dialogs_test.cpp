// The boxes and the folder picker as QtDialogs shows them: Qt's own button
// texts follow the language picked in the window, and the folder picker
// offers no way to make a new folder.
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "ui/window_fixture.h"

namespace corvane {
namespace {

class QtTextsTest : public testing::WindowTest {
 protected:
  QtTextsTest() : WindowTest(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS)) {}

  void Pick(const QString& language) {
    for (QAction* item : Find<QMenu>("mmLanguage")->actions()) {
      if (item->text() == language) return item->trigger();
    }
    ADD_FAILURE() << "no language " << language.toStdString();
  }
};

QStringList YesAndNo() {
  const std::unique_ptr<QMessageBox> box = NewQuestionBox(nullptr, "Corvane", "Rename?");
  return {box->button(QMessageBox::Yes)->text(), box->button(QMessageBox::No)->text()};
}

TEST_F(QtTextsTest, TheButtonsOfAQuestionSpeakThePickedLanguage) {
  struct Case {
    const char* language;
    QStringList yesAndNo;
  };
  const Case cases[] = {
      {"Deutsch", {"&Ja", "&Nein"}}, {"English", {"&Yes", "&No"}}, {"Français", {"&Oui", "&Non"}},
      {"Español", {"&Sí", "&No"}},   {"Italiano", {"&Sì", "&No"}}, {"Português", {"&Sim", "&Não"}},
      {"English", {"&Yes", "&No"}},
  };
  for (const Case& c : cases) {
    Pick(QString::fromUtf8(c.language));
    EXPECT_EQ(YesAndNo(), c.yesAndNo) << c.language;
  }
}

TEST(FolderPickerTest, OffersNoButtonThatMakesANewFolder) {
  testing::TempFolder temp;
  const std::unique_ptr<QFileDialog> picker = NewFolderPicker(nullptr, "Destination", temp.path());
  picker->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(picker->fileMode(), QFileDialog::Directory);
  EXPECT_TRUE(picker->testOption(QFileDialog::ShowDirsOnly));
  const QWidget* newFolder = picker->findChild<QWidget*>(QStringLiteral("newFolderButton"));
  ASSERT_NE(newFolder, nullptr);
  EXPECT_FALSE(newFolder->isVisible());
}

}  // namespace
}  // namespace corvane
