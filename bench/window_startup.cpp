// Corvane's window start-up for bench/startup_compare.sh: the same steps as
// the program (theme, title, translations, main window shown), ending at the
// first turn of the event loop.
#include <QApplication>
#include <QTimer>

#include "batch/undo_log.h"
#include "ui/startup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  corvane::QtDialogs dialogs;
  const corvane::WindowServices services{corvane::RealFileSystem(), corvane::UndoLogPath(),
                                         corvane::EngineContext::FromSystem()};
  const auto window = corvane::StartMainWindow(app, dialogs, services, {});
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}
