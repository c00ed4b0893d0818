// The verdicts against the batch itself: each case is judged on a fresh
// folder, the verdicts are checked against the expected ones, and then the
// batch runs on that very folder and must do exactly what they said.
#include "batch/batch_verdicts.h"
#include "support/fault_injecting_file_system.h"
#include "support/simulated_file_system.h"

#include <gtest/gtest.h>

#include "batch/batch_executor.h"
#include "batch_test_support.h"
#include "platform/paths.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::Item;
using testing::Options;

struct Asked {
  QString source;  // relative to the case's folder; created holding its own name
  QString newName;
};

struct VerdictCase {
  const char* name;
  BatchMode mode;
  ConflictMode conflict;
  QStringList otherFiles;  // on disk, not in the batch; each holds its own name
  QList<Asked> items;
  QStringList expected;  // per item: the verdict and the final path, relative
  // Listings of folders that fail for the verdicts (-1: every one); the batch
  // lists as it can.
  int listingFaults = 0;
};

const QString kOut = QStringLiteral("out");
const QString kLong = QString(256, u'n');
// 128 two-byte letters: 256 units of UTF-16 would pass on Windows, but 256 bytes do not on Linux.
const QString kLongInBytes = QString(128, QChar(0xE9));

QString KindName(VerdictKind kind) {
  switch (kind) {
    case VerdictKind::kUnchanged:
      return "unchanged";
    case VerdictKind::kRenamed:
      return "renamed";
    case VerdictKind::kNumbered:
      return "numbered";
    case VerdictKind::kSkipped:
      return "skipped";
    case VerdictKind::kReplaces:
      return "replaces";
    case VerdictKind::kCannotBeMade:
      return "cannot";
  }
  return "?";
}

bool Moves(VerdictKind kind) {
  return kind == VerdictKind::kRenamed || kind == VerdictKind::kNumbered ||
         kind == VerdictKind::kReplaces;
}

class BatchVerdictsTest : public ::testing::TestWithParam<VerdictCase> {
 protected:
  QString Relative(const QString& path) const { return path.mid(dir_.path().size() + 1); }

  QList<TRenameItem> MakeFolder(const VerdictCase& c) const {
    for (const QString& f : c.otherFiles) dir_.Create({f}, f.toUtf8());
    QList<TRenameItem> items;
    for (const Asked& a : c.items) {
      dir_.Create({a.source}, a.source.toUtf8());
      items.append(Item(dir_.file(a.source), a.newName));
    }
    return items;
  }

  RenameOptions OptionsOf(const VerdictCase& c) const {
    return Options(c.mode, c.conflict,
                   c.mode == BatchMode::RenameInPlace ? QString() : dir_.file(kOut));
  }

  // The batch on the folder the verdicts were made for: every file moved or
  // copied lands where they said, every file left stays, and the batch stops
  // exactly where they said.
  void ExpectTheBatchAgrees(const QList<TRenameItem>& items, const RenameOptions& options,
                            const BatchVerdicts& judged) const {
    const BatchOutcome out =
        ExecuteBatch(items, options, RealFileSystem(), dir_.file("appdata/last_rename.csv"));
    const qsizetype end = judged.stopsAt.value_or(items.size());
    const bool stoppedWithNotice = out.notice && out.notice->kind == Notice::Kind::kWarning;
    EXPECT_EQ(!out.status.ok() || stoppedWithNotice, judged.stopsAt.has_value())
        << (out.status.ok() ? QString() : out.status.error().message()).toStdString();
    QList<ItemUpdate> expectedUpdates;
    const bool copies = options.batchMode == int(BatchMode::CopyToFolder);
    for (qsizetype i = 0; i < items.size(); ++i) {
      const ItemVerdict& v = judged.verdicts[i];
      const QString source = Relative(items[i].OriginalPath);
      const bool done = i < end && Moves(v.kind);
      if (done && !copies) expectedUpdates.append({i, v.finalPath});
      if (done) {
        EXPECT_EQ(dir_.Read(Relative(v.finalPath)), source.toUtf8()) << "item " << i;
      }
      if (!done || copies) {
        EXPECT_EQ(dir_.Read(source), source.toUtf8()) << "item " << i << " left in place";
      }
    }
    EXPECT_EQ(out.updates, expectedUpdates);
  }

