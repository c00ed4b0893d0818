#include "engine/whole_number.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct NumberCase {
  const char* text;
  int32_t fallback;
  int32_t expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
  *os << '"' << c.text << "\" default " << c.fallback;
}

class ReadWholeNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadWholeNumberTest, Reads) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(ReadWholeNumber(QString::fromUtf8(c.text), c.fallback), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadWholeNumberTest,
    ::testing::Values(NumberCase{"0007", 0, 7}, NumberCase{" 5", 0, 5}, NumberCase{"   12", 0, 12},
                      NumberCase{"5 ", 0, 0}, NumberCase{"-3", 0, -3}, NumberCase{"+4", 0, 4},
                      NumberCase{"$10", 0, 16}, NumberCase{"x1f", 0, 31}, NumberCase{"X1F", 0, 31},
                      NumberCase{"0x10", 0, 16}, NumberCase{"0XaB", 0, 171},
                      NumberCase{"-$10", 0, -16}, NumberCase{"$", 9, 9}, NumberCase{"0x", 9, 9},
                      NumberCase{"-", 9, 9}, NumberCase{"", 1, 1}, NumberCase{"abc", 1, 1},
                      NumberCase{"1a", 1, 1}, NumberCase{"$1g", 1, 1}, NumberCase{"\t5", 1, 1},
                      NumberCase{"1.5", 1, 1}, NumberCase{"2147483647", 0, 2147483647},
                      NumberCase{"2147483648", 1, 1}, NumberCase{"-2147483648", 0, INT32_MIN},
                      NumberCase{"-2147483649", 1, 1}, NumberCase{"$7FFFFFFF", 0, 2147483647},
                      NumberCase{"$80000000", 5, 5}, NumberCase{"99999999999999999999", 3, 3},
                      NumberCase{"١٢", 4, 4}));

TEST(TrimControlTest, RemovesCharactersUpToSpaceAtBothEndsOnly) {
  EXPECT_EQ(TrimControl(u"\t\r\n \x01 a b \x1f"), "a b");
  EXPECT_EQ(TrimControl(u"\u00a0x\u00a0"), "\u00a0x\u00a0");
  EXPECT_EQ(TrimControl(u"   "), "");
}

}  // namespace
}  // namespace corvane
