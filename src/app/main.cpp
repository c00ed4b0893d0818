// Start-up of the corvane executable: the application title, the translations,
// then the command-line mode. Until the main window exists, a start without
// /cli (or /help) prints the usage and ends.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "batch/undo_log.h"
#include "cli/command_line.h"
#include "cli/console_sink.h"
#include "cli/run_command_line.h"
#include "cli/usage.h"
#include "engine/engine_context.h"
#include "i18n/translation.h"
#include "platform/file_system.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
  corvane::LoadTranslations();

  QTextStream out(stdout);
  QTextStream err(stderr);
  corvane::ConsoleSink sink(out, err);
  // After QCoreApplication, which may take out arguments of its own.
  const QStringList args = corvane::ProgramArguments(argc, argv);
  if (!corvane::IsCommandLineRun(args)) {
    for (const QString& line : corvane::UsageLines()) sink.ShowLine(line);
    return corvane::kExitCompleted;
  }
  const corvane::CommandLineServices services{corvane::RealFileSystem(), corvane::UndoLogPath(),
                                              corvane::EngineContext::FromSystem()};
  return corvane::RunCommandLine(args, corvane::RenameOptions(), sink, services);
}