  testing::TempFolder dir_;
};

TEST_P(BatchVerdictsTest, SayWhatTheBatchThenDoes) {
  const VerdictCase& c = GetParam();
  const QList<TRenameItem> items = MakeFolder(c);
  const RenameOptions options = OptionsOf(c);
  FaultInjectingFileSystem fs(RealFileSystem());
  if (c.listingFaults != 0) {
    fs.AddFault(FileOp::kListNames, dir_.path(), Error("Access is denied"), c.listingFaults);
  }
  const BatchVerdicts judged = JudgeBatch(items, options, fs);
  ASSERT_FALSE(judged.notice);
  QStringList said;
  for (const ItemVerdict& v : judged.verdicts)
    said << KindName(v.kind) + " " + Relative(v.finalPath);
  EXPECT_EQ(said, c.expected);
  ExpectTheBatchAgrees(items, options, judged);
}

constexpr BatchMode kInPlace = BatchMode::RenameInPlace;
constexpr BatchMode kCopy = BatchMode::CopyToFolder;
constexpr BatchMode kMove = BatchMode::MoveToFolder;
constexpr ConflictMode kNumber = ConflictMode::AutoNumber;
constexpr ConflictMode kSkip = ConflictMode::Skip;
constexpr ConflictMode kOverwrite = ConflictMode::Overwrite;

// More targets in one folder than are looked up before the folder is listed:
// the later ones are told free from the listing. On disk, not in the batch,
// one of the new names and one with other letter case (another name here);
// one item asks for the name of a later source, one for a name freed before.
VerdictCase ManyInOneFolder(const char* name, int listingFaults) {
  VerdictCase c{name, kInPlace, kNumber, {"g150.txt", "G170.TXT"}, {}, {}, listingFaults};
  for (int i = 0; i < 200; ++i) {
    const QString n = QString::number(i);
    c.items.append(Asked{"f" + n + ".txt", "g" + n + ".txt"});
    c.expected.append(i == 150 ? "numbered g150 (1).txt" : "renamed g" + n + ".txt");
  }
  c.items.insert(100, Asked{"x.txt", "f180.txt"});
  c.expected.insert(100, "numbered f180 (1).txt");
  c.items.append(Asked{"y.txt", "f0.txt"});
  c.expected.append("renamed f0.txt");
  return c;
}

