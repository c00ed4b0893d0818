#include "engine/preview.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace corvane {
namespace {

EngineContext Context() {
  return EngineContext::Fixed(QDateTime(QDate(2026, 10, 17), QTime(14, 7), QTimeZone::utc()),
                              QTimeZone::utc());
}

QList<TRenameItem> Items(const QStringList& paths) {
  QList<TRenameItem> items;
  for (const QString& path : paths) {
    TRenameItem item;
    AssignPath(item, path);
    items.append(item);
  }
  return items;
}

TEST(FormatCounterTest, SignZerosAndFullWidth) {
  struct Case {
    int64_t start;
    int64_t index;
    int digits;
    const char* expected;
  };
  const Case cases[] = {
      {1, 0, 3, "001"},
      {1, 2, 3, "003"},
      {-5, 0, 3, "-005"},
      {-2, 2, 3, "000"},
      {1234, 0, 3, "1234"},
      {-1234, 0, 3, "-1234"},
      {0, 0, 1, "0"},
      {0, 0, 0, "0"},
      {1, 0, 10, "0000000001"},
      {std::numeric_limits<int32_t>::max(), 1, 3, "2147483648"},
      {std::numeric_limits<int32_t>::min(), 0, 3, "-2147483648"},
      {std::numeric_limits<int64_t>::min(), 0, 3, "-9223372036854775808"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatCounter(c.start, c.index, c.digits), QString(c.expected))
        << c.start << " + " << c.index << " with " << c.digits << " digits";
  }
}

TEST(BuildPreviewTest, EmptyListGivesTheInformation) {
  Result<PreviewOutcome> outcome = BuildPreview({}, RenameOptions(), Context());
  ASSERT_TRUE(outcome.ok());
  ASSERT_TRUE(outcome->notice.has_value());
  EXPECT_EQ(outcome->notice->kind, Notice::Kind::kInformation);
  EXPECT_EQ(outcome->notice->text, "No files loaded. Add files first.");
  EXPECT_TRUE(outcome->newNames.isEmpty());
}

// The counter options are read once, with their defaults and limits, and item
// i gets the start plus i.
TEST(BuildPreviewTest, CounterRules) {
  struct Case {
    const char* label;
    const char* counterStart;
    const char* digits;
    QStringList expected;
  };
  const Case cases[] = {
      {"defaults", "1", "3", {"001", "002", "003", "004"}},
      {"start 0", "0", "3", {"000", "001", "002", "003"}},
      {"start unreadable", "abc", "3", {"001", "002", "003", "004"}},
      {"start hexadecimal", "$10", "3", {"016", "017", "018", "019"}},
      {"start negative", "-2", "3", {"-002", "-001", "000", "001"}},
      {"digits 0", "1", "0", {"1", "2", "3", "4"}},
      {"digits negative", "1", "-4", {"1", "2", "3", "4"}},
      {"digits 12", "1", "12", {"0000000001", "0000000002", "0000000003", "0000000004"}},
      {"digits unreadable", "7", "x", {"007", "008", "009", "010"}},
      {"past 32 bits", "2147483646", "3", {"2147483646", "2147483647", "2147483648", "2147483649"}},
  };
  const QList<TRenameItem> items = Items({"/p/d.txt", "/p/c.txt", "/p/b.txt", "/p/a.txt"});
  for (const Case& c : cases) {
    RenameOptions options;
    options.pattern = "{counter}";
    options.changeExt = true;
    options.counterStart = c.counterStart;
    options.digits = c.digits;
    Result<PreviewOutcome> outcome = BuildPreview(items, options, Context());
    ASSERT_TRUE(outcome.ok()) << c.label;
    EXPECT_FALSE(outcome->notice.has_value()) << c.label;
    EXPECT_EQ(outcome->newNames, c.expected) << c.label;
  }
}

TEST(BuildPreviewTest, NamesInListOrderEqualNamesAllowed) {
  RenameOptions options;
  options.pattern = "{counter}_{name}";
  options.find = "_b";
  options.replace = "";
  const QList<TRenameItem> items = Items({"/p/b.txt", "/q/a.jpg", "/r/b.txt"});
  Result<PreviewOutcome> outcome = BuildPreview(items, options, Context());
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome->newNames, QStringList({"001.txt", "002_a.jpg", "003.txt"}));

  options.pattern = "same";
  Result<PreviewOutcome> same = BuildPreview(items, options, Context());
  ASSERT_TRUE(same.ok());
  EXPECT_EQ(same->newNames, QStringList({"same.txt", "same.jpg", "same.txt"}));
}

// After the middle item of three is removed, the last one takes its counter.
TEST(BuildPreviewTest, CounterFollowsListPosition) {
  RenameOptions options;
  options.pattern = "{counter}-{name}";
  QList<TRenameItem> items = Items({"/p/x.txt", "/p/y.txt", "/p/z.txt"});
  items.removeAt(1);
  Result<PreviewOutcome> outcome = BuildPreview(items, options, Context());
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome->newNames, QStringList({"001-x.txt", "002-z.txt"}));
}

TEST(BuildPreviewTest, InvalidExpressionGivesErrorAndNoNames) {
  RenameOptions options;
  options.regex = true;
  options.find = "a(";
  QList<TRenameItem> items = Items({"/p/a.txt", "/p/b.txt"});
  items[0].NewName = "kept.txt";
  Result<PreviewOutcome> outcome = BuildPreview(items, options, Context());
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.error().message(),
            "Error in regular expression at offset 2: missing closing parenthesis");
}

// PCRE2 gives up on nested repetitions that fail at the end of a long name
// (its default match limit): the preview ends as for an invalid expression,
// naming the file, instead of taking the name as unmatched.
TEST(BuildPreviewTest, ExpressionTooComplexForAFileGivesErrorNamingIt) {
  RenameOptions options;
  options.regex = true;
  options.find = "(a+)+$";
  options.replace = "x";
  const QString hopeless = "/p/" + QString(400, u'a') + "!.txt";
  Result<PreviewOutcome> outcome =
      BuildPreview(Items({"/p/aaa.txt", hopeless, "/p/b.txt"}), options, Context());
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.error().code(), Error::Code::kRegex);
  EXPECT_EQ(outcome.error().message(), "Regular expression too complex for " + hopeless);
  EXPECT_EQ(outcome.error().text(), "Regular expression too complex for %s");
  EXPECT_EQ(outcome.error().args(), QStringList({hopeless}));
}

TEST(BuildPreviewTest, ReportsTheRowsWhoseNameChanged) {
  RenameOptions options;
  options.caseMode = 2;
  QList<TRenameItem> items = Items({"/p/a.txt", "/p/b.txt", "/p/c.txt"});
  items[0].NewName = "A.txt";
  items[2].NewName = "old.txt";
  Result<PreviewOutcome> outcome = BuildPreview(items, options, Context());
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome->newNames, QStringList({"A.txt", "B.txt", "C.txt"}));
  EXPECT_EQ(outcome->changedRows, QList<qsizetype>({1, 2}));
}

}  // namespace
}  // namespace corvane
