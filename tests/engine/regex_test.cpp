#include "engine/regex.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(RegexTest, FindsGroupsByNumberAndName) {
  Result<Regex> regex = Regex::Compile(u"(?<year>\\d{4})-(\\d\\d)(x)?");
  ASSERT_TRUE(regex.ok()) << regex.error().message().toStdString();
  const QString subject = "on 2026-12 and";
  RegexMatch match(*regex);
  ASSERT_TRUE(regex->Search(subject, 0, 0, match));
  EXPECT_EQ(match.Captured(subject, 0), u"2026-12");
  EXPECT_EQ(match.Captured(subject, 1), u"2026");
  EXPECT_EQ(match.Start(2), 8);
  EXPECT_FALSE(match.IsSet(3));
  EXPECT_EQ(match.HighestSetGroup(), 2);
  EXPECT_EQ(regex->captureCount(), 3);
  EXPECT_EQ(regex->GroupNumber(u"year"), 1);
  EXPECT_EQ(regex->GroupNumber(u"month"), -1);
  EXPECT_FALSE(regex->Search(subject, 4, 0, match));
}

TEST(RegexTest, InvalidExpressionReportsOffsetAndText) {
  Result<Regex> regex = Regex::Compile(u"(");
  ASSERT_FALSE(regex.ok());
  EXPECT_EQ(regex.error().code(), Error::Code::kRegex);
  EXPECT_TRUE(regex.error().message().startsWith("Error in regular expression at offset 1: "))
      << regex.error().message().toStdString();
  EXPECT_GT(regex.error().message().size(), 42);
}

TEST(RegexTest, AsciiClassesAnyNewlineAndInvalidUtf16) {
  Result<Regex> digits = Regex::Compile(u"\\d+");
  ASSERT_TRUE(digits.ok());
  RegexMatch match(*digits);
  const QString arabic = QString::fromUtf8("١٢ 34");
  ASSERT_TRUE(digits->Search(arabic, 0, 0, match));
  EXPECT_EQ(match.Captured(arabic, 0), u"34");

  Result<Regex> lineEnd = Regex::Compile(u"a$");
  ASSERT_TRUE(lineEnd.ok());
  RegexMatch endMatch(*lineEnd);
  const QString nel = QStringLiteral("a") + QChar(0x85);
  EXPECT_TRUE(lineEnd->Search(nel, 0, 0, endMatch));

  QString loneSurrogate = "x";
  loneSurrogate += QChar(0xD800);
  loneSurrogate += "7";
  ASSERT_TRUE(digits->Search(loneSurrogate, 0, 0, match));
  EXPECT_EQ(match.Start(0), 2);
}

TEST(RegexTest, NotEmptySkipsEmptyMatches) {
  Result<Regex> regex = Regex::Compile(u"x*");
  ASSERT_TRUE(regex.ok());
  RegexMatch match(*regex);
  EXPECT_TRUE(regex->Search(u"abc", 0, 0, match));
  EXPECT_FALSE(regex->Search(u"abc", 0, PCRE2_NOTEMPTY, match));
}

}  // namespace
}  // namespace corvane
