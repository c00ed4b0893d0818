// The table of paths a batch has changed: a path set is found under any view
// of its text, setting it again replaces its change, and the table keeps
// every path when it grows past what it was made for.
#include "batch/changed_paths.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <optional>

#include "platform/paths.h"

namespace corvane {
namespace {

using Change = ChangedPaths::Change;

struct ChangedPathsCase {
  const char* name;
  qsizetype expected;
  std::vector<std::pair<QString, Change>> sets;  // in order
  qsizetype generated;                           // further paths /g/0, /g/1 ... set as taken
  std::vector<std::pair<QString, std::optional<Change>>> finds;
};

void PrintTo(const ChangedPathsCase& c, std::ostream* os) { *os << c.name; }

class ChangedPathsTest : public ::testing::TestWithParam<ChangedPathsCase> {};

TEST_P(ChangedPathsTest, FindsWhatWasSet) {
  const ChangedPathsCase& c = GetParam();
  QStringList texts;  // outlive the table, as its views need
  for (const auto& [path, change] : c.sets) texts << path;
  for (qsizetype i = 0; i < c.generated; ++i) texts << QStringLiteral("/g/%1").arg(i);
  ChangedPaths table(c.expected);
  for (qsizetype i = 0; i < texts.size(); ++i) {
    const Change change =
        i < qsizetype(c.sets.size()) ? c.sets[size_t(i)].second : Change{true, true};
    table.Set(texts[i], PathTextHash(texts[i]), change);
  }
  for (const auto& [path, expected] : c.finds) {
    const QString copy = QString(path.data(), path.size());  // another buffer, the same text
    const Change* found = table.Find(copy, PathTextHash(copy));
    ASSERT_EQ(found != nullptr, expected.has_value()) << path.toStdString();
    if (!found) continue;
    EXPECT_EQ(found->taken, expected->taken) << path.toStdString();
    EXPECT_EQ(found->ofTheBatch, expected->ofTheBatch) << path.toStdString();
  }
  for (qsizetype i = 0; i < c.generated; ++i) {
    const QString path = QStringLiteral("/g/%1").arg(i);
    ASSERT_NE(table.Find(path, PathTextHash(path)), nullptr) << path.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedPathsTest,
    ::testing::Values(
        ChangedPathsCase{"EmptyTableFindsNothing", 0, {}, 0, {{"/a/x.txt", std::nullopt}}},
        ChangedPathsCase{"SetPathsAreFoundOthersAreNot",
                         4,
                         {{"/a/x.txt", {false, false}}, {"/a/y.txt", {true, true}}},
                         0,
                         {{"/a/x.txt", Change{false, false}},
                          {"/a/y.txt", Change{true, true}},
                          {"/a/z.txt", std::nullopt},
                          {"/a/x.txt/", std::nullopt},
                          {"/a", std::nullopt}}},
        ChangedPathsCase{"SettingAgainReplacesTheChange",
                         4,
                         {{"/a/x.txt", {false, false}}, {"/a/x.txt", {true, false}}},
                         0,
                         {{"/a/x.txt", Change{true, false}}}},
        ChangedPathsCase{"GrowsFarPastWhatItWasMadeFor",
                         2,
                         {{"/a/x.txt", {false, true}}},
                         5000,
                         {{"/a/x.txt", Change{false, true}}, {"/g/5000", std::nullopt}}},
        ChangedPathsCase{"TheEmptyPathIsAPathLikeAnyOther",
                         1,
                         {{"", {true, false}}},
                         0,
                         {{"", Change{true, false}}, {"/", std::nullopt}}}),
    [](const ::testing::TestParamInfo<ChangedPathsCase>& info) { return info.param.name; });

}  // namespace
}  // namespace corvane
