#include "base/error.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

Result<int> Half(int n) {
  if (n % 2) return Error("odd", Error::Code::kInvalidArgument);
  return n / 2;
}

TEST(ResultTest, HoldsAValueOrAnError) {
  const Result<int> good = Half(8);
  ASSERT_TRUE(good.ok());
  EXPECT_EQ(*good, 4);
  EXPECT_TRUE(good.status().ok());

  const Result<int> bad = Half(3);
  ASSERT_FALSE(bad.ok());
  EXPECT_EQ(bad.error().message(), "odd");
  EXPECT_EQ(bad.status().error().code(), Error::Code::kInvalidArgument);
}

TEST(ErrorTest, KeepsAProgramTextApartFromItsValues) {
  const Error plain("50% of %s", Error::Code::kGeneric);
  EXPECT_EQ(plain.message(), "50% of %s");
  EXPECT_EQ(plain.text(), "50% of %s");
  EXPECT_TRUE(plain.args().isEmpty());

  const Error filled("Cannot read %s: %d%%", {"/p/a%s.txt", "7"}, Error::Code::kRegex);
  EXPECT_EQ(filled.message(), "Cannot read /p/a%s.txt: 7%");
  EXPECT_EQ(filled.text(), "Cannot read %s: %d%%");
  EXPECT_EQ(filled.args(), QStringList({"/p/a%s.txt", "7"}));
  EXPECT_EQ(filled.code(), Error::Code::kRegex);
}

}  // namespace
}  // namespace corvane