INSTANTIATE_TEST_SUITE_P(
    Batches, BatchVerdictsTest,
    ::testing::Values(VerdictCase{"ChainMeetsTheNameStillThere",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"a.txt", "b.txt"}, {"b.txt", "c.txt"}},
                                  {"numbered b (1).txt", "renamed c.txt"}},
                      VerdictCase{"ChainInTheOtherOrderIsFree",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"b.txt", "c.txt"}, {"a.txt", "b.txt"}},
                                  {"renamed c.txt", "renamed b.txt"}},
                      VerdictCase{"SwapNumbersTheFirst",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"a.txt", "b.txt"}, {"b.txt", "a.txt"}},
                                  {"numbered b (1).txt", "renamed a.txt"}},
                      VerdictCase{"CycleOfThree",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"a.txt", "b.txt"}, {"b.txt", "c.txt"}, {"c.txt", "a.txt"}},
                                  {"numbered b (1).txt", "numbered c (1).txt", "renamed a.txt"}},
                      VerdictCase{"SwapWithSkipLeavesTheFirst",
                                  kInPlace,
                                  kSkip,
                                  {},
                                  {{"a.txt", "b.txt"}, {"b.txt", "a.txt"}},
                                  {"skipped a.txt", "skipped b.txt"}},
                      VerdictCase{"ThreeAskForOneNameNumbered",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"a.txt", "x.txt"}, {"b.txt", "x.txt"}, {"c.txt", "x.txt"}},
                                  {"renamed x.txt", "numbered x (1).txt", "numbered x (2).txt"}},
                      VerdictCase{"ThreeAskForOneNameSkipped",
                                  kInPlace,
                                  kSkip,
                                  {},
                                  {{"a.txt", "x.txt"}, {"b.txt", "x.txt"}, {"c.txt", "x.txt"}},
                                  {"renamed x.txt", "skipped b.txt", "skipped c.txt"}},
                      VerdictCase{"OverwriteNeverReplacesAFileOfTheBatch",
                                  kInPlace,
                                  kOverwrite,
                                  {},
                                  {{"a.txt", "x.txt"}, {"b.txt", "x.txt"}, {"c.txt", "x.txt"}},
                                  {"renamed x.txt", "numbered x (1).txt", "numbered x (2).txt"}},
                      VerdictCase{"OverwriteSparesALaterSource",
                                  kInPlace,
                                  kOverwrite,
                                  {},
                                  {{"a.txt", "b.txt"}, {"b.txt", "c.txt"}},
                                  {"numbered b (1).txt", "renamed c.txt"}},
                      VerdictCase{"OverwriteReplacesAFileOnDisk",
                                  kInPlace,
                                  kOverwrite,
                                  {"x.txt"},
                                  {{"a.txt", "x.txt"}, {"b.txt", "y.txt"}},
                                  {"replaces x.txt", "renamed y.txt"}},
                      VerdictCase{"SkipANameTakenOnDisk",
                                  kInPlace,
                                  kSkip,
                                  {"x.txt"},
                                  {{"a.txt", "x.txt"}, {"b.txt", "y.txt"}},
                                  {"skipped a.txt", "renamed y.txt"}},
                      VerdictCase{"NumberPastNamesTakenOnDisk",
                                  kInPlace,
                                  kNumber,
                                  {"x.txt", "x (1).txt"},
                                  {{"a.txt", "x.txt"}},
                                  {"numbered x (2).txt"}},
                      VerdictCase{"ANumberedNameAskedForLater",
                                  kInPlace,
                                  kNumber,
                                  {"x.txt"},
                                  {{"a.txt", "x.txt"}, {"b.txt", "x (1).txt"}},
                                  {"numbered x (1).txt", "numbered x (1) (1).txt"}},
                      VerdictCase{"AFreedNameTakenAgain",
                                  kInPlace,
                                  kSkip,
                                  {},
                                  {{"a.txt", "z.txt"}, {"b.txt", "a.txt"}, {"c.txt", "a.txt"}},
                                  {"renamed z.txt", "renamed a.txt", "skipped c.txt"}},
                      VerdictCase{"CaseOnlyChangeAndUnchanged",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"File.TXT", "file.txt"}, {"same.txt", "same.txt"}},
                                  {"renamed file.txt", "unchanged same.txt"}},
                      VerdictCase{"CopyIntoAFolder",
                                  kCopy,
                                  kNumber,
                                  {"out/x.txt"},
                                  {{"a.txt", "x.txt"}, {"b.txt", "y.txt"}, {"c.txt", "x.txt"}},
                                  {"numbered out/x (1).txt", "renamed out/y.txt",
                                   "numbered out/x (2).txt"}},
                      VerdictCase{"CopyOverwritesOnlyWhatIsNotOfTheBatch",
                                  kCopy,
                                  kOverwrite,
                                  {"out/x.txt"},
                                  {{"a.txt", "x.txt"}, {"b.txt", "x.txt"}},
                                  {"replaces out/x.txt", "numbered out/x (1).txt"}},
                      VerdictCase{"MoveIntoAFolder",
                                  kMove,
                                  kSkip,
                                  {"out/x.txt"},
                                  {{"a.txt", "x.txt"}, {"b.txt", "y.txt"}},
                                  {"skipped a.txt", "renamed out/y.txt"}},
                      VerdictCase{"MoveFromTheFolderIntoItself",
                                  kMove,
                                  kNumber,
                                  {},
                                  {{"out/a.txt", "a.txt"}, {"out/b.txt", "c.txt"}},
                                  {"numbered out/a (1).txt", "renamed out/c.txt"}},
                      VerdictCase{"MoveIntoItselfSkipped",
                                  kMove,
                                  kOverwrite,
                                  {},
                                  {{"out/a.txt", "a.txt"}},
                                  {"skipped out/a.txt"}},
                      VerdictCase{"DotNamesStopTheBatch",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"a.txt", "y.txt"}, {"b.txt", ".."}, {"c.txt", "z.txt"}},
                                  {"renamed y.txt", "cannot b.txt", "renamed z.txt"}},
                      VerdictCase{"ANameTooLongStopsTheBatch",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"a.txt", kLong}, {"b.txt", "y.txt"}},
                                  {"cannot a.txt", "renamed y.txt"}},
                      VerdictCase{"TooLongInBytes",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"a.txt", "y.txt"}, {"b.txt", kLongInBytes}},
                                  {"renamed y.txt", "cannot b.txt"}},
                      VerdictCase{"NoNewNameStopsTheBatch",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"a.txt", "y.txt"}, {"b.txt", ""}},
                                  {"renamed y.txt", "cannot b.txt"}},
                      VerdictCase{"InvalidCharactersStopTheBatch",
                                  kInPlace,
                                  kNumber,
                                  {},
                                  {{"a.txt", "y\x01.txt"}},
                                  {"cannot a.txt"}},
                      VerdictCase{"ANameTakenWithOtherLetterCase",
                                  kInPlace,
                                  kSkip,
                                  {"X.TXT"},
                                  {{"a.txt", "x.txt"}},
                                  {"renamed x.txt"}},
                      // " (1)" makes 256 bytes of the name taken.
                      VerdictCase{"NumberedNameTooLong",
                                  kInPlace,
                                  kNumber,
                                  {QString(248, u'x') + ".txt"},
                                  {{"a.txt", QString(248, u'x') + ".txt"}},
                                  {"cannot a.txt"}},
                      VerdictCase{"OverwriteNumbersAroundALaterSourceAndReplacesAnOtherFile",
                                  kInPlace,
                                  kOverwrite,
                                  {"c.txt"},
                                  {{"a.txt", "b.txt"}, {"b.txt", "c.txt"}},
                                  {"numbered b (1).txt", "replaces c.txt"}},
                      ManyInOneFolder("ManyInOneFolder", 0),
                      ManyInOneFolder("ManyInOneFolderThatCannotBeListed", -1),
                      ManyInOneFolder("ManyInOneFolderListedAtTheSecondTry", 1)),
    [](const ::testing::TestParamInfo<VerdictCase>& info) { return info.param.name; });

