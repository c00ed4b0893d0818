// The ways a batch or an undo could lose a file, each shown on a small folder:
// another spelling of the source, the batch's own files under Overwrite, a
// full log disk, a file made at an old path, links, a source that became a
// folder, a second batch at once, a stop request.
#include "batch/batch_executor.h"
#include "batch/undo.h"
#include "batch/undo_log.h"
#include "batch_test_support.h"
#include "support/fault_injecting_file_system.h"
#include "support/simulated_file_system.h"
#include "support/temp_folder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

namespace corvane {
namespace {

using testing::Item;
using testing::LogBytes;
using testing::Options;

QString Text(const Status& s) { return s.ok() ? QStringLiteral("(ok)") : s.error().message(); }

class BatchFaultTest : public ::testing::Test {
 protected:
  void SetUp() override { qputenv("XDG_DATA_HOME", dir_.file("xdg").toUtf8()); }
  QString P(const QString& relative) const { return dir_.file(relative); }
  QString LogPath() const { return dir_.file("appdata/last_rename.csv"); }
  BatchOutcome Run(const QList<TRenameItem>& items, const RenameOptions& options) {
    return ExecuteBatch(items, options, RealFileSystem(), LogPath());
  }
  UndoOutcome Undo() { return UndoLastRename(RealFileSystem(), LogPath()); }
  QStringList Files() const {
    QStringList files = dir_.List();
    files.removeAll(QStringLiteral("appdata"));
    files.removeAll(QStringLiteral("xdg"));
    return files;
  }

  testing::TempFolder dir_;
};

TEST_F(BatchFaultTest, SourceReachedThroughAnotherSpellingIsNeverReplaced) {
  dir_.Create({"src/a"}, "A");
  ASSERT_EQ(::link(QFile::encodeName(P("src/a")), QFile::encodeName(P("elsewhere"))), 0);
  ASSERT_EQ(::symlink(QFile::encodeName(P("src")), QFile::encodeName(P("lnk"))), 0);
  FileSystem& fs = RealFileSystem();
  EXPECT_TRUE(fs.IsSameFile(P("src/a"), P("src/./a")));
  EXPECT_TRUE(fs.IsSameFile(P("src/a"), P("lnk/a")));
  EXPECT_FALSE(fs.IsSameFile(P("src/a"), P("elsewhere")));  // two links, two entries
  for (const QString& destination : {P("src/."), P("lnk")}) {
    for (BatchMode mode : {BatchMode::CopyToFolder, BatchMode::MoveToFolder}) {
      const BatchOutcome out =
          Run({Item(P("src/a"), "a")}, Options(mode, ConflictMode::Overwrite, destination));
      EXPECT_EQ(Text(out.status), "(ok)") << destination.toStdString();
      EXPECT_EQ(dir_.Read("src/a"), "A") << destination.toStdString();
      EXPECT_EQ(dir_.List("src"), QStringList({"a"}));
    }
  }
}

struct OwnFilesCase {
  const char* name;
  QList<std::pair<QString, QString>> renames;
};

class OverwriteOwnFilesTest : public BatchFaultTest,
                              public ::testing::WithParamInterface<OwnFilesCase> {};

// Overwrite replaces files outside the batch only: every content survives,
// and the undo brings every file back.
TEST_P(OverwriteOwnFilesTest, NoContentIsLostAndTheUndoRestoresAll) {
  QList<TRenameItem> items;
  for (const auto& [from, to] : GetParam().renames) {
    dir_.Create({from}, from.toUtf8());
    items << Item(P(from), to);
  }
  const QStringList before = Files();
  const BatchOutcome out = Run(items, Options(BatchMode::RenameInPlace, ConflictMode::Overwrite));
  EXPECT_EQ(Text(out.status), "(ok)");
  QStringList contents;
  for (const QString& name : Files()) contents << dir_.Read(name);
  contents.sort();
  QStringList expected;
  for (const auto& rename : GetParam().renames) expected << rename.first;
  expected.sort();
  EXPECT_EQ(contents, expected);
  EXPECT_EQ(Text(Undo().status), "(ok)");
  EXPECT_EQ(Files(), before);
  for (const auto& rename : GetParam().renames) EXPECT_EQ(dir_.Read(rename.first), rename.first);
}

INSTANTIATE_TEST_SUITE_P(
    Batches, OverwriteOwnFilesTest,
    ::testing::Values(OwnFilesCase{"Swap", {{"1", "2"}, {"2", "1"}}},
                      OwnFilesCase{"Chain", {{"1", "2"}, {"2", "3"}}},
                      OwnFilesCase{"SeveralToOneName", {{"1", "x"}, {"2", "x"}, {"3", "x"}}}),
    [](const ::testing::TestParamInfo<OwnFilesCase>& info) { return info.param.name; });

TEST_F(BatchFaultTest, OverwriteSendsTheReplacedFileToTheTrash) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  const BatchOutcome out =
      Run({Item(P("a"), "b")}, Options(BatchMode::RenameInPlace, ConflictMode::Overwrite));
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(Files(), QStringList({"b"}));
  EXPECT_EQ(dir_.Read("b"), "A");
  EXPECT_EQ(dir_.Read("xdg/Trash/files/b"), "B");
}

// A log that cannot take the line stops the batch before anything at the
// target is replaced or deleted.
TEST_F(BatchFaultTest, OverwriteWithAFailingLogTouchesNothing) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  FaultInjectingFileSystem fs(RealFileSystem());
  fs.AddFault(FileOp::kAppend, "last_rename", Error("No space left on device"), -1);
  const BatchOutcome out =
      ExecuteBatch({Item(P("a"), "b")}, Options(BatchMode::RenameInPlace, ConflictMode::Overwrite),
                   fs, LogPath());
  EXPECT_EQ(Text(out.status), "No space left on device");
  EXPECT_EQ(dir_.Read("a"), "A");
  EXPECT_EQ(dir_.Read("b"), "B");
}

