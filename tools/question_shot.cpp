// question_shot: renders the question the real window asks before a batch
// into a PNG file (scripts/screenshot.sh), in the language of the code given
// (de when none is), from the shipped translations. The window opens on
// three photos with their preview, "Rename Files!" is pressed, and the box is
// drawn as the program shows it, grabbed, and answered No.
//
// The box is drawn by the offscreen platform, so it has no title bar; the
// picture is the same on every machine that has the fonts.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextStream>

#include "i18n/qt_texts.h"
#include "i18n/translation.h"
#include "ui/preview_worker.h"
#include "ui/startup.h"

namespace {

// Grabs the question instead of waiting for an answer; every other box and
// dialog is Qt's own.
class QuestionGrab final : public corvane::Dialogs {
 public:
  explicit QuestionGrab(QString output) : output_(std::move(output)) {}

  bool saved() const { return saved_; }

  bool AskYesNo(QWidget* parent, const QString& title, const QString& text) override {
    const std::unique_ptr<QMessageBox> box = corvane::NewQuestionBox(parent, title, text);
    box->show();
    QApplication::processEvents();
    saved_ = box->grab().save(output_);
    return false;
  }
  void ShowMessage(QWidget* parent, Kind kind, const QString& title, const QString& text) override {
    qt_.ShowMessage(parent, kind, title, text);
  }
  QStringList OpenFileNames(QWidget* parent, const QString& title, const QString& filter) override {
    return qt_.OpenFileNames(parent, title, filter);
  }
  std::optional<QString> OpenFileName(QWidget* parent, const QString& title,
                                      const QString& filter) override {
    return qt_.OpenFileName(parent, title, filter);
  }
  std::optional<QString> SaveFileName(QWidget* parent, const QString& title,
                                      const QString& filter) override {
    return qt_.SaveFileName(parent, title, filter);
  }
  std::optional<QString> ExistingFolder(QWidget* parent, const QString& title,
                                        const QString& startFolder) override {
    return qt_.ExistingFolder(parent, title, startFolder);
  }
  void RunModal(QDialog& dialog) override { qt_.RunModal(dialog); }

 private:
  corvane::QtDialogs qt_;
  QString output_;
  bool saved_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2 || argc > 3) {
    QTextStream(stderr) << "usage: question_shot OUTPUT.png [LANGUAGE]\n";
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  QTemporaryDir home;
  const QString folder = home.filePath(QStringLiteral("Pictures"));
  QDir().mkpath(folder);
  QStringList paths;
  for (const char* name : {"IMG_0412.jpg", "IMG_0413.jpg", "IMG_0414.jpg"}) {
    paths << folder + u'/' + QString::fromLatin1(name);
    QFile file(paths.back());
    if (!file.open(QIODevice::WriteOnly)) return 1;
  }

  QuestionGrab dialogs(QString::fromLocal8Bit(argv[1]));
  corvane::WindowServices services{corvane::RealFileSystem(),
                                   home.filePath(QStringLiteral("last_rename.csv")),
                                   corvane::EngineContext::FromSystem()};
  services.userChoices =
      corvane::UserChoices::InIniFile(home.filePath(QStringLiteral("language.ini")));
  const QString language = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("de");
  if (!services.userChoices.WriteCurrentLanguage(language)) return 1;
  const auto loadShipped = [&services] {
    const bool loaded =
        corvane::LoadTranslationsFrom(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS),
                                      corvane::LanguageToOpenIn(services.userChoices))
            .ok();
    return loaded && corvane::UseQtTextsInCurrentLanguage();
  };
  const auto window = corvane::StartMainWindow(app, dialogs, services, paths, loadShipped);
  if (!window) return 1;
  const auto* worker = window->findChild<corvane::PreviewWorker*>(QStringLiteral("previewWorker"));
  window->findChild<QAction*>(QStringLiteral("Preview1"))->trigger();
  QApplication::processEvents();
  while (worker->busy()) QApplication::processEvents(QEventLoop::AllEvents, 5);
  window->findChild<QAction*>(QStringLiteral("Rename1"))->trigger();
  return dialogs.saved() ? 0 : 1;
}