// Runs the batch on `dir`, where each file holds its own path relative to
// `dir`, and checks that it did what `judged` said of every item.
void ExpectTheBatchDoesWhatWasJudged(const testing::TempFolder& dir,
                                     const QList<TRenameItem>& items, const RenameOptions& options,
                                     const BatchVerdicts& judged) {
  ASSERT_FALSE(judged.stopsAt);
  // Each conflict makes the batch do what waits first; syncing the log
  // each time would only make the test slow.
  const std::unique_ptr<FileSystem> fast = NewRealFileSystemForTests({.skipSyncs = true});
  const BatchOutcome out = ExecuteBatch(items, options, *fast, dir.file("appdata/last_rename.csv"));
  ASSERT_TRUE(out.status.ok());
  const auto relative = [&](const QString& path) { return path.mid(dir.path().size() + 1); };
  QList<ItemUpdate> expected;
  for (qsizetype i = 0; i < items.size(); ++i) {
    const ItemVerdict& v = judged.verdicts[i];
    if (Moves(v.kind)) expected.append({i, v.finalPath});
    EXPECT_EQ(dir.Read(relative(v.finalPath)), relative(items[i].OriginalPath).toUtf8()) << i;
  }
  EXPECT_EQ(out.updates, expected);
}

// Each file of `relatives` made in `dir` holding its own relative path.
void CreateOwnNamed(const testing::TempFolder& dir, const QStringList& relatives) {
  for (const QString& relative : relatives) dir.Create({relative}, relative.toUtf8());
}

