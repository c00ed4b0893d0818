// Start-up of the corvane executable. The terminal mode (/cli, help, version)
// runs without a window and needs no display; any other start opens the main
// window, with the arguments as files and folders to add.
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcessEnvironment>
#include <QTextStream>
#include <cstdio>

#include "base/build_info.h"
#include "batch/undo_log.h"
#include "cli/command_line.h"
#include "cli/console_sink.h"
#include "cli/run_command_line.h"
#include "engine/engine_context.h"
#include "i18n/translation.h"
#include "platform/file_system.h"
#include "ui/display_check.h"
#include "ui/startup.h"
#include "update_ui/startup_update.h"

#ifdef Q_OS_UNIX
#include <csignal>
#endif
#ifdef CORVANE_MIMALLOC
#include <mimalloc.h>
#endif

namespace {

corvane::StopRequest stopRequest;

#ifdef Q_OS_UNIX
// Ctrl+C and kill end a running batch between two files, with its log
// complete; at any other time they end the program as usual.
extern "C" void OnStopSignal(int signal) {
  if (stopRequest.armed()) {
    stopRequest.Request(signal);
    return;
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void CatchStopSignals() {
  struct sigaction action = {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}
#else
void CatchStopSignals() {}
#endif

// A terminal batch of 100,000 files touches about 100 MB once; in pages of
// 4 KiB that is some 27,000 page faults, which cost a virtual machine as much
// as a fifth of the renames themselves. Pages of 2 MiB take a few hundred.
void AskForLargePages() {
#ifdef CORVANE_MIMALLOC
  mi_option_enable(mi_option_large_os_pages);
#endif
}

int RunTerminal(int argc, char* argv[]) {
  AskForLargePages();
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
  QGuiApplication::setDesktopFileName(corvane::kApplicationId.toString());
  corvane::LoadTranslationsForUser();

  QTextStream out(stdout);
  QTextStream err(stderr);
  corvane::ConsoleSink sink(out, err);
  CatchStopSignals();
  const corvane::CommandLineServices services{corvane::RealFileSystem(), corvane::UndoLogPath(),
                                              corvane::EngineContext::FromSystem(), &stopRequest,
                                              corvane::StandardErrorIfTerminal()};
  // After QCoreApplication, which may take out arguments of its own.
  return corvane::RunCommandLine(corvane::ProgramArguments(argc, argv), corvane::RenameOptions(),
                                 sink, services);
}

// Without a display the toolkit would abort the process; say why instead.
int RefuseWithoutDisplay(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
  corvane::LoadTranslationsForUser();
  QTextStream err(stderr);
  err << corvane::Translate(QString::fromUtf16(corvane::kNoDisplayText)) << '\n';
  return corvane::kExitNoDisplay;
}

int RunWindow(int argc, char* argv[]) {
  QApplication app(argc, argv);
  corvane::QtDialogs dialogs;
  const corvane::WindowServices services{corvane::RealFileSystem(), corvane::UndoLogPath(),
                                         corvane::EngineContext::FromSystem()};
  // The version check comes before the window: a mandatory update, or an
  // update being installed, ends the program without one.
  const auto checkForUpdate = [&dialogs] {
    const corvane::UpdateUiServices update{
        [&dialogs](const QString& text) {
          dialogs.ShowMessage(nullptr, corvane::Dialogs::Kind::kError,
                              QCoreApplication::applicationName(), text);
        },
        [](const QUrl& address) { QDesktopServices::openUrl(address); }};
    return corvane::RunStartupUpdateCheck(corvane::kVersionText, update);
  };
  const std::unique_ptr<corvane::TFormMain> window = corvane::StartMainWindow(
      app, dialogs, services, corvane::ProgramArguments(argc, argv), checkForUpdate);
  if (!window) return corvane::kExitCompleted;
  return app.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  const QStringList raw = corvane::ProgramArguments(argc, argv);
  if (corvane::IsCommandLineRun(raw)) return RunTerminal(argc, argv);
  if (!corvane::DisplayAvailable(raw, QProcessEnvironment::systemEnvironment())) {
    return RefuseWithoutDisplay(argc, argv);
  }
  return RunWindow(argc, argv);
}
