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

}  // namespace
}  // namespace corvane
