// The main of the update's tests: GoogleTest inside the application object
// the code under test needs (a QApplication for the dialog, built with
// CORVANE_TEST_WIDGETS), in Qt's test mode, titled as the program is.
#ifdef CORVANE_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  TestApplication app(argc, argv);
  TestApplication::setApplicationName(QStringLiteral("Corvane"));
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  return RUN_ALL_TESTS();
}
