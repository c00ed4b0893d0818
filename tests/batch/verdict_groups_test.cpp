// The batch split into groups that can be judged apart: in place, one group
// per source folder, each listing its items in order; any other batch, one.
#include "batch/verdict_groups.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct VerdictGroupsCase {
  const char* name;
  BatchMode mode;
  QStringList sources;
  ItemGroups groups;
};

void PrintTo(const VerdictGroupsCase& c, std::ostream* os) { *os << c.name; }

QList<TRenameItem> ItemsAt(const QStringList& sources) {
  QList<TRenameItem> items;
  for (const QString& source : sources) {
    TRenameItem item;
    item.OriginalPath = source;
    items << item;
  }
  return items;
}

class VerdictGroupsTest : public ::testing::TestWithParam<VerdictGroupsCase> {};

TEST_P(VerdictGroupsTest, GroupsBySourceFolderInPlaceOnly) {
  const VerdictGroupsCase& c = GetParam();
  const BatchSettings settings{c.mode, std::nullopt,
                               c.mode == BatchMode::RenameInPlace ? QString() : QString("/out"),
                               false};
  EXPECT_EQ(VerdictGroups(ItemsAt(c.sources), settings), c.groups);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VerdictGroupsTest,
    ::testing::Values(
        VerdictGroupsCase{"NoItems", BatchMode::RenameInPlace, {}, {}},
        VerdictGroupsCase{
            "OneFolder", BatchMode::RenameInPlace, {"/a/1", "/a/2", "/a/3"}, {{0, 1, 2}}},
        VerdictGroupsCase{
            "FolderAfterFolder", BatchMode::RenameInPlace, {"/a/1", "/a/2", "/b/1"}, {{0, 1}, {2}}},
        VerdictGroupsCase{"FoldersInterleaved",
                          BatchMode::RenameInPlace,
                          {"/a/1", "/b/1", "/a/2", "/b/2", "/c/1"},
                          {{0, 2}, {1, 3}, {4}}},
        VerdictGroupsCase{"ASubfolderIsAFolderOfItsOwn",
                          BatchMode::RenameInPlace,
                          {"/a/1", "/a/b/1", "/a/2"},
                          {{0, 2}, {1}}},
        VerdictGroupsCase{
            "CopyMakesOneGroup", BatchMode::CopyToFolder, {"/a/1", "/b/1", "/a/2"}, {{0, 1, 2}}},
        VerdictGroupsCase{
            "MoveMakesOneGroup", BatchMode::MoveToFolder, {"/a/1", "/b/1"}, {{0, 1}}}),
    [](const ::testing::TestParamInfo<VerdictGroupsCase>& info) { return info.param.name; });

// From kSplitFrom items the halves are read on two threads: a folder whose
// run crosses the middle is still one group.
TEST(VerdictGroupsSplitTest, AFolderAcrossBothHalvesIsOneGroup) {
  QStringList sources;
  ItemGroups expected(2);
  for (qsizetype i = 0; i < kSplitFrom * 2; ++i) {
    const bool first = i < kSplitFrom / 2 || i >= kSplitFrom + kSplitFrom / 2;
    sources << (first ? QStringLiteral("/a/%1") : QStringLiteral("/b/%1")).arg(i);
    expected[first ? 0 : 1].push_back(i);
  }
  EXPECT_EQ(VerdictGroups(ItemsAt(sources),
                          BatchSettings{BatchMode::RenameInPlace, std::nullopt, QString(), false}),
            expected);
}

TEST(OneGroupTest, ListsEveryItemInOrder) {
  EXPECT_EQ(OneGroup(0), ItemGroups({{}}));
  EXPECT_EQ(OneGroup(3), ItemGroups({{0, 1, 2}}));
}

}  // namespace
}  // namespace corvane
