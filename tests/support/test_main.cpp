// The main of every test executable: GoogleTest inside a Qt application object,
// so that code using Qt's event loop, settings and locale works as in the program.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
