// The main of every test executable: GoogleTest inside a Qt application object,
// so that code using Qt's event loop, settings and locale works as in the program.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  // Files a test overwrites go to a trash of its own, never the user's.
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  return RUN_ALL_TESTS();
}