TEST_F(BatchFaultTest, UndoNeverDestroysAFileStandingAtAnOldPath) {
  dir_.Create({"a"}, "A");
  ASSERT_EQ(
      Text(Run({Item(P("a"), "b")}, Options(BatchMode::RenameInPlace, ConflictMode::Skip)).status),
      "(ok)");
  dir_.Create({"a"}, "made since");
  const QByteArray log = dir_.Read("appdata/last_rename.csv");
  const UndoOutcome undo = Undo();
  EXPECT_EQ(Text(undo.status),
            "Another file now stands at " + P("a") + ". Move it away, then undo again.");
  EXPECT_FALSE(undo.clearList);
  EXPECT_EQ(dir_.Read("a"), "made since");
  EXPECT_EQ(dir_.Read("b"), "A");
  EXPECT_EQ(dir_.Read("appdata/last_rename.csv"), log);
  ASSERT_TRUE(QFile::rename(P("a"), P("moved away")));
  EXPECT_EQ(Text(Undo().status), "(ok)");
  EXPECT_EQ(dir_.Read("a"), "A");
}

TEST_F(BatchFaultTest, UndoOfACopyRemovesTheCopyAndKeepsTheSourceUnlessItChanged) {
  dir_.Create({"a"}, "A");
  ASSERT_TRUE(RealFileSystem()
                  .SetLastWriteTime(P("a"), QDateTime(QDate(2001, 2, 3), QTime(4, 5), Qt::UTC))
                  .ok());
  const RenameOptions copy = Options(BatchMode::CopyToFolder, ConflictMode::Skip, P("out"));
  ASSERT_EQ(Text(Run({Item(P("a"), "c")}, copy).status), "(ok)");
  EXPECT_EQ(Text(Undo().status), "(ok)");
  EXPECT_EQ(dir_.List("out"), QStringList());
  EXPECT_EQ(QFileInfo(P("a")).lastModified().toUTC().date(), QDate(2001, 2, 3));

  ASSERT_EQ(Text(Run({Item(P("a"), "c")}, copy).status), "(ok)");
  dir_.Create({"a"}, "edited since");
  EXPECT_FALSE(Undo().status.ok());
  EXPECT_EQ(dir_.Read("a"), "edited since");
  EXPECT_EQ(dir_.Read("out/c"), "A");
}

TEST_F(BatchFaultTest, LinksAreTakenAsThemselves) {
  // A dangling link is renamed and brought back; a link at a target is taken.
  ASSERT_EQ(::symlink("nowhere", QFile::encodeName(P("dangling"))), 0);
  dir_.Create({"a"}, "A");
  dir_.CreateFolder("out");
  ASSERT_EQ(::symlink("nowhere", QFile::encodeName(P("out/a"))), 0);
  ASSERT_EQ(Text(Run({Item(P("dangling"), "renamed")},
                     Options(BatchMode::RenameInPlace, ConflictMode::Skip))
                     .status),
            "(ok)");
  EXPECT_TRUE(QFileInfo(P("renamed")).isSymLink());
  EXPECT_EQ(Text(Undo().status), "(ok)");
  EXPECT_TRUE(QFileInfo(P("dangling")).isSymLink());
  EXPECT_FALSE(QFileInfo(P("renamed")).isSymLink());

  ASSERT_EQ(
      Text(Run({Item(P("a"), "a")}, Options(BatchMode::CopyToFolder, ConflictMode::Skip, P("out")))
               .status),
      "(ok)");
  EXPECT_TRUE(QFileInfo(P("out/a")).isSymLink());  // skipped, not replaced
}

