#include "engine/regex.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(RegexTest, FindsGroupsByNumberAndName) {
  Result<Regex> regex = Regex::Compile(u"(?<year>\\d{4})-(\\d\\d)(x)?");
  ASSERT_TRUE(regex.ok()) << regex.error().message().toStdString();
  const QString subject = "on 2026-12 and";
  RegexMatch match(*regex);
  ASSERT_EQ(regex->Search(subject, 0, 0, match), Regex::Found::kMatch);
  EXPECT_EQ(match.Captured(subject, 0), u"2026-12");
  EXPECT_EQ(match.Captured(subject, 1), u"2026");
  EXPECT_EQ(match.Start(2), 8);
  EXPECT_FALSE(match.IsSet(3));
  EXPECT_EQ(match.HighestSetGroup(), 2);
  EXPECT_EQ(regex->captureCount(), 3);
  EXPECT_EQ(regex->GroupNumber(u"year"), 1);
  EXPECT_EQ(regex->GroupNumber(u"month"), -1);
  EXPECT_EQ(regex->Search(subject, 4, 0, match), Regex::Found::kNoMatch);
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
  ASSERT_EQ(digits->Search(arabic, 0, 0, match), Regex::Found::kMatch);
  EXPECT_EQ(match.Captured(arabic, 0), u"34");

  Result<Regex> lineEnd = Regex::Compile(u"a$");
  ASSERT_TRUE(lineEnd.ok());
  RegexMatch endMatch(*lineEnd);
  const QString nel = QStringLiteral("a") + QChar(0x85);
  EXPECT_EQ(lineEnd->Search(nel, 0, 0, endMatch), Regex::Found::kMatch);

  QString loneSurrogate = "x";
  loneSurrogate += QChar(0xD800);
  loneSurrogate += "7";
  ASSERT_EQ(digits->Search(loneSurrogate, 0, 0, match), Regex::Found::kMatch);
  EXPECT_EQ(match.Start(0), 2);
}

TEST(RegexTest, NotEmptySkipsEmptyMatches) {
  Result<Regex> regex = Regex::Compile(u"x*");
  ASSERT_TRUE(regex.ok());
  RegexMatch match(*regex);
  EXPECT_EQ(regex->Search(u"abc", 0, 0, match), Regex::Found::kMatch);
  EXPECT_EQ(regex->Search(u"abc", 0, PCRE2_NOTEMPTY, match), Regex::Found::kNoMatch);
}

// Nested repetitions that fail at the end of a long subject take exponential
// time; PCRE2 stops at a limit, which a search tells apart from no match.
TEST(RegexTest, SearchesThatReachALimitGiveUp) {
  struct Case {
    const char* name;
    Regex::Limits limits;
    uint32_t flags;
  };
  const Case cases[] = {
      {"match limit, machine code", {.match = 5000}, 0},
      {"match limit, interpreter", {.match = 5000}, PCRE2_NO_JIT},
      {"depth limit", {.depth = 20}, PCRE2_NO_JIT},
      {"heap limit", {.heapKiB = 1}, PCRE2_NO_JIT},
  };
  // Long enough for the interpreter's backtracking frames to pass 1 KiB.
  const QString hopeless = QString(400, u'a') + u'!';
  for (const Case& c : cases) {
    Result<Regex> regex = Regex::Compile(u"(a+)+$");
    ASSERT_TRUE(regex.ok());
    regex.value().SetLimits(c.limits);
    RegexMatch match(*regex);
    EXPECT_EQ(regex->Search(hopeless, 0, c.flags, match), Regex::Found::kGaveUp) << c.name;
    EXPECT_EQ(regex->Search(u"b", 0, c.flags, match), Regex::Found::kNoMatch) << c.name;
    EXPECT_EQ(regex->Search(u"ba", 0, c.flags, match), Regex::Found::kMatch) << c.name;
    EXPECT_EQ(match.Start(0), 1) << c.name;
  }
}

// PCRE2's own limits apply when none are set, and they end such a search too.
TEST(RegexTest, DefaultLimitsEndAHopelessSearch) {
  Result<Regex> regex = Regex::Compile(u"(a+)+$");
  ASSERT_TRUE(regex.ok());
  RegexMatch match(*regex);
  EXPECT_EQ(regex->Search(QString(40, u'a') + u'!', 0, 0, match), Regex::Found::kGaveUp);
}

}  // namespace
}  // namespace corvane
