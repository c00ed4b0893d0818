// WindowTest: the fixture of the main window's tests. A fresh temporary
// folder, scripted dialogs, a fixed clock in UTC, a language store in the
// folder and a browser that only records the addresses it is given; the
// window is shown and active before each test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QTimeZone>
#include <QUrl>

#include "engine/rename_options.h"
#include "i18n/qt_texts.h"
#include "i18n/translation.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/scripted_dialogs.h"

namespace corvane::testing {

// Loads a translation file as the program's catalogue for the test's life
// (none: an empty catalogue), and leaves the catalogue empty, English
// current and Qt's own texts English, when the test ends.
class CatalogueForTest {
 public:
  CatalogueForTest(const QString& file, const UserChoices& store) {
    if (!file.isEmpty()) {
      EXPECT_TRUE(LoadTranslationsFrom(file, LanguageToOpenIn(store)).ok()) << file.toStdString();
    }
  }
  ~CatalogueForTest() {
    static_cast<void>(
        LoadTranslationsFrom(QString(), LanguageToOpenIn(UserChoices::InIniFile(QString()))));
    UseQtTextsIn(QString());
  }
  CatalogueForTest(const CatalogueForTest&) = delete;
  CatalogueForTest& operator=(const CatalogueForTest&) = delete;
};

class WindowTest : public ::testing::Test {
 protected:
  // `translations`, when given, is loaded as the catalogue before the window
  // is made, so that its language menu lists its languages. The window works
  // on `files`, which must outlive it.
  explicit WindowTest(const QString& translations = QString(), FileSystem& files = RealFileSystem())
      : files_(files), catalogue_(translations, store()), window_(Services(), dialogs_) {}

  WindowServices Services() {
    WindowServices services{
        files_, temp_.file("appdata/last_rename.csv"),
        EngineContext::Fixed(QDateTime(QDate(2026, 3, 4), QTime(5, 6), QTimeZone::utc()),
                             QTimeZone::utc())};
    services.userChoices = store();
    services.openPage = [this](const QUrl& address) { opened_.append(address.toString()); };
    return services;
  }
  // The tests preview by F5 unless they turn live preview on: their store
  // starts as a user's who turned it off.
  // The store lies apart from temp_, whose files the tests list.
  UserChoices store() const {
    const UserChoices choices = UserChoices::InIniFile(choicesFolder_.file("language.ini"));
    if (!QFileInfo::exists(choicesFolder_.file("language.ini"))) {
      (void)choices.WriteLivePreview(false);
    }
    return choices;
  }

  void SetUp() override {
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  template <typename W = QWidget>
  W* Find(const char* name) const {
    W* widget = window_.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QAction* Action(const char* name) const { return Find<QAction>(name); }
  void Click(const char* button) { QTest::mouseClick(Find(button), Qt::LeftButton); }

  QTableView* List() const { return Find<QTableView>("lvFiles"); }
  QString Status() const { return Find<QLabel>("StatusText")->text(); }
  QStringList Column(int column) const {
    QStringList cells;
    const QAbstractItemModel* model = List()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
      cells << model->data(model->index(row, column)).toString();
    }
    return cells;
  }
  void SelectRows(const QList<int>& rows) {
    List()->clearSelection();
    for (const int row : rows) {
      List()->selectionModel()->select(List()->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }

  // Drops `paths` on the window as a file manager does: a text/uri-list.
  void Drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    Drop(data);
  }
  void Drop(const QMimeData& data) {
    const QPoint at = List()->geometry().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window_, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window_, &drop);
  }

  QStringList Messages() const {
    QStringList texts;
    for (const ScriptedDialogs::Shown& shown : dialogs_.messages) texts << shown.text;
    return texts;
  }

  FileSystem& files_;
  TempFolder temp_;
  TempFolder choicesFolder_;
  ScriptedDialogs dialogs_;
  QStringList opened_;  // the addresses handed to the browser
  CatalogueForTest catalogue_;
  TFormMain window_;
};

// Every option away from its start value, and no two of one type alike, so
// that a control mapped to the wrong option shows.
inline RenameOptions EveryOptionChanged() {
  return RenameOptions{
      .find = QStringLiteral("a\\\"b"),
      .replace = QStringLiteral("c"),
      .regex = true,
      .pattern = QStringLiteral("{counter}_{name}"),
      .counterStart = QStringLiteral("12"),
      .digits = QStringLiteral("8"),
      .caseMode = 3,
      .changeExt = true,
      .newExt = QStringLiteral("bak"),
      .conflict = 0,
      .insertText = QStringLiteral("ins"),
      .insertPos = QStringLiteral("2"),
      .removeFirst = QStringLiteral("3"),
      .removeLast = QStringLiteral("4"),
      .removeFromPos = QStringLiteral("5"),
      .removeTillPos = QStringLiteral("6"),
      .charactersToRemove = QStringLiteral("xyz"),
      .collapseDoubleSpaces = true,
      .cropBefore = QStringLiteral("["),
      .cropAfter = QStringLiteral("]"),
      .padNumbers = QStringLiteral("7"),
      .includeSubfolders = true,
      .batchMode = 2,
      .destination = QStringLiteral("/out\\"),
      .touchModifiedNow = true,
      .extCase = 1,
  };
}

}  // namespace corvane::testing