TEST_F(BatchFaultTest, SourceThatBecameAFolderStopsTheBatch) {
  dir_.Create({"a", "b"}, "file");
  const QList<TRenameItem> items = {Item(P("b"), "b2"), Item(P("a"), "a2")};
  ASSERT_TRUE(QFile::remove(P("a")));
  dir_.Create({"a/inside"}, "kept");
  const BatchOutcome out = Run(items, Options(BatchMode::RenameInPlace, ConflictMode::Skip));
  EXPECT_EQ(Text(out.status), "Not a file any more: " + P("a"));
  EXPECT_EQ(Files(), QStringList({"a", "b2"}));
  EXPECT_EQ(dir_.Read("a/inside"), "kept");
  EXPECT_EQ(dir_.Read("appdata/last_rename.csv"), LogBytes({{P("b"), P("b2")}}));
}

TEST_F(BatchFaultTest, SecondBatchOrUndoWhileOneRunsIsRefusedAndTouchesNothing) {
  dir_.Create({"a"}, "A");
  Result<std::unique_ptr<FileLock>> held = LockUndoLog(RealFileSystem(), LogPath());
  ASSERT_TRUE(held.ok());
  const QString refused = "Another batch or undo is running. Try again when it has ended.";
  const BatchOutcome out =
      Run({Item(P("a"), "b")}, Options(BatchMode::RenameInPlace, ConflictMode::Skip));
  EXPECT_EQ(Text(out.status), refused);
  EXPECT_EQ(Files(), QStringList({"a"}));
  dir_.Create({"appdata/last_rename.csv"}, LogBytes({{P("x"), P("a")}}));
  EXPECT_EQ(Text(Undo().status), refused);
  EXPECT_EQ(Files(), QStringList({"a"}));
  held = Error("released");
  EXPECT_EQ(
      Text(Run({Item(P("a"), "b")}, Options(BatchMode::RenameInPlace, ConflictMode::Skip)).status),
      "(ok)");
}

// Requests a stop when the second file starts to move, as Ctrl+C would.
class StoppingFileSystem : public FaultInjectingFileSystem {
 public:
  StoppingFileSystem(FileSystem& base, StopRequest& stop)
      : FaultInjectingFileSystem(base), stop_(stop) {}
  Status MoveFile(const QString& from, const QString& to) override {
    if (++moves_ == 2) stop_.Request(15);
    return FaultInjectingFileSystem::MoveFile(from, to);
  }

 private:
  StopRequest& stop_;
  int moves_ = 0;
};

TEST_F(BatchFaultTest, StopRequestFinishesTheFileInHandAndSaysHowFarItGot) {
  dir_.Create({"a", "b", "c"});
  StopRequest stop;
  StoppingFileSystem fs(RealFileSystem(), stop);
  const BatchOutcome out =
      ExecuteBatch({Item(P("a"), "a2"), Item(P("b"), "b2"), Item(P("c"), "c2")},
                   Options(BatchMode::RenameInPlace, ConflictMode::Skip), fs, LogPath(), &stop);
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_TRUE(out.stopped);
  ASSERT_TRUE(out.notice.has_value());
  EXPECT_EQ(out.notice->args, QStringList({"2", "3"}));
  EXPECT_EQ(Files(), QStringList({"a2", "b2", "c"}));
  EXPECT_EQ(dir_.Read("appdata/last_rename.csv"), LogBytes({{P("a"), P("a2")}, {P("b"), P("b2")}}));
  EXPECT_EQ(Text(Undo().status), "(ok)");
  EXPECT_EQ(Files(), QStringList({"a", "b", "c"}));
}

// A large batch takes its targets' freedom from one listing of the folder; a
// file another program makes at a target after that listing is still never
// replaced, and the conflict rule still applies to it.
TEST_F(BatchFaultTest, FileMadeAtATargetDuringALargeBatchIsKept) {
  QList<TRenameItem> items;
  for (int i = 0; i < 300; ++i) {
    const QString name = QString::number(i);
    items.append(Item(dir_.Create({"f" + name})[0], "g" + name));
  }
  int changes = 0;
  std::unique_ptr<FileSystem> fs = NewRealFileSystemForTests({.beforeChange = [&] {
    if (++changes == 200) dir_.Create({"g250"}, "theirs");
  }});
  const BatchOutcome out = ExecuteBatch(
      items, Options(BatchMode::RenameInPlace, ConflictMode::AutoNumber), *fs, LogPath());
  ASSERT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(dir_.Read("g250"), "theirs");
  EXPECT_TRUE(QFileInfo::exists(P("g250 (1)")));
  EXPECT_FALSE(QFileInfo::exists(P("f250")));
  EXPECT_TRUE(QFileInfo::exists(P("g299")));

  ASSERT_TRUE(Undo().status.ok());
  EXPECT_EQ(dir_.Read("g250"), "theirs");
  EXPECT_TRUE(QFileInfo::exists(P("f250")));
  EXPECT_FALSE(QFileInfo::exists(P("g250 (1)")));
}

}  // namespace
}  // namespace corvane
