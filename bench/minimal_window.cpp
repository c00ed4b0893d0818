// The floor of the start-up comparison (bench/startup_compare.sh): a Qt
// Widgets program that shows an empty window and ends at the first turn of
// its event loop. With the argument "text" the window shows one label, which
// makes Qt load its font database, as any window with text must.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(1262, 657);
  if (argc > 1 && QByteArray(argv[1]) == "text") new QLabel(QStringLiteral("Corvane"), &window);
  window.show();
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}
