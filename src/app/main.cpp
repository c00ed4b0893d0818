// Start-up of the corvane executable: the application title, the translations,
// then the command-line mode. Until the main window exists, a start without
// /cli (or /help) prints the usage and ends.
#include "cli/console_sink.h"
#include "cli/usage.h"
#include "i18n/translation.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
  corvane::LoadTranslations();

  QTextStream out(stdout);
  QTextStream err(stderr);
  corvane::ConsoleSink sink(out, err);
  for (const QString& line : corvane::UsageLines()) sink.ShowLine(line);
  return 0;
}
