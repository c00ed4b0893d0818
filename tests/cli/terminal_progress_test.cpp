#include "cli/terminal_progress.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;

TEST(TerminalProgressTest, OverwritesOneLineAndClearsItAtTheEnd) {
  QByteArray written;
  {
    TerminalProgress progress([&](QByteArrayView b) { written += b.toByteArray(); },
                              milliseconds(0), milliseconds(0));
    progress.Advanced(9, 10);   // the first call
    progress.Advanced(10, 10);  // the last
  }
  EXPECT_EQ(written, "\rFiles done: 9 of 10\rFiles done: 10 of 10\r" + QByteArray(20, ' ') + "\r");
}

TEST(TerminalProgressTest, ShortWorkWritesNothing) {
  QByteArray written;
  {
    TerminalProgress progress([&](QByteArrayView b) { written += b.toByteArray(); }, hours(1));
    for (int i = 1; i <= 100; ++i) progress.Advanced(i, 100);
  }
  EXPECT_EQ(written, "");
}

}  // namespace
}  // namespace corvane
