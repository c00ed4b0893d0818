// The language menu and the re-captioning of the window and its dialogs, with
// the shipped translations; the help's fallback to English; a fresh
// installation following the desktop's language.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

#include "ui/help_texts.h"
#include "ui/settings_dialog.h"
#include "ui/window_fixture.h"

namespace corvane {
namespace {

constexpr int kLanguages = 6;
constexpr int kGerman = 1;

QStringList ShippedLines() {
  QFile file(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return QString::fromUtf8(file.readAll()).split(u'\n');
}

// The German cell of the shipped row whose English cell is `english`, read
// straight from the file.
QString German(const QString& english) {
  static const QStringList lines = ShippedLines();
  for (qsizetype i = 1; i + kLanguages <= lines.size(); i += kLanguages) {
    if (lines[i] == english) return lines[i + kGerman];
  }
  ADD_FAILURE() << "no row for " << english.toStdString();
  return {};
}

class LanguageTest : public testing::WindowTest {
 protected:
  LanguageTest() : WindowTest(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS)) {}

  QList<QAction*> LanguageItems() const { return Find<QMenu>("mmLanguage")->actions(); }
  QAction* Item(const char* name) const {
    for (QAction* item : LanguageItems()) {
      if (item->text() == QString::fromUtf8(name)) return item;
    }
    ADD_FAILURE() << name;
    return nullptr;
  }
  QLabel* LabelOf(const char* control) const {
    QWidget* buddy = Find(control);
    for (QLabel* label : window_.findChildren<QLabel*>()) {
      if (label->buddy() == buddy) return label;
    }
    ADD_FAILURE() << "no label for " << control;
    return nullptr;
  }
};

TEST_F(LanguageTest, OneCheckedItemPerLanguageInItsOwnWords) {
  QStringList names;
  for (QAction* item : LanguageItems()) {
    names << item->text();
    EXPECT_TRUE(item->isCheckable());
    EXPECT_EQ(item->isChecked(), names.size() == 1) << item->text().toStdString();
  }
  EXPECT_EQ(names,
            QStringList({"English", "Deutsch", "Français", "Español", "Italiano", "Português"}));
  Item("Español")->trigger();
  Item("Deutsch")->trigger();
  for (QAction* item : LanguageItems()) {
    EXPECT_EQ(item->isChecked(), item->text() == "Deutsch") << item->text().toStdString();
  }
  EXPECT_EQ(Item("English")->text(), "English");
}

TEST_F(LanguageTest, PickingGermanStoresItAtOnceAndRecaptionsTheWholeWindow) {
  dialogs_.ChooseNextFiles(temp_.Create({"files/a.txt", "files/b.txt"}));
  Click("btnAdd");
  ASSERT_NE(Status(), "  Add the files");
  Find<QComboBox>("cbCase")->setCurrentIndex(3);
  Find<QComboBox>("cbBatchMode")->setCurrentIndex(1);
  QHeaderView* header = List()->horizontalHeader();
  header->resizeSection(0, 123);
  const int folderWidth = header->sectionSize(2);

  Item("Deutsch")->trigger();
  EXPECT_EQ(store().ReadCurrentLanguage(), "de");

  struct Caption {
    const char* name;
    const char* english;
  };
  const Caption menus[] = {{"File1", "File"},
                           {"Operation1", "Operation"},
                           {"View1", "View"},
                           {"mmLanguage", "Language"},
                           {"Help1", "Help"}};
  for (const Caption& c : menus) {
    EXPECT_EQ(Find<QMenu>(c.name)->title(), German(c.english)) << c.name;
  }
  EXPECT_EQ(Find<QMenu>("File1")->title(), "Datei");
  const Caption items[] = {{"AddFiles1", "Add Files..."},
                           {"RemoveSelected1", "Remove Selected Items"},
                           {"SavePreset1", "Save Preset As..."},
                           {"LoadPreset1", "Load Preset..."},
                           {"Exit1", "Exit"},
                           {"Preview1", "Preview Result"},
                           {"Rename1", "Rename Files!"},
                           {"Undo1", "Undo Last Rename"},
                           {"ShowSettings1", "Show Options"},
                           {"utorial1", "Tutorial"},
                           {"ContactUs1", "Contact Us"},
                           {"VisitWebsite1", "Visit Website"},
                           {"About1", "About..."}};
  for (const Caption& c : items) EXPECT_EQ(Action(c.name)->text(), German(c.english)) << c.name;
  const Caption tips[] = {
      {"btnAdd", "Add Files..."},          {"btnRemove", "Remove Selected Items"},
      {"btnPreview", "Preview Result"},    {"btnRename", "Rename Files!"},
      {"btnUndo", "Undo Last Rename"},     {"btnSavePreset", "Save Preset As..."},
      {"btnLoadPreset", "Load Preset..."}, {"SpeedButton1", "Settings..."},
      {"SpeedButton4", "About..."}};
  for (const Caption& c : tips) {
    EXPECT_EQ(Find<QToolButton>(c.name)->toolTip(), German(c.english)) << c.name;
  }
  const Caption labels[] = {{"edtFind", "Find in name:"},
                            {"edtReplace", "Replace with:"},
                            {"edtPattern", "Pattern:"},
                            {"cbCase", "Case:"},
                            {"edtInsertText", "Insert text"},
                            {"edtInsertPos", "at position:"},
                            {"edtRemoveFirst", "Remove first:"},
                            {"edtRemoveLast", "Remove last:"},
                            {"edtRemoveFromPos", "Remove from position"},
                            {"edtRemoveTillPos", "until position:"},
                            {"edtCropBefore", "Trim from text:"},
                            {"edtCropAfter", "Trim until text:"},
                            {"edtCharactersToRemove", "Remove characters:"},
                            {"edtPadNumbers", "Add leading zeroes to the numbers. Digits count:"},
                            {"cbBatchMode", "Operation:"},
                            {"edtDestination", "Destination:"}};
  for (const Caption& c : labels) {
    EXPECT_EQ(LabelOf(c.name)->text(), German(c.english)) << c.name;
    EXPECT_EQ(Find(c.name)->accessibleName(), German(c.english)) << c.name;
  }
  EXPECT_EQ(Find<QCheckBox>("chkNewExt")->text(), German("New extension:"));
  EXPECT_EQ(Find<QCheckBox>("chkCollapseDoubleSpaces")->text(), German("Collapse double spaces"));

  const char* cases[] = {"Unchanged", "lowercase", "UPPERCASE", "Title Case"};
  QComboBox* caseList = Find<QComboBox>("cbCase");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(caseList->itemText(i), German(cases[i])) << i;
  EXPECT_EQ(caseList->currentIndex(), 3);
  const char* modes[] = {"Rename in place", "Copy to folder", "Move to folder"};
  QComboBox* modeList = Find<QComboBox>("cbBatchMode");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(modeList->itemText(i), German(modes[i])) << i;
  EXPECT_EQ(modeList->currentIndex(), 1);
  EXPECT_TRUE(Find("edtDestination")->isEnabled());

  const char* headers[] = {"Original Name", "New Name (preview)", "Folder", "Size"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(List()->model()->headerData(i, Qt::Horizontal).toString(), German(headers[i])) << i;
  }
  EXPECT_EQ(header->sectionSize(0), 123);
  EXPECT_EQ(header->sectionSize(2), folderWidth);
  EXPECT_EQ(Status(), "  " + German("Add the files"));

  // Texts that stay as they are in every language.
  EXPECT_EQ(window_.windowTitle(), "Corvane 2.4");
  EXPECT_EQ(Find<QPushButton>("Button1")->text(), "?");
}

TEST_F(LanguageTest, TheSettingsDialogFollowsTheLanguageWhenNextShownAndKeepsItsConflict) {
  dialogs_.WhenNextShown([](QDialog& dialog) {
    dialog.findChild<QComboBox*>(QStringLiteral("cbConflict"))->setCurrentIndex(1);
  });
  Click("SpeedButton1");
  Item("Deutsch")->trigger();
  struct Shown {
    QString title, counterStart, close;
    QStringList conflicts;
    int conflict = -1;
  } shown;
  dialogs_.WhenNextShown([&](QDialog& dialog) {
    shown.title = dialog.windowTitle();
    shown.counterStart = dialog.findChild<QLabel*>(QStringLiteral("lblCounterStart"))->text();
    shown.close = dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->text();
    auto* conflict = dialog.findChild<QComboBox*>(QStringLiteral("cbConflict"));
    for (int i = 0; i < conflict->count(); ++i) shown.conflicts << conflict->itemText(i);
    shown.conflict = conflict->currentIndex();
  });
  Click("SpeedButton1");
  EXPECT_EQ(shown.title, German("Settings"));
  EXPECT_EQ(dialogs_.modalTitles.last(), German("Settings"));
  EXPECT_EQ(shown.counterStart, German("Counter start:"));
  EXPECT_EQ(shown.close, German("Close"));
  EXPECT_EQ(shown.conflicts,
            QStringList({German("Skip"), German("Overwrite"), German("Auto-number")}));
  EXPECT_EQ(shown.conflict, 1);
  EXPECT_EQ(window_.ReadOptions().conflict, 1);
}

TEST_F(LanguageTest, HelpAndAboutAreBuiltInTheLanguageOfTheMoment) {
  Item("Deutsch")->trigger();
  Click("Button1");
  Click("SpeedButton4");
  ASSERT_EQ(dialogs_.messages.size(), 2);
  const QStringList help = dialogs_.messages[0].text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(help.size(), 26);
  EXPECT_EQ(help[0], German("Pattern defines how the new file name will be built."));
  EXPECT_EQ(help[4], "{counter}_{name}");
  EXPECT_EQ(help[9], "{name} - " + German("file name after string replacement"));
  EXPECT_TRUE(dialogs_.messages[1].text.contains(German("Version:") + " 2.4"));
}

// Without a catalogue the menu is empty and every text English.
using NoCatalogueTest = testing::WindowTest;

TEST_F(NoCatalogueTest, TheLanguageMenuIsEmptyAndTheTextsEnglish) {
  EXPECT_TRUE(Find<QMenu>("mmLanguage")->actions().isEmpty());
  EXPECT_EQ(Find<QMenu>("mmLanguage")->title(), "Language");
  EXPECT_EQ(Find<QMenu>("File1")->title(), "File");
}

TEST(HelpFallbackTest, ATextMissingFromTheLanguageShowsInEnglishAmongTranslatedLines) {
  testing::TempFolder temp;
  QStringList lines = ShippedLines();
  const qsizetype examples = lines.indexOf(QStringLiteral("Examples:"));
  ASSERT_GT(examples, 0);
  lines[examples + kGerman].clear();
  const QString file = temp.Create({"transl.dt"}, lines.join(u'\n').toUtf8())[0];
  const UserChoices store = UserChoices::InIniFile(temp.file("language.ini"));
  ASSERT_TRUE(store.WriteCurrentLanguage(QStringLiteral("de")));
  const testing::CatalogueForTest catalogue(file, store);

  const QStringList help = PatternHelpText().split(QStringLiteral("\r\n"));
  ASSERT_EQ(help.size(), 26);
  EXPECT_EQ(help[3], "Examples:");
  EXPECT_EQ(help[2], German("You can combine plain text with keywords in braces."));
  EXPECT_NE(help[2], "You can combine plain text with keywords in braces.");
  EXPECT_EQ(help[8], German("Supported keywords:"));
}

// A fresh installation (nothing remembered) opens in the desktop's language.
// The desktop's locale is read once per process, so the check runs the
// window in a child process with a German desktop.
TEST(DesktopLanguageTest, AFreshInstallationOpensInTheDesktopsLanguage) {
  if (qEnvironmentVariableIsSet("CORVANE_DESKTOP_PROBE")) {
    testing::TempFolder temp;
    const testing::CatalogueForTest catalogue(
        QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS),
        UserChoices::InIniFile(temp.file("never-written.ini")));
    testing::ScriptedDialogs dialogs;
    WindowServices services{RealFileSystem(), temp.file("log.csv"), EngineContext::FromSystem()};
    services.userChoices = UserChoices::InIniFile(temp.file("never-written.ini"));
    const TFormMain window(services, dialogs);
    const QMenu* file = window.findChild<QMenu*>(QStringLiteral("File1"));
    std::printf("File menu: %s\n", qPrintable(file->title()));
    return;
  }
  struct Desktop {
    const char* lang;
    const char* messages;  // LC_MESSAGES, which names the language of texts
    const char* expected;
  };
  const Desktop desktops[] = {{"de_DE.UTF-8", nullptr, "Datei"},
                              {"fr_FR.UTF-8", nullptr, "Fichier"},
                              {"sv_SE.UTF-8", nullptr, "File"},
                              {"en_GB.UTF-8", "es_ES.UTF-8", "Archivo"},
                              {"en_US.UTF-8", "de_DE.UTF-8", "Datei"}};
  for (const Desktop& desktop : desktops) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) env.remove(name);
    env.insert("LANG", desktop.lang);
    // Numbers and dates in English, as many desktops keep them.
    env.insert("LC_NUMERIC", desktop.lang);
    if (desktop.messages) env.insert("LC_MESSAGES", desktop.messages);
    env.insert("CORVANE_DESKTOP_PROBE", "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=DesktopLanguageTest.*"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("File menu: " + QString::fromUtf8(desktop.expected) + u'\n'))
        << desktop.lang << " " << (desktop.messages ? desktop.messages : "") << "\n"
        << output.toStdString();
  }
}

}  // namespace
}  // namespace corvane