// Long enough for several groups of the batch's queue, so that what waits in
// a group meets what the next one does: every file asks for the name of
// another, some of them taken on disk.
TEST(BatchVerdictsAcrossGroupsTest, AgreeOnAShuffleOfThousandsOfFiles) {
  for (const ConflictMode conflict : {kNumber, kSkip, kOverwrite}) {
    SCOPED_TRACE(int(conflict));
    testing::TempFolder dir;
    constexpr int kCount = 2600;
    QList<TRenameItem> items;
    for (int i = 0; i < kCount; ++i) {
      const QString name = QStringLiteral("n%1.dat").arg(i);
      CreateOwnNamed(dir, {name});
      items.append(
          Item(dir.file(name), QStringLiteral("n%1.dat").arg((i * 7 + 3) % (kCount + 40))));
    }
    for (int i = kCount; i < kCount + 20; ++i) {
      dir.Create({QStringLiteral("n%1.dat").arg(i)}, "other");
    }
    const RenameOptions options = Options(kInPlace, conflict);
    const BatchVerdicts judged = JudgeBatch(items, options, RealFileSystem());
    ExpectTheBatchDoesWhatWasJudged(dir, items, options, judged);
    EXPECT_GT(judged.counts.numbered + judged.counts.skipped, 0);
  }
}

// A large rename in place is judged folder by folder, several at once: the
// items of three folders, interleaved in the list, each asking for the name
// of another of its folder, some of them taken on disk.
TEST(BatchVerdictsAcrossGroupsTest, AgreeWhenFoldersAreJudgedApart) {
  const QStringList folders = {"a", "b", "c"};
  for (const ConflictMode conflict : {kNumber, kSkip, kOverwrite}) {
    SCOPED_TRACE(int(conflict));
    testing::TempFolder dir;
    constexpr int kPerFolder = 400;
    QList<TRenameItem> items;
    for (int i = 0; i < kPerFolder; ++i) {
      for (const QString& folder : folders) {
        const QString source = folder + QStringLiteral("/n%1.dat").arg(i);
        CreateOwnNamed(dir, {source});
        const int asked = (i * 7 + 3) % (kPerFolder + 40);
        items.append(Item(dir.file(source), QStringLiteral("n%1.dat").arg(asked)));
      }
    }
    for (const QString& folder : folders) {
      CreateOwnNamed(dir, {folder + QStringLiteral("/n%1.dat").arg(kPerFolder + 3)});
    }
    const RenameOptions options = Options(kInPlace, conflict);
    const BatchVerdicts judged = JudgeBatch(items, options, RealFileSystem());
    ExpectTheBatchDoesWhatWasJudged(dir, items, options, judged);
    EXPECT_GT(judged.counts.numbered + judged.counts.skipped, 0);
  }
}

// A new name holding a folder delimiter takes its file into another folder
// of the batch: there it meets a name an earlier item freed, which only a
// playback of both folders together sees.
TEST(BatchVerdictsAcrossGroupsTest, ANewNameIntoAnotherFolderIsJudgedWithIt) {
  testing::TempFolder dir;
  QStringList sources = {"a/sub/y.txt", "a/x.txt"};
  QStringList newNames = {"z.txt", "sub/y.txt"};
  for (int i = 0; i < 1100; ++i) {
    sources.append(QStringLiteral("a/p%1.txt").arg(i));
    newNames.append(QStringLiteral("q%1.txt").arg(i));
  }
  CreateOwnNamed(dir, sources);
  QList<TRenameItem> items;
  for (qsizetype i = 0; i < sources.size(); ++i)
    items.append(Item(dir.file(sources[i]), newNames[i]));
  const RenameOptions options = Options(kInPlace, kNumber);
  const BatchVerdicts judged = JudgeBatch(items, options, RealFileSystem());
  EXPECT_EQ(judged.verdicts[1], (ItemVerdict{VerdictKind::kRenamed, {}, dir.file("a/sub/y.txt")}));
  ExpectTheBatchDoesWhatWasJudged(dir, items, options, judged);
}

TEST(BatchVerdictsNoticeTest, WarnLikeTheBatchWithoutADestination) {
  const BatchVerdicts judged =
      JudgeBatch({Item("/nowhere/a.txt", "b.txt")}, Options(kCopy, kNumber), RealFileSystem());
  ASSERT_TRUE(judged.notice);
  EXPECT_EQ(judged.notice->text, "Please select a destination folder for Copy/Move mode.");
  EXPECT_TRUE(judged.verdicts.isEmpty());
}

}  // namespace
}  // namespace corvane
