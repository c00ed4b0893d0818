// Start-up of the corvane executable.
#include <QCoreApplication>
#include <QTextStream>

namespace {

void PrintUsage() {
  QTextStream out(stdout);
  out << "Corvane - batch file renamer\n"
         "\n"
         "Usage: corvane /cli [/key=value ...]\n"
         "The window and the command-line mode are being built; see README.md.\n";
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
  PrintUsage();
  return 0;
}
