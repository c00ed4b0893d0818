// The main of the window tests: GoogleTest inside a QApplication on the
// offscreen platform, in Qt's test mode (no user's settings or data), with
// the application title, an English (United States) locale and a trash and
// undo log of the run's own.
#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Corvane"));
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  return RUN_ALL_TESTS();
}
