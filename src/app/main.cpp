// Start-up of the corvane executable: the application title, the translations,
// then the command-line mode. Until the main window exists, a start without
// /cli (or help or version) runs the update step and then prints the usage.
#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "batch/undo_log.h"
#include "cli/command_line.h"
#include "cli/console_sink.h"
#include "cli/run_command_line.h"
#include "cli/usage.h"
#include "engine/engine_context.h"
#include "i18n/translation.h"
#include "platform/file_system.h"
#include "update_ui/startup_update.h"

#ifdef Q_OS_UNIX
#include <csignal>
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

// The widgets need a display and a terminal run must not need one.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[], bool terminal) {
#ifdef Q_OS_UNIX
  const bool display = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
                       !qEnvironmentVariableIsEmpty("DISPLAY") ||
                       !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
  const bool display = true;
#endif
  if (terminal || !display) return std::make_unique<QCoreApplication>(argc, argv);
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::unique_ptr<QCoreApplication> app =
      MakeApplication(argc, argv, corvane::IsCommandLineRun(corvane::ProgramArguments(argc, argv)));
  QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
  corvane::LoadTranslations();

  QTextStream out(stdout);
  QTextStream err(stderr);
  corvane::ConsoleSink sink(out, err);
  // After QCoreApplication, which may take out arguments of its own.
  const QStringList args = corvane::ProgramArguments(argc, argv);
  if (!corvane::IsCommandLineRun(args)) {
    // Where the main window will open.
    if (!corvane::RunStartupUpdateCheck(corvane::kVersionText, corvane::DesktopUpdateServices())) {
      return corvane::kExitCompleted;
    }
    for (const QString& line : corvane::UsageLines()) sink.ShowLine(line);
    return corvane::kExitCompleted;
  }
  CatchStopSignals();
  const corvane::CommandLineServices services{corvane::RealFileSystem(), corvane::UndoLogPath(),
                                              corvane::EngineContext::FromSystem(), &stopRequest,
                                              corvane::StandardErrorIfTerminal()};
  return corvane::RunCommandLine(args, corvane::RenameOptions(), sink, services);
}
