#include "batch/undo.h"
#include "support/fault_injecting_file_system.h"

#include "batch/batch_executor.h"
#include "batch_test_support.h"
#include "support/temp_folder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::Item;
using testing::LogBytes;
using testing::Options;
using testing::StopAfter;

class UndoTest : public ::testing::Test {
 protected:
  QString P(const QString& relative) const { return dir_.file(relative); }
  QString LogPath() const { return dir_.file("log/last_rename.csv"); }
  void WriteLog(const QByteArray& bytes) const { dir_.Create({"log/last_rename.csv"}, bytes); }
  bool LogExists() const { return dir_.Exists("log/last_rename.csv"); }

  testing::TempFolder dir_;
};

QString Text(const Status& s) { return s.ok() ? QStringLiteral("(ok)") : s.error().message(); }
QString Text(const std::optional<Notice>& n) { return n ? n->text : QStringLiteral("(none)"); }

TEST_F(UndoTest, RenameIsUndoneOnceThenThereIsNoLog) {
  dir_.Create({"a.txt"}, "A");
  const BatchOutcome batch = ExecuteBatch({Item(P("a.txt"), "b.txt")},
                                          Options(BatchMode::RenameInPlace, ConflictMode::Skip),
                                          RealFileSystem(), LogPath());
  ASSERT_EQ(Text(batch.status), "(ok)");
  UndoOutcome undo = UndoLastRename(RealFileSystem(), LogPath());
  EXPECT_EQ(Text(undo.status), "(ok)");
  EXPECT_EQ(Text(undo.notice), "Undo completed for the last rename operation.");
  EXPECT_EQ(undo.notice->kind, Notice::Kind::kInformation);
  EXPECT_TRUE(undo.clearList);
  EXPECT_EQ(dir_.Read("a.txt"), "A");
  EXPECT_FALSE(dir_.Exists("b.txt"));
  EXPECT_FALSE(LogExists());

  undo = UndoLastRename(RealFileSystem(), LogPath());
  EXPECT_EQ(Text(undo.status), "(ok)");
  EXPECT_EQ(Text(undo.notice), "No undo log found in AppData.");
  EXPECT_FALSE(undo.clearList);
}

TEST_F(UndoTest, HeaderOnlyLogIsConsumed) {
  WriteLog("\xEF\xBB\xBFOriginal,New\r\n");
  const UndoOutcome undo = UndoLastRename(RealFileSystem(), LogPath());
  EXPECT_EQ(Text(undo.notice), "Undo completed for the last rename operation.");
  EXPECT_TRUE(undo.clearList);
  EXPECT_FALSE(LogExists());
}

TEST_F(UndoTest, HandEditedLinesAreUndoneAndOthersPassedOver) {
  dir_.Create({"new1"}, "1");
  dir_.Create({"new2"}, "2");
  dir_.Create({"new3"}, "3");
  WriteLog(
      "Original,New\n"
      " \t\"" +
      P("old1").toUtf8() + "\",\"" + P("new1").toUtf8() + "\"  \n" + P("old2").toUtf8() + "\",\"" +
      P("new2").toUtf8() + "\r" + "\"" + P("old3").toUtf8() + "\";\"" + P("new3").toUtf8() +
      "\"\r\n" + "\"" + P("old4").toUtf8() + "\",\"" + P("gone").toUtf8() + "\"\r\n");
  const UndoOutcome undo = UndoLastRename(RealFileSystem(), LogPath());
  EXPECT_EQ(Text(undo.status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"log", "new3", "old1", "old2"}));
  EXPECT_EQ(dir_.Read("old2"), "2");
}

TEST_F(UndoTest, CopyUndoReplacesTheSourceWithItsCopy) {
  dir_.Create({"a.txt"}, "A");
  const BatchOutcome batch = ExecuteBatch(
      {Item(P("a.txt"), "b.txt")}, Options(BatchMode::CopyToFolder, ConflictMode::Skip, P("out")),
      RealFileSystem(), LogPath());
  ASSERT_EQ(Text(batch.status), "(ok)");
  ASSERT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath()).status), "(ok)");
  EXPECT_EQ(dir_.List("out"), QStringList());
  EXPECT_EQ(dir_.Read("a.txt"), "A");
}

TEST_F(UndoTest, DeletedSourceFolderIsCreatedAgain) {
  dir_.Create({"src/deep/a.txt"}, "A");
  const BatchOutcome batch = ExecuteBatch(
      {Item(P("src/deep/a.txt"), "a.txt")},
      Options(BatchMode::MoveToFolder, ConflictMode::Skip, P("out")), RealFileSystem(), LogPath());
  ASSERT_EQ(Text(batch.status), "(ok)");
  ASSERT_TRUE(QDir(P("src")).removeRecursively());
  ASSERT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath()).status), "(ok)");
  EXPECT_EQ(dir_.Read("src/deep/a.txt"), "A");
  EXPECT_FALSE(dir_.Exists("out/a.txt"));
}

