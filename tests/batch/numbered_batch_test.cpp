// Many items that want one name: the batch numbers them exactly as the
// verdicts predict and as a search from (1) for each would, with the log
// synced once per group of operations and a number of lookups that grows with
// the items, not with their square.
#include "batch/batch_executor.h"
#include "batch/batch_verdicts.h"
#include "support/fault_injecting_file_system.h"

#include <QSet>

#include <gtest/gtest.h>

#include "batch_test_support.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::Item;
using testing::Options;

const QString kWanted = QStringLiteral("report.txt");

struct CrowdCase {
  const char* name;
  BatchMode mode;  // in place in "in", or a copy from "in" into "out"
  int files;
  int existing;    // "report.txt", "report (1).txt", ... in the target folder beforehand
  int leavingAt;   // this item's source is "report (2).txt", renamed "keep.txt" (-1: none)
  int extraSyncs;  // groups done early, for an item that needs a name the batch frees
};

QString Numbered(int n) { return n == 0 ? kWanted : QStringLiteral("report (%1).txt").arg(n); }

// The first free name searched from (1) for each item, in list order.
QStringList ExpectedNames(const CrowdCase& c, const QStringList& sources,
                          const QStringList& newNames) {
  const bool inPlace = c.mode == BatchMode::RenameInPlace;
  QSet<QString> taken;
  for (int n = 0; n < c.existing; ++n) taken.insert(Numbered(n));
  if (inPlace) taken.unite(QSet<QString>(sources.begin(), sources.end()));
  QStringList names;
  for (qsizetype i = 0; i < sources.size(); ++i) {
    QString name = newNames[i];
    if (taken.contains(name)) {
      int n = 1;
      while (taken.contains(Numbered(n))) ++n;
      name = Numbered(n);
    }
    if (inPlace) taken.remove(sources[i]);
    taken.insert(name);
    names << name;
  }
  return names;
}

struct Counts {
  int syncs = 0;
  int lookUps = 0;
};

class CrowdedNameTest : public ::testing::TestWithParam<CrowdCase> {
 protected:
  QString TargetFolder() const {
    return GetParam().mode == BatchMode::RenameInPlace ? QStringLiteral("in")
                                                       : QStringLiteral("out");
  }

  // The sources of the case in a fresh folder, each holding its own name.
  QStringList MakeSources(const testing::TempFolder& dir) const {
    const CrowdCase& c = GetParam();
    dir.CreateFolder("in");
    dir.CreateFolder("out");
    for (int n = 0; n < c.existing; ++n) dir.Create({TargetFolder() + "/" + Numbered(n)}, "old");
    QStringList sources;
    for (int i = 0; i < c.files; ++i) {
      sources << (i == c.leavingAt ? Numbered(2)
                                   : QStringLiteral("f%1.txt").arg(i, 4, 10, QChar(u'0')));
      dir.Create({"in/" + sources.last()}, sources.last().toUtf8());
    }
    return sources;
  }

  QList<TRenameItem> ItemsOf(const testing::TempFolder& dir, const QStringList& sources,
                             const QStringList& newNames) const {
    QList<TRenameItem> items;
    for (qsizetype i = 0; i < sources.size(); ++i) {
      items << Item(dir.file("in/" + sources[i]), newNames[i]);
    }
    return items;
  }

  RenameOptions OptionsIn(const testing::TempFolder& dir) const {
    const bool inPlace = GetParam().mode == BatchMode::RenameInPlace;
    return Options(GetParam().mode, ConflictMode::AutoNumber,
                   inPlace ? QString() : dir.file("out"));
  }

  Counts RunCounting(const testing::TempFolder& dir, const QList<TRenameItem>& items,
                     BatchOutcome& out) const {
    FaultInjectingFileSystem fs(RealFileSystem());
    out = ExecuteBatch(items, OptionsIn(dir), fs, dir.file("appdata/last_rename.csv"));
    return {fs.calls(FileOp::kSync), fs.calls(FileOp::kLookUp)};
  }

  // The new names the case asks for: `wanted` for every item but the one
  // that leaves its numbered name.
  QStringList NewNames(const QStringList& sources, const std::function<QString(int)>& wanted) {
    QStringList names;
    for (int i = 0; i < sources.size(); ++i) {
      names << (i == GetParam().leavingAt ? QStringLiteral("keep.txt") : wanted(i));
    }
    return names;
  }
};

TEST_P(CrowdedNameTest, NumbersAsTheVerdictsSayWithOneSyncPerGroup) {
  const CrowdCase& c = GetParam();
  testing::TempFolder dir;
  const QStringList sources = MakeSources(dir);
  const QStringList newNames = NewNames(sources, [](int) { return kWanted; });
  const QStringList expected = ExpectedNames(c, sources, newNames);
  const QList<TRenameItem> items = ItemsOf(dir, sources, newNames);

  const BatchVerdicts judged = JudgeBatch(items, OptionsIn(dir), RealFileSystem());
  ASSERT_EQ(judged.verdicts.size(), items.size());
  for (qsizetype i = 0; i < items.size(); ++i) {
    const VerdictKind kind =
        expected[i] == newNames[i] ? VerdictKind::kRenamed : VerdictKind::kNumbered;
    ASSERT_EQ(judged.verdicts[i],
              (ItemVerdict{kind, {}, dir.file(TargetFolder() + "/" + expected[i])}))
        << "item " << i;
  }

  BatchOutcome out;
  const Counts numbered = RunCounting(dir, items, out);
  ASSERT_TRUE(out.status.ok()) << out.status.error().message().toStdString();
  for (qsizetype i = 0; i < items.size(); ++i) {
    ASSERT_EQ(dir.Read(TargetFolder() + "/" + expected[i]), sources[i].toUtf8()) << "item " << i;
  }

  testing::TempFolder distinctDir;
  const QStringList distinctNames =
      NewNames(MakeSources(distinctDir), [](int i) { return QStringLiteral("x%1.txt").arg(i); });
  BatchOutcome distinctOut;
  const Counts distinct =
      RunCounting(distinctDir, ItemsOf(distinctDir, sources, distinctNames), distinctOut);
  ASSERT_TRUE(distinctOut.status.ok());

  EXPECT_EQ(numbered.syncs, distinct.syncs + c.extraSyncs);
  // Each item asks a few more names than a free one does, and the first
  // numbered item each of the names there before.
  EXPECT_LE(numbered.lookUps, distinct.lookUps + 2 * c.files + c.existing)
      << "distinct names: " << distinct.lookUps;
}

const CrowdCase kCrowdCases[] = {
    {"InPlace", BatchMode::RenameInPlace, 300, 0, -1, 0},
    {"InPlacePastNamesTakenBefore", BatchMode::RenameInPlace, 300, 40, -1, 0},
    {"InPlaceReusingANameTheBatchFrees", BatchMode::RenameInPlace, 300, 0, 5, 1},
    {"CopyPastNamesTakenBefore", BatchMode::CopyToFolder, 300, 1000, -1, 0},
    {"InPlaceOverSeveralGroups", BatchMode::RenameInPlace, 2500, 0, -1, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, CrowdedNameTest, ::testing::ValuesIn(kCrowdCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
