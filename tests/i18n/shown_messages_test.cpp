#include "i18n/shown_messages.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ErrorReportTextTest, AppendsAFullStopUnlessTheTextEndsInOneOrBelowIt) {
  EXPECT_EQ(ErrorReportText("Invalid characters in path"), "Invalid characters in path.");
  EXPECT_EQ(ErrorReportText("Done."), "Done.");
  EXPECT_EQ(ErrorReportText("ends in a comma,"), "ends in a comma,");
  EXPECT_EQ(ErrorReportText("ends in a space "), "ends in a space ");
  EXPECT_EQ(ErrorReportText("ends in a slash/"), "ends in a slash/.");
  EXPECT_EQ(ErrorReportText(""), ".");
}

}  // namespace
}  // namespace corvane
