#include "base/format.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FormatTextTest, FillsPlaceholdersInOrder) {
  EXPECT_EQ(FormatText(u"%s (%d)%s", {"photo", "2", ".jpg"}), "photo (2).jpg");
  EXPECT_EQ(FormatText(u"Files: %d", {"12"}), "Files: 12");
  EXPECT_EQ(FormatText(u"100%% of %s", {"x"}), "100% of x");
}

TEST(FormatTextTest, KeepsWhatItCannotFill) {
  EXPECT_EQ(FormatText(u"%s and %s", {"a"}), "a and %s");
  EXPECT_EQ(FormatText(u"50%x %", {}), "50%x %");
}

}  // namespace
}  // namespace corvane
