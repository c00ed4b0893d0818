// The queue of a batch's operations, driven directly: what the log holds at
// each move, and that an item's operations are done all or none.
#include "batch/operation_queue.h"
#include "support/fault_injecting_file_system.h"

#include "batch/undo_log.h"
#include "batch/undo_log_writer.h"
#include "batch_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Reads the log at every move, and may ask for a stop at one of them.
class WatchingFileSystem : public FaultInjectingFileSystem {
 public:
  WatchingFileSystem(FileSystem& base, QString log)
      : FaultInjectingFileSystem(base), log_(std::move(log)) {}
  Status MoveFile(const QString& from, const QString& to) override {
    const Result<QByteArray> bytes = RealFileSystem().ReadFile(log_);
    QStringList lines;
    for (const UndoLogEntry& e : ParseUndoLog(bytes.ok() ? *bytes : QByteArray())) {
      lines << FileNamePartOf(e.oldPath) + ">" + FileNamePartOf(e.newPath);
    }
    seen_ << FileNamePartOf(from) + ">" + FileNamePartOf(to) + " with " + lines.join(' ');
    if (stopAtMoveFrom_ == FileNamePartOf(from)) stop_.Request(2);
    return FaultInjectingFileSystem::MoveFile(from, to);
  }
  static QString FileNamePartOf(const QString& path) { return path.section('/', -1); }

  QStringList seen_;  // "from>to with LOG LINES" at each move
  QString stopAtMoveFrom_;
  StopRequest stop_;

 private:
  QString log_;
};

class OperationQueueTest : public ::testing::Test {
 protected:
  using Kind = OperationQueue::Kind;
  QString P(const QString& name) const { return dir_.file(name); }
  QString LogPath() const { return dir_.file("log.csv"); }
  QStringList LogLines() const {
    QStringList lines;
    for (const UndoLogEntry& e : ParseUndoLog(dir_.Read("log.csv"))) {
      lines << WatchingFileSystem::FileNamePartOf(e.oldPath) + ">" +
                   WatchingFileSystem::FileNamePartOf(e.newPath);
    }
    return lines;
  }

  testing::TempFolder dir_;
};

// The file taking a replaced file's name is logged only once that file has
// left: at no instant does the log name a move onto a taken name.
TEST_F(OperationQueueTest, LineOfTheFileTakingAReplacedNameWaitsForItsDeparture) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  WatchingFileSystem fs(RealFileSystem(), LogPath());
  UndoLogWriter log(fs, LogPath());
  OperationQueue queue(fs, log, nullptr, false);
  ASSERT_TRUE(queue.Add(0, Kind::kSetAside, P("b"), P(".hidden")).ok());
  ASSERT_TRUE(queue.Add(0, Kind::kMove, P("a"), P("b")).ok());
  ASSERT_TRUE(queue.Perform().ok());
  ASSERT_TRUE(log.Finish(true, queue.anythingDone()).ok());
  EXPECT_EQ(fs.seen_, QStringList({"b>.hidden with b>.hidden", "a>b with b>.hidden a>b"}));
  EXPECT_EQ(LogLines(), QStringList({"b>.hidden", "a>b"}));
  EXPECT_EQ(dir_.Read("b"), "A");
}

// A move that fails brings the replaced file back, and neither line stays:
// the batch did nothing.
TEST_F(OperationQueueTest, FailedMoveBringsTheReplacedFileBack) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  WatchingFileSystem fs(RealFileSystem(), LogPath());
  fs.AddFault(FileOp::kMoveFile, P("a"));
  UndoLogWriter log(fs, LogPath());
  OperationQueue queue(fs, log, nullptr, false);
  ASSERT_TRUE(queue.Add(0, Kind::kSetAside, P("b"), P(".hidden")).ok());
  ASSERT_TRUE(queue.Add(0, Kind::kMove, P("a"), P("b")).ok());
  EXPECT_EQ(queue.Perform().error().message(), "Access is denied");
  EXPECT_FALSE(queue.anythingDone());
  ASSERT_TRUE(log.Finish(false, queue.anythingDone()).ok());
  EXPECT_EQ(dir_.List(), QStringList({"a", "b"}));
  EXPECT_EQ(dir_.Read("b"), "B");
}