TEST_F(UndoTest, InterruptedUndoCompletesOnTheNextTryMovingEachFileOnce) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  dir_.Create({"c"}, "C");
  ASSERT_EQ(Text(ExecuteBatch({Item(P("a"), "a2"), Item(P("b"), "b2"), Item(P("c"), "c2")},
                              Options(BatchMode::RenameInPlace, ConflictMode::Skip),
                              RealFileSystem(), LogPath())
                     .status),
            "(ok)");
  FaultInjectingFileSystem fs(RealFileSystem());
  fs.AddFault(FileOp::kMoveFile, P("b2"), Error("The process cannot access the file"));
  UndoOutcome undo = UndoLastRename(fs, LogPath());
  EXPECT_EQ(Text(undo.status), "The process cannot access the file");
  EXPECT_FALSE(undo.clearList);
  EXPECT_TRUE(LogExists());
  EXPECT_EQ(dir_.List(), QStringList({"a2", "b2", "c", "log"}));

  undo = UndoLastRename(fs, LogPath());
  EXPECT_EQ(Text(undo.status), "(ok)");
  EXPECT_TRUE(undo.clearList);
  EXPECT_EQ(dir_.List(), QStringList({"a", "b", "c", "log"}));
  QStringList moves = fs.journal();
  moves.removeIf([](const QString& call) { return !call.startsWith(u"MoveFile"); });
  EXPECT_EQ(moves, QStringList({"MoveFile " + P("c2") + " -> " + P("c"),
                                "MoveFile " + P("b2") + " -> " + P("b"),
                                "MoveFile " + P("b2") + " -> " + P("b"),
                                "MoveFile " + P("a2") + " -> " + P("a")}));
}

// A rotation through a free name (a to t, b to a, t to b): the oldest line
// puts a file back where a newer line took one from, so the log is cut before
// it whether or not the undo was stopped there.
TEST_F(UndoTest, StoppedUndoKeepsWhatIsLeftAndTheNextUndoTakesItBackOnce) {
  for (qsizetype stopAfter = 0; stopAfter < 3; ++stopAfter) {
    SCOPED_TRACE(stopAfter);
    dir_.Create({"a"}, "B");
    dir_.Create({"b"}, "A");
    WriteLog(LogBytes({{P("a"), P("t")}, {P("b"), P("a")}, {P("t"), P("b")}}));
    StopAfter cancel(stopAfter);
    UndoOutcome undo = UndoLastRename(RealFileSystem(), LogPath(), &cancel.stop, &cancel);
    EXPECT_EQ(Text(undo.status), "(ok)");
    EXPECT_TRUE(undo.stopped);
    EXPECT_FALSE(undo.clearList);
    EXPECT_EQ(Text(undo.notice),
              "Undo stopped after %d of %d files. Undo again to take back the others.");
    EXPECT_EQ(undo.notice->kind, Notice::Kind::kWarning);
    EXPECT_EQ(undo.notice->args, QStringList({QString::number(stopAfter), "3"}));
    ASSERT_TRUE(LogExists());

    StopAfter rest(-1);
    FaultInjectingFileSystem fs(RealFileSystem());
    undo = UndoLastRename(fs, LogPath(), nullptr, &rest);
    EXPECT_EQ(Text(undo.status), "(ok)");
    EXPECT_FALSE(undo.stopped);
    EXPECT_TRUE(undo.clearList);
    EXPECT_EQ(rest.lastTotal, 3 - stopAfter);  // the log held only what was left
    EXPECT_EQ(dir_.List(), QStringList({"a", "b", "log"}));
    EXPECT_EQ(dir_.Read("a"), "A");
    EXPECT_EQ(dir_.Read("b"), "B");
    QStringList moves = fs.journal();
    moves.removeIf([](const QString& call) { return !call.startsWith(u"MoveFile"); });
    EXPECT_EQ(moves.size(), 3 - stopAfter);
  }
}

TEST_F(UndoTest, FailuresStopAndKeepTheLog) {
  struct Case {
    const char* name;
    QString oldPath;
    const char* refusedFolder;  // nullptr: the disk decides alone
    QString error;
  };
  dir_.Create({"new"}, "N");
  const Case cases[] = {
      {"old path without a folder", "plain.txt", nullptr, "Unable to create directory"},
      {"old folder below a file", P("new/sub/x"), nullptr,
       "Unable to create directory: " + P("new/sub")},
      {"old folder refused", P("gone/x"), "gone", "Unable to create directory: " + P("gone")},
  };
  for (const Case& c : cases) {
    WriteLog("h\r\n\"" + c.oldPath.toUtf8() + "\",\"" + P("new").toUtf8() + "\"\r\n");
    FaultInjectingFileSystem fs(RealFileSystem());
    if (c.refusedFolder) fs.AddFault(FileOp::kCreateFolder, c.refusedFolder);
    const UndoOutcome undo = UndoLastRename(fs, LogPath());
    EXPECT_EQ(Text(undo.status), c.error) << c.name;
    EXPECT_FALSE(undo.clearList) << c.name;
    EXPECT_TRUE(LogExists()) << c.name;
    EXPECT_EQ(dir_.Read("new"), "N") << c.name;
    EXPECT_FALSE(dir_.Exists("gone")) << c.name;
  }
}

TEST_F(UndoTest, LineWhoseOldAndNewPathAreOneFileLosesNothing) {
  dir_.Create({"same.txt"}, "S");
  WriteLog("h\r\n\"" + P("same.txt").toUtf8() + "\",\"" + P("same.txt").toUtf8() + "\"\r\n");
  EXPECT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath()).status), "(ok)");
  EXPECT_EQ(dir_.Read("same.txt"), "S");
}

}  // namespace
}  // namespace corvane
