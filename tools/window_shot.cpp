// window_shot: renders the real main window, with a previewed folder of
// holiday photos in its list, into a PNG file (scripts/screenshot.sh). With a
// language code (de, fr, ...) the window opens in that language, as it does
// for a user who picked it before, from the shipped translations. A photo of
// an earlier import already has the third row's new name, so that row is
// numbered; with "skip" after the language the conflict rule is Skip, and the
// row is skipped instead. With "taken" the photos carry the dates they were
// taken, in another order than their names, and the list is sorted by date
// taken and named by it.
//
// The window is drawn by the offscreen platform and grabbed from its own
// back buffer, so the picture is the same on every machine that has the
// fonts; the cursor does not blink and nothing animates.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <exiv2/exiv2.hpp>

#include "batch/undo_log.h"
#include "i18n/translation.h"
#include "ui/preview_worker.h"
#include "ui/startup.h"

namespace {

// The real file system, with the undo log and the remembered choices in `home`.
corvane::WindowServices ServicesIn(const QTemporaryDir& home) {
  corvane::WindowServices services{corvane::RealFileSystem(),
                                   home.filePath(QStringLiteral("last_rename.csv")),
                                   corvane::EngineContext::FromSystem()};
  services.userChoices =
      corvane::UserChoices::InIniFile(home.filePath(QStringLiteral("language.ini")));
  return services;
}

// A small photo at `path` whose Exif says it was taken at `exifTime`.
bool WritePhotoTaken(const QString& path, const char* exifTime) {
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(QColor(70, 130, 180));
  if (!picture.save(path, "JPG")) return false;
  try {
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    image->exifData()["Exif.Photo.DateTimeOriginal"] = std::string(exifTime);
    image->writeMetadata();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// The holiday of the sorted picture: photos of two cameras, a movie and a
// note, listed by name in another order than they were taken.
int ShowSortedByDateTaken(QApplication& app, const char* output) {
  QTemporaryDir home;
  const QString folder = home.filePath(QStringLiteral("Pictures/Algarve 2024"));
  QDir().mkpath(folder);
  const std::pair<const char*, const char*> photos[] = {
      {"DSC_0412.JPG", "2024:08:03 18:40:12"}, {"DSC_0413.JPG", "2024:08:04 09:02:55"},
      {"IMG_2001.JPG", "2024:08:01 11:15:40"}, {"IMG_2002.JPG", "2024:08:02 16:20:03"},
      {"IMG_2003.JPG", "2024:08:05 08:31:27"}, {"IMG_2010.JPG", "2024:08:05 19:47:10"}};
  QStringList paths;
  for (const auto& [name, taken] : photos) {
    paths << folder + u'/' + QString::fromLatin1(name);
    if (!WritePhotoTaken(paths.back(), taken)) return 1;
  }
  corvane::QtDialogs dialogs;
  corvane::WindowServices services = ServicesIn(home);
  const auto window = corvane::StartMainWindow(app, dialogs, services, paths, [] { return true; });
  if (!window) return 1;
  auto* pattern = window->findChild<QLineEdit*>(QStringLiteral("edtPattern"));
  pattern->setText(QStringLiteral("trip_{counter}_{taken:yyyy-mm-dd}"));
  pattern->setCursorPosition(0);
  window->findChild<QComboBox*>(QStringLiteral("cbCase"))->setCurrentIndex(1);
  window->findChild<QComboBox*>(QStringLiteral("cbExtCase"))->setCurrentIndex(1);
  window->findChild<QAction*>(QStringLiteral("SortByTaken1"))->trigger();
  window->findChild<QAction*>(QStringLiteral("Preview1"))->trigger();
  QApplication::processEvents();
  const auto* worker = window->findChild<corvane::PreviewWorker*>(QStringLiteral("previewWorker"));
  while (worker->busy()) QApplication::processEvents(QEventLoop::AllEvents, 5);
  window->findChild<QTableView*>(QStringLiteral("lvFiles"))->setFocus();
  QApplication::processEvents();
  return window->grab().save(QString::fromLocal8Bit(output)) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool sortedByTaken = argc == 3 && qstrcmp(argv[2], "taken") == 0;
  if (argc < 2 || argc > 4 || (argc == 4 && qstrcmp(argv[3], "skip") != 0)) {
    QTextStream(stderr) << "usage: window_shot OUTPUT.png [LANGUAGE [skip] | taken]\n";
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setCursorFlashTime(0);
  QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
  if (sortedByTaken) return ShowSortedByDateTaken(app, argv[1]);

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
  corvane::WindowServices services = ServicesIn(home);
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
