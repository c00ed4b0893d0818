#include "engine/find_replace.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

Result<QString> Replaced(const QString& text, const QString& find, const QString& replace,
                         bool regex) {
  RenameOptions options;
  options.find = find;
  options.replace = replace;
  options.regex = regex;
  Result<FindReplace> step = FindReplace::Create(options, QLocale::c());
  if (!step.ok()) return step.error();
  QString result = text;
  if (!step->Apply(result)) return Error("the search gave up");
  return result;
}

TEST(FindReplaceTest, PlainModeIsExactLiteralAndWithoutOverlap) {
  struct Case {
    const char* name;
    const char* find;
    const char* replace;
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"case-sensitive", "a", "b", "Banana", "Bbnbnb"},
      {"no overlap", "aa", "b", "aaaaa", "bba"},
      {"replacement literal", "b", "$1\\U1$&", "abc", "a$1\\U1$&c"},
      {"find literal", ".", "_", "a.b.c", "a_b_c"},
      {"replacement not searched again", "a", "aa", "aba", "aabaa"},
      {"empty replacement", "_", "", "a_b_", "ab"},
      {"empty find changes nothing", "", "x", "abc", "abc"},
  };
  for (const Case& c : cases) {
    Result<QString> result = Replaced(c.text, c.find, c.replace, false);
    ASSERT_TRUE(result.ok()) << c.name;
    EXPECT_EQ(*result, QString(c.expected)) << c.name;
  }
}

TEST(FindReplaceTest, EmptyFindChangesNothingInExpressionMode) {
  Result<QString> result = Replaced("a(b", "", "x", true);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(*result, "a(b");
}

TEST(FindReplaceTest, InvalidExpressionGivesOffsetAndEngineText) {
  Result<QString> result = Replaced("abc", "(", "x", true);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().code(), Error::Code::kRegex);
  EXPECT_EQ(result.error().message(),
            "Error in regular expression at offset 1: missing closing parenthesis");

  Result<QString> later = Replaced("abc", "ab[", "x", true);
  ASSERT_FALSE(later.ok());
  EXPECT_TRUE(later.error().message().startsWith("Error in regular expression at offset 3: "))
      << later.error().message().toStdString();
}

TEST(FindReplaceTest, PlainModeAcceptsWhatIsNoValidExpression) {
  Result<QString> result = Replaced("a(b", "(", "-", false);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(*result, "a-b");
}

// Every match inserting the whole text doubles it; the growth stops long
// before memory runs out, and the text stays far beyond any usable name.
TEST(FindReplaceTest, RunawayGrowthEnds) {
  Result<QString> result = Replaced(QString(200, u'a'), "a", "$_$_", true);
  ASSERT_TRUE(result.ok());
  EXPECT_GT(result->size(), 65536);
  EXPECT_LT(result->size(), 1 << 20);
}

// Nested repetitions failing at the end of a long text reach PCRE2's match
// limit: that text gets no name, while a text the search can decide keeps its
// answer.
TEST(FindReplaceTest, ASearchThatGivesUpMakesNoName) {
  const Result<QString> hopeless = Replaced(QString(400, u'a') + u'!', "(a+)+$", "x", true);
  ASSERT_FALSE(hopeless.ok());
  const Result<QString> decided = Replaced("xaaa", "(a+)+$", "<$1>", true);
  ASSERT_TRUE(decided.ok());
  EXPECT_EQ(*decided, "x<aaa>");
  const Result<QString> noMatch = Replaced("aaa!", "(a+)+$", "x", true);
  ASSERT_TRUE(noMatch.ok());
  EXPECT_EQ(*noMatch, "aaa!");
}

TEST(FindReplaceTest, OneStepServesManyTexts) {
  RenameOptions options;
  options.find = "(\\d+)";
  options.replace = "<$1>";
  options.regex = true;
  Result<FindReplace> step = FindReplace::Create(options, QLocale::c());
  ASSERT_TRUE(step.ok());
  const char* inputs[] = {"a1b22", "none", "333"};
  const char* expected[] = {"a<1>b<22>", "none", "<333>"};
  for (int i = 0; i < 3; ++i) {
    QString text = inputs[i];
    ASSERT_TRUE(step->Apply(text));
    EXPECT_EQ(text, QString(expected[i])) << inputs[i];
  }
}

}  // namespace
}  // namespace corvane