// A stop asked for while an item is half done comes after that item, before
// the next; the log names exactly what was done.
TEST_F(OperationQueueTest, StopComesBetweenItemsNeverInsideOne) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  dir_.Create({"c"}, "C");
  WatchingFileSystem fs(RealFileSystem(), LogPath());
  fs.stopAtMoveFrom_ = "b";
  UndoLogWriter log(fs, LogPath());
  OperationQueue queue(fs, log, &fs.stop_, false);
  ASSERT_TRUE(queue.Add(0, Kind::kSetAside, P("b"), P(".hidden")).ok());
  ASSERT_TRUE(queue.Add(0, Kind::kMove, P("a"), P("b")).ok());
  ASSERT_TRUE(queue.Add(1, Kind::kMove, P("c"), P("d")).ok());
  ASSERT_TRUE(queue.Perform().ok());
  EXPECT_TRUE(queue.stopped());
  EXPECT_EQ(queue.stoppedAt(), 1);
  ASSERT_TRUE(log.Finish(false, queue.anythingDone()).ok());
  EXPECT_EQ(LogLines(), QStringList({"b>.hidden", "a>b"}));
  EXPECT_EQ(dir_.List(), QStringList({"b", "c", "log.csv"}));
  EXPECT_EQ(queue.updates(), QList<ItemUpdate>({{0, P("b")}}));
}

// What waits in the queue before Perform, and what Perform leaves: the
// files under their targets, a log line and an update for each move done.
TEST_F(OperationQueueTest, WaitingMovesAndWhatPerformLeaves) {
  struct Move {
    qsizetype item;
    const char* source;
    const char* target;
  };
  struct Case {
    const char* name;
    QStringList files;
    std::vector<Move> moves;
    std::vector<std::pair<const char*, bool>> waitsFor;  // target name, waits
    qsizetype firstWaiting;                              // the fallback is 99
    QStringList after;                                   // without the log
    QStringList logLines;
  };
  const Case cases[] = {
      {"NothingAdded", {"a"}, {}, {{"a", false}}, 99, {"a"}, {}},
      {"OneMove",
       {"a"},
       {{0, "a", "x"}},
       {{"x", true}, {"X", true}, {"a", false}},
       0,
       {"x"},
       {"a>x"}},
      {"TwoItemsInOrder",
       {"a", "b"},
       {{3, "a", "x"}, {4, "b", "y"}},
       {{"y", true}, {"b", false}, {"z", false}},
       3,
       {"x", "y"},
       {"a>x", "b>y"}},
      {"ASwapThroughAThirdName",
       {"a", "b"},
       {{0, "a", "t"}, {1, "b", "a"}, {2, "t", "b"}},
       {{"t", true}, {"a", true}, {"b", true}},
       0,
       {"a", "b"},
       {"a>t", "b>a", "t>b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder dir;
    for (const QString& file : c.files) dir.Create({file}, file.toUtf8());
    const QString logPath = dir.file("log.csv");
    UndoLogWriter log(RealFileSystem(), logPath);
    OperationQueue queue(RealFileSystem(), log, nullptr, false);
    for (const Move& move : c.moves) {
      ASSERT_TRUE(
          queue.Add(move.item, Kind::kMove, dir.file(move.source), dir.file(move.target)).ok());
    }
    for (const auto& [target, waits] : c.waitsFor) {
      EXPECT_EQ(queue.WaitsFor(dir.file(target)), waits) << target;
    }
    EXPECT_EQ(queue.FirstWaitingItem(99), c.firstWaiting);
    ASSERT_TRUE(queue.Perform().ok());
    EXPECT_EQ(queue.FirstWaitingItem(99), 99);
    EXPECT_EQ(queue.anythingDone(), !c.moves.empty());
    ASSERT_TRUE(log.Finish(true, queue.anythingDone()).ok());
    QStringList after = dir.List();
    after.removeAll("log.csv");
    EXPECT_EQ(after, c.after);
    QStringList lines;
    for (const UndoLogEntry& e : ParseUndoLog(dir.Read("log.csv"))) {
      lines << WatchingFileSystem::FileNamePartOf(e.oldPath) + ">" +
                   WatchingFileSystem::FileNamePartOf(e.newPath);
    }
    EXPECT_EQ(lines, c.logLines);
    QList<ItemUpdate> updates;
    for (const Move& move : c.moves) updates.append({move.item, dir.file(move.target)});
    EXPECT_EQ(queue.updates(), updates);
  }
}

}  // namespace
}  // namespace corvane
