// window_shot: renders the real main window, with a previewed folder of
// holiday photos in its list, into a PNG file (scripts/screenshot.sh). With a
// language code (de, fr, ...) the window opens in that language, as it does
// for a user who picked it before, from the shipped translations. A photo of
// an earlier import already has the third row's new name, so that row is
// numbered; with "skip" after the language the conflict rule is Skip, and the
// row is skipped instead.
//
// The window is drawn by the offscreen platform and grabbed from its own
// back buffer, so the picture is the same on every machine that has the
// fonts; the cursor does not blink and nothing animates.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include "batch/undo_log.h"
#include "i18n/translation.h"
#include "ui/preview_worker.h"
#include "ui/startup.h"

int main(int argc, char* argv[]) {
  if (argc < 2 || argc > 4 || (argc == 4 && qstrcmp(argv[3], "skip") != 0)) {
    QTextStream(stderr) << "usage: window_shot OUTPUT.png [LANGUAGE [skip]]\n";
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setCursorFlashTime(0);
  QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);

  QTemporaryDir home;
  const QString folder = home.filePath(QStringLiteral("Pictures/Lisbon 2026"));
  QDir().mkpath(folder);
  const char* names[] = {"IMG_20260612_094512.jpg", "IMG_20260612_101733.jpg",
                         "IMG_20260612_134058.jpg", "IMG_20260613_083020.jpg",
                         "IMG_20260613_172245.jpg", "IMG_20260614_110904.jpg",
                         "VID_20260614_191530.mp4", "notes from the trip.txt"};
  QStringList paths;
  qint64 size = 2'345'678;
  for (const char* name : names) {
    paths << folder + u'/' + QString::fromLatin1(name);
    QFile file(paths.back());
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size)) return 1;
    size = size * 7 / 5 % 9'876'543 + 123'456;
  }

  corvane::QtDialogs dialogs;
  corvane::WindowServices services{corvane::RealFileSystem(),
                                   home.filePath(QStringLiteral("last_rename.csv")),
                                   corvane::EngineContext::FromSystem()};
  services.userChoices =
      corvane::UserChoices::InIniFile(home.filePath(QStringLiteral("language.ini")));
  const QString language = argc >= 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");
  if (!services.userChoices.WriteCurrentLanguage(language)) return 1;
  const auto loadShipped = [&services] {
    return corvane::LoadTranslationsFrom(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS),
                                         corvane::LanguageToOpenIn(services.userChoices))
        .ok();
  };
  const auto window = corvane::StartMainWindow(app, dialogs, services, paths, loadShipped);
  if (!window) return 1;
  auto* pattern = window->findChild<QLineEdit*>(QStringLiteral("edtPattern"));
  pattern->setText(QStringLiteral("Lisbon_{counter}_{modified:yyyy-mm-dd}"));
  pattern->setCursorPosition(0);
  window->findChild<QComboBox*>(QStringLiteral("cbCase"))->setCurrentIndex(1);
  window->findChild<QLineEdit*>(QStringLiteral("edtFind"))->setText(QStringLiteral("IMG_"));
  auto* preview = window->findChild<QAction*>(QStringLiteral("Preview1"));
  const auto* worker = window->findChild<corvane::PreviewWorker*>(QStringLiteral("previewWorker"));
  const auto showPreview = [&] {
    preview->trigger();
    QApplication::processEvents();  // the names, and the worker set going
    while (worker->busy()) QApplication::processEvents(QEventLoop::AllEvents, 5);
  };
  showPreview();
  auto* list = window->findChild<QTableView*>(QStringLiteral("lvFiles"));
  QFile taken(folder + u'/' + list->model()->index(2, 1).data().toString());
  if (!taken.open(QIODevice::WriteOnly)) return 1;
  taken.close();
  if (argc == 4) {
    corvane::RenameOptions options = window->ReadOptions();
    options.conflict = static_cast<int>(corvane::ConflictMode::Skip);
    window->WriteOptions(options);
    pattern->setCursorPosition(0);
  }
  showPreview();
  list->selectionModel()->select(list->model()->index(5, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  list->setFocus();
  QApplication::processEvents();
  if (!window->grab().save(QString::fromLocal8Bit(argv[1]))) return 1;
  return 0;
}
