// The floor of the start-up comparison (bench/startup_compare.sh): a Qt
// Widgets program that shows an empty window and ends at the first turn of
// its event loop.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(1262, 657);
  window.show();
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}
