#include "batch/batch_executor.h"
#include "support/fault_injecting_file_system.h"

#include "base/format.h"
#include "batch/undo.h"
#include "batch/undo_log.h"
#include "batch_test_support.h"
#include "support/completed_text.h"
#include "support/temp_folder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace corvane {
namespace {

using testing::CompletedText;
using testing::Item;
using testing::LogBytes;
using testing::Options;

const char kLogRelative[] = "appdata/Larkwell/Corvane/last_rename.csv";
const QDateTime kOldTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

class BatchTest : public ::testing::Test {
 protected:
  QString P(const QString& relative) const { return dir_.file(relative); }
  QString LogPath() const { return dir_.file(kLogRelative); }
  QString LogFolder() const { return dir_.file("appdata/Larkwell/Corvane"); }
  QByteArray LogOnDisk() const { return dir_.Read(kLogRelative); }
  void PutEarlierLog() const { dir_.Create({kLogRelative}, "earlier log"); }

  BatchOutcome Run(const QList<TRenameItem>& items, const RenameOptions& options) {
    return ExecuteBatch(items, options, RealFileSystem(), LogPath());
  }

  testing::TempFolder dir_;
};

QString Text(const std::optional<Notice>& notice) {
  return notice ? notice->text : QStringLiteral("(none)");
}
QString Filled(const std::optional<Notice>& notice) {
  return notice ? FormatText(notice->text, notice->args) : QStringLiteral("(none)");
}
QString Text(const Status& s) { return s.ok() ? QStringLiteral("(ok)") : s.error().message(); }

TEST_F(BatchTest, RenameInPlaceUpdatesItemsAndWritesTheExactLog) {
  dir_.Create({"a.txt"}, "A");
  dir_.Create({"b.dat"}, "B");
  PutEarlierLog();
  const BatchOutcome out = Run({Item(P("a.txt"), "x.md"), Item(P("b.dat"), "y")},
                               Options(BatchMode::RenameInPlace, ConflictMode::AutoNumber));
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(Filled(out.notice), CompletedText(LogFolder()));
  EXPECT_EQ(out.notice->kind, Notice::Kind::kInformation);
  EXPECT_EQ(dir_.List(), QStringList({"appdata", "x.md", "y"}));
  EXPECT_EQ(dir_.Read("x.md"), "A");
  ASSERT_EQ(out.updates.size(), 2);
  EXPECT_EQ(out.updates[0].index, 0);
  EXPECT_EQ(out.updates[0].newPath, P("x.md"));
  EXPECT_EQ(out.updates[1].index, 1);
  EXPECT_EQ(out.updates[1].newPath, P("y"));
  EXPECT_EQ(LogOnDisk(), LogBytes({{P("a.txt"), P("x.md")}, {P("b.dat"), P("y")}}));
  EXPECT_EQ(dir_.List("appdata/Larkwell/Corvane"),
            QStringList({"last_rename.csv", "last_rename.csv.lock"}));
}

TEST_F(BatchTest, CopyIntoTrimmedDestinationThatIsCreated) {
  dir_.Create({"a.txt"}, "A");
  const BatchOutcome out =
      Run({Item(P("a.txt"), "b.txt")},
          Options(BatchMode::CopyToFolder, ConflictMode::Skip, " \t" + P("out/deep") + "  \n"));
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(dir_.Read("out/deep/b.txt"), "A");
  EXPECT_EQ(dir_.Read("a.txt"), "A");
  EXPECT_TRUE(out.updates.isEmpty());
  EXPECT_EQ(LogOnDisk(), LogBytes({{P("a.txt"), P("out/deep/b.txt")}}));
}

TEST_F(BatchTest, MoveUpdatesItemsToTheDestination) {
  dir_.Create({"src/a.txt"}, "A");
  const BatchOutcome out = Run({Item(P("src/a.txt"), "b.txt")},
                               Options(BatchMode::MoveToFolder, ConflictMode::Skip, P("out")));
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_FALSE(dir_.Exists("src/a.txt"));
  EXPECT_EQ(dir_.Read("out/b.txt"), "A");
  ASSERT_EQ(out.updates.size(), 1);
  EXPECT_EQ(out.updates[0].newPath, P("out/b.txt"));
  EXPECT_EQ(LogOnDisk(), LogBytes({{P("src/a.txt"), P("out/b.txt")}}));
}

// One item a.txt ("A") meets an existing b.txt ("B"), or with copy and move an
// existing out/b.txt ("B"); "b (1).txt" ("N") is taken too.
struct ConflictCase {
  const char* name;
  BatchMode mode;
  int conflict;
  QStringList expectedFiles;  // name=content, sorted, under the test folder
  const char* logTarget;      // nullptr: header only
  const char* error;          // nullptr: completes
};

void PrintTo(const ConflictCase& c, std::ostream* os) { *os << c.name; }

class ConflictTest : public BatchTest, public ::testing::WithParamInterface<ConflictCase> {};

QStringList FilesWithContent(const testing::TempFolder& dir, const QString& sub) {
  QStringList out;
  for (const QString& name : dir.List(sub)) {
    const QString relative = sub.isEmpty() ? name : sub + "/" + name;
    if (dir.Exists(relative)) out << relative + "=" + dir.Read(relative);
  }
  return out;
}

TEST_P(ConflictTest, AppliesTheRule) {
  const ConflictCase& c = GetParam();
  const bool inPlace = c.mode == BatchMode::RenameInPlace;
  const QString folder = inPlace ? QString() : QStringLiteral("out/");
  dir_.Create({"a.txt"}, "A");
  dir_.Create({folder + "b.txt"}, "B");
  dir_.Create({folder + "b (1).txt"}, "N");
  RenameOptions options = Options(c.mode, ConflictMode::Skip, P("out"));
  options.conflict = c.conflict;
  const BatchOutcome out = Run({Item(P("a.txt"), "b.txt")}, options);
  EXPECT_EQ(Text(out.status), c.error ? QString(c.error) : "(ok)");
  QStringList files = FilesWithContent(dir_, "") + FilesWithContent(dir_, "out");
  EXPECT_EQ(files, c.expectedFiles);
  if (c.error) {
    EXPECT_FALSE(QFileInfo::exists(LogPath()));
    return;
  }
  QList<UndoLogEntry> expectedLog;
  if (c.conflict == int(ConflictMode::Overwrite)) {
    // The replaced file's move into the trash comes first, logged like any other.
    const QList<UndoLogEntry> log = ParseUndoLog(LogOnDisk());
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log[0].oldPath, P(folder + "b.txt"));
    EXPECT_TRUE(log[0].newPath.endsWith("/Trash/files/b.txt")) << log[0].newPath.toStdString();
    expectedLog << log[0];
  }
  if (c.logTarget) expectedLog << UndoLogEntry{P("a.txt"), P(c.logTarget)};
  EXPECT_EQ(ParseUndoLog(LogOnDisk()), expectedLog);
  // The undo brings back every file, the one Overwrite replaced included.
  EXPECT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath()).status), "(ok)");
  files = FilesWithContent(dir_, "") + FilesWithContent(dir_, "out");
  EXPECT_EQ(files, QStringList({"a.txt=A", folder + "b (1).txt=N", folder + "b.txt=B"}));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ConflictTest,
    ::testing::Values(ConflictCase{"InPlaceSkip",
                                   BatchMode::RenameInPlace,
                                   0,
                                   {"a.txt=A", "b (1).txt=N", "b.txt=B"},
                                   nullptr,
                                   nullptr},
                      ConflictCase{"InPlaceOverwrite",
                                   BatchMode::RenameInPlace,
                                   1,
                                   {"b (1).txt=N", "b.txt=A"},
                                   "b.txt",
                                   nullptr},
                      ConflictCase{"InPlaceAutoNumber",
                                   BatchMode::RenameInPlace,
                                   2,
                                   {"b (1).txt=N", "b (2).txt=A", "b.txt=B"},
                                   "b (2).txt",
                                   nullptr},
                      ConflictCase{"InPlaceInvalidRule",
                                   BatchMode::RenameInPlace,
                                   7,
                                   {"a.txt=A", "b (1).txt=N", "b.txt=B"},
                                   nullptr,
                                   "The specified file already exists"},
                      ConflictCase{"CopySkip",
                                   BatchMode::CopyToFolder,
                                   0,
                                   {"a.txt=A", "out/b (1).txt=N", "out/b.txt=B"},
                                   nullptr,
                                   nullptr},
                      ConflictCase{"CopyOverwrite",
                                   BatchMode::CopyToFolder,
                                   1,
                                   {"a.txt=A", "out/b (1).txt=N", "out/b.txt=A"},
                                   "out/b.txt",
                                   nullptr},
                      ConflictCase{"CopyAutoNumber",
                                   BatchMode::CopyToFolder,
                                   2,
                                   {"a.txt=A", "out/b (1).txt=N", "out/b (2).txt=A", "out/b.txt=B"},
                                   "out/b (2).txt",
                                   nullptr},
                      ConflictCase{"CopyInvalidRule",
                                   BatchMode::CopyToFolder,
                                   -1,
                                   {"a.txt=A", "out/b (1).txt=N", "out/b.txt=B"},
                                   nullptr,
                                   "The specified file already exists"},
                      ConflictCase{"MoveSkip",
                                   BatchMode::MoveToFolder,
                                   0,
                                   {"a.txt=A", "out/b (1).txt=N", "out/b.txt=B"},
                                   nullptr,
                                   nullptr},
                      ConflictCase{"MoveOverwrite",
                                   BatchMode::MoveToFolder,
                                   1,
                                   {"out/b (1).txt=N", "out/b.txt=A"},
                                   "out/b.txt",
                                   nullptr},
                      ConflictCase{"MoveAutoNumber",
                                   BatchMode::MoveToFolder,
                                   2,
                                   {"out/b (1).txt=N", "out/b (2).txt=A", "out/b.txt=B"},
                                   "out/b (2).txt",
                                   nullptr},
                      ConflictCase{"MoveInvalidRule",
                                   BatchMode::MoveToFolder,
                                   3,
                                   {"a.txt=A", "out/b (1).txt=N", "out/b.txt=B"},
                                   nullptr,
                                   "The specified file already exists"}),
    [](const ::testing::TestParamInfo<ConflictCase>& info) { return info.param.name; });

TEST_F(BatchTest, TwoItemsWithOneNewNameAreNumbered) {
  dir_.Create({"a.txt", "b.txt"});
  const BatchOutcome out = Run({Item(P("a.txt"), "report.txt"), Item(P("b.txt"), "report.txt")},
                               Options(BatchMode::RenameInPlace, ConflictMode::AutoNumber));
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"appdata", "report (1).txt", "report.txt"}));
  EXPECT_EQ(LogOnDisk(),
            LogBytes({{P("a.txt"), P("report.txt")}, {P("b.txt"), P("report (1).txt")}}));
}

TEST_F(BatchTest, SwapIsNumberedAndUndoneCompletely) {
  dir_.Create({"a.txt"}, "A");
  dir_.Create({"b.txt"}, "B");
  const BatchOutcome out = Run({Item(P("a.txt"), "b.txt"), Item(P("b.txt"), "a.txt")},
                               Options(BatchMode::RenameInPlace, ConflictMode::AutoNumber));
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(dir_.Read("b (1).txt"), "A");
  EXPECT_EQ(dir_.Read("a.txt"), "B");
  EXPECT_FALSE(dir_.Exists("b.txt"));

  const UndoOutcome undo = UndoLastRename(RealFileSystem(), LogPath());
  EXPECT_EQ(Text(undo.status), "(ok)");
  EXPECT_EQ(dir_.Read("a.txt"), "A");
  EXPECT_EQ(dir_.Read("b.txt"), "B");
  EXPECT_EQ(dir_.List(), QStringList({"a.txt", "appdata", "b.txt"}));
}

TEST_F(BatchTest, ChainIsUndoneNewestFirst) {
  dir_.Create({"a.txt"}, "A");
  dir_.Create({"c.txt"}, "C");
  const BatchOutcome out = Run({Item(P("a.txt"), "b.txt"), Item(P("c.txt"), "a.txt")},
                               Options(BatchMode::RenameInPlace, ConflictMode::Skip));
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(dir_.Read("b.txt"), "A");
  EXPECT_EQ(dir_.Read("a.txt"), "C");
  EXPECT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath()).status), "(ok)");
  EXPECT_EQ(dir_.Read("a.txt"), "A");
  EXPECT_EQ(dir_.Read("c.txt"), "C");
  EXPECT_FALSE(dir_.Exists("b.txt"));
}

TEST_F(BatchTest, SkipWithEveryTargetTakenReplacesTheLogWithItsHeader) {
  dir_.Create({"a.txt", "b.txt", "x.txt", "y.txt"});
  PutEarlierLog();
  const BatchOutcome out = Run({Item(P("a.txt"), "x.txt"), Item(P("b.txt"), "y.txt")},
                               Options(BatchMode::RenameInPlace, ConflictMode::Skip));
  EXPECT_EQ(Filled(out.notice), CompletedText(LogFolder()));
  EXPECT_EQ(LogOnDisk(), "\xEF\xBB\xBFOriginal,New\r\n");
  EXPECT_TRUE(out.updates.isEmpty());
}

TEST_F(BatchTest, UnchangedNamePassesOverAndTheFileMeetsItselfInItsOwnFolder) {
  dir_.Create({"a.txt"}, "A");
  const QList<TRenameItem> items = {Item(P("a.txt"), "a.txt")};
  BatchOutcome out = Run(items, Options(BatchMode::RenameInPlace, ConflictMode::Overwrite));
  EXPECT_EQ(LogOnDisk(), LogBytes({}));
  // Overwrite must not delete the file that is the source itself.
  for (ConflictMode rule : {ConflictMode::Skip, ConflictMode::Overwrite}) {
    for (BatchMode mode : {BatchMode::CopyToFolder, BatchMode::MoveToFolder}) {
      out = Run(items, Options(mode, rule, dir_.path()));
      EXPECT_EQ(Text(out.status), "(ok)");
      EXPECT_EQ(dir_.Read("a.txt"), "A");
      EXPECT_EQ(LogOnDisk(), LogBytes({}));
    }
  }
  out = Run(items, Options(BatchMode::MoveToFolder, ConflictMode::AutoNumber, dir_.path()));
  EXPECT_EQ(dir_.List(), QStringList({"a (1).txt", "appdata"}));
  EXPECT_EQ(LogOnDisk(), LogBytes({{P("a.txt"), P("a (1).txt")}}));
}

TEST_F(BatchTest, CaseOnlyRenameIsCarriedOutAndUndone) {
  dir_.Create({"File.TXT"}, "F");
  const BatchOutcome out = Run({Item(P("File.TXT"), "file.txt")},
                               Options(BatchMode::RenameInPlace, ConflictMode::Overwrite));
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"appdata", "file.txt"}));
  EXPECT_EQ(LogOnDisk(), LogBytes({{P("File.TXT"), P("file.txt")}}));
  ASSERT_EQ(out.updates.size(), 1);
  EXPECT_EQ(out.updates[0].newPath, P("file.txt"));
  EXPECT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath()).status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"File.TXT", "appdata"}));
}

TEST_F(BatchTest, TouchSetsTheModifiedTimeAndKeepsCreationTime) {
  dir_.Create({"a.txt", "b.txt"});
  ASSERT_TRUE(RealFileSystem().SetLastWriteTime(P("a.txt"), kOldTime).ok());
  ASSERT_TRUE(RealFileSystem().SetLastWriteTime(P("b.txt"), kOldTime).ok());
  const QDateTime born = QFileInfo(P("a.txt")).birthTime();
  TRenameItem item = Item(P("a.txt"), "c.txt");
  item.ModifiedUtc = kOldTime;
  RenameOptions options = Options(BatchMode::RenameInPlace, ConflictMode::Skip);
  options.touchModifiedNow = true;
  const QDateTime start = QDateTime::currentDateTimeUtc().addSecs(-1);
  const BatchOutcome out = Run({item}, options);
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_GE(QFileInfo(P("c.txt")).lastModified().toUTC(), start);
  EXPECT_EQ(QFileInfo(P("b.txt")).lastModified().toUTC(), kOldTime);  // not in the batch
  if (born.isValid()) {
    EXPECT_EQ(QFileInfo(P("c.txt")).birthTime(), born);
  }
}

TEST_F(BatchTest, MissingPreviewStopsThereAndKeepsTheLogOfWhatWasDone) {
  dir_.Create({"1", "2", "3", "4", "5"});
  PutEarlierLog();
  QList<TRenameItem> items;
  for (const char* n : {"1", "2", "3", "4", "5"}) items << Item(P(n), QString(n) + ".new");
  items[2].NewName.clear();
  const BatchOutcome out = Run(items, Options(BatchMode::RenameInPlace, ConflictMode::Skip));
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(Text(out.notice), "Please build preview first (click \"Preview Result\" button).");
  EXPECT_EQ(out.notice->kind, Notice::Kind::kWarning);
  EXPECT_EQ(dir_.List(), QStringList({"1.new", "2.new", "3", "4", "5", "appdata"}));
  EXPECT_EQ(out.updates.size(), 2);
  EXPECT_EQ(LogOnDisk(), LogBytes({{P("1"), P("1.new")}, {P("2"), P("2.new")}}));
}

TEST_F(BatchTest, StopBeforeAnyOperationKeepsTheEarlierLog) {
  dir_.Create({"a", "b"});
  PutEarlierLog();
  BatchOutcome out = Run({Item(P("a"), "")}, Options(BatchMode::RenameInPlace, ConflictMode::Skip));
  EXPECT_EQ(Text(out.notice), "Please build preview first (click \"Preview Result\" button).");
  out = Run({Item(P("a"), "b")}, Options(BatchMode::RenameInPlace, ConflictMode::Skip));
  EXPECT_EQ(Filled(out.notice), CompletedText(LogFolder()));
  EXPECT_EQ(LogOnDisk(), LogBytes({}));
  PutEarlierLog();
  out = Run({}, Options(BatchMode::RenameInPlace, ConflictMode::Skip));
  EXPECT_EQ(Filled(out.notice), CompletedText(LogFolder()));
  EXPECT_EQ(LogOnDisk(), "earlier log");
  EXPECT_EQ(dir_.List("appdata/Larkwell/Corvane"),
            QStringList({"last_rename.csv", "last_rename.csv.lock"}));
}

// What a progress dialog or line hears: after each file done, how many of
// the items are through; and a stop asked for from there (a Cancel button)
// ends the batch after that file, leaving an undo that brings every file back.
class RecordingProgress : public ProgressReport {
 public:
  void Advanced(qsizetype done, qsizetype total) override {
    heard.append(QString("%1/%2").arg(done).arg(total));
    if (stopAfter && done == stopAfter) stop.Request(1);
  }
  QStringList heard;
  qsizetype stopAfter = 0;
  StopRequest stop;
};

TEST_F(BatchTest, ProgressIsHeardAfterEachFileAndCanStopTheBatch) {
  dir_.Create({"a", "b", "c", "d", "e", "taken"});
  const QList<TRenameItem> items = {Item(P("a"), "A"), Item(P("b"), "taken"), Item(P("c"), "C"),
                                    Item(P("d"), "D"), Item(P("e"), "E")};
  const RenameOptions options = Options(BatchMode::RenameInPlace, ConflictMode::Skip);
  RecordingProgress all;
  EXPECT_EQ(Text(ExecuteBatch(items, options, RealFileSystem(), LogPath(), nullptr, &all).status),
            "(ok)");
  EXPECT_EQ(all.heard, QStringList({"1/5", "3/5", "4/5", "5/5"}));
  RecordingProgress undone;
  EXPECT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath(), nullptr, &undone).status), "(ok)");
  EXPECT_EQ(undone.heard, QStringList({"1/4", "2/4", "3/4", "4/4"}));

  RecordingProgress cancelling;
  cancelling.stopAfter = 3;
  const BatchOutcome out =
      ExecuteBatch(items, options, RealFileSystem(), LogPath(), &cancelling.stop, &cancelling);
  EXPECT_TRUE(out.stopped);
  EXPECT_EQ(Text(out.notice),
            "Batch stopped after %d of %d files. The undo log holds what was done.");
  EXPECT_EQ(out.notice->args, QStringList({"3", "5"}));
  EXPECT_EQ(dir_.List(), QStringList({"A", "C", "appdata", "b", "d", "e", "taken"}));
  EXPECT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath()).status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"a", "appdata", "b", "c", "d", "e", "taken"}));
}

TEST_F(BatchTest, RefusalsBeforeStarting) {
  dir_.Create({"a"});
  PutEarlierLog();
  struct Case {
    const char* name;
    RenameOptions options;
    const char* notice;
  };
  RenameOptions noMode = Options(BatchMode::RenameInPlace, ConflictMode::Skip);
  noMode.batchMode = -1;
  const Case cases[] = {
      {"no batch mode", noMode, "Please select a batch mode."},
      {"copy without destination", Options(BatchMode::CopyToFolder, ConflictMode::Skip, " \t "),
       "Please select a destination folder for Copy/Move mode."},
      {"move without destination", Options(BatchMode::MoveToFolder, ConflictMode::Skip),
       "Please select a destination folder for Copy/Move mode."},
  };
  for (const Case& c : cases) {
    const BatchOutcome out = Run({Item(P("a"), "b")}, c.options);
    EXPECT_EQ(Text(out.notice), c.notice) << c.name;
    EXPECT_EQ(out.notice->kind, Notice::Kind::kWarning) << c.name;
    EXPECT_EQ(dir_.List(), QStringList({"a", "appdata"})) << c.name;
    EXPECT_EQ(LogOnDisk(), "earlier log") << c.name;
  }
}

TEST_F(BatchTest, PathTheLogCannotHoldStopsBeforeTheFileIsTouched) {
  for (const char* name : {"say \"hi\"", "two\nlines", "cr\r"}) {
    testing::TempFolder dir;
    dir.Create({"first", name});
    const QString log = dir.file("log.csv");
    const BatchOutcome out =
        ExecuteBatch({Item(dir.file("first"), "done"), Item(dir.file(name), "plain")},
                     Options(BatchMode::RenameInPlace, ConflictMode::Skip), RealFileSystem(), log);
    EXPECT_EQ(Text(out.status), "Invalid characters in path") << name;
    QStringList expected = {"done", "log.csv", "log.csv.lock", name};
    QStringList listed = dir.List();
    expected.sort();
    listed.sort();
    EXPECT_EQ(listed, expected) << name;
    EXPECT_EQ(dir.Read("log.csv"), LogBytes({{dir.file("first"), dir.file("done")}})) << name;
  }
}

TEST_F(BatchTest, FailedOperationKeepsItsPartialLogAndUndoRestoresAll) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  dir_.Create({"c"}, "C");
  PutEarlierLog();
  FaultInjectingFileSystem fs(RealFileSystem());
  fs.AddFault(FileOp::kMoveFile, P("c"));
  const BatchOutcome out =
      ExecuteBatch({Item(P("a"), "a2"), Item(P("b"), "b2"), Item(P("c"), "c2")},
                   Options(BatchMode::RenameInPlace, ConflictMode::Skip), fs, LogPath());
  EXPECT_EQ(Text(out.status), "Access is denied");
  EXPECT_EQ(Text(out.notice), "(none)");
  EXPECT_EQ(out.updates.size(), 2);
  EXPECT_EQ(dir_.List(), QStringList({"a2", "appdata", "b2", "c"}));
  // The lines of what was done, then the zero bytes reserved for the rest.
  const QByteArray log = LogOnDisk();
  const QByteArray lines = LogBytes({{P("a"), P("a2")}, {P("b"), P("b2")}});
  EXPECT_TRUE(log.startsWith(lines));
  EXPECT_EQ(log.mid(lines.size()), QByteArray(log.size() - lines.size(), '\0'));

  const UndoOutcome undo = UndoLastRename(RealFileSystem(), LogPath());
  EXPECT_EQ(Text(undo.status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"a", "appdata", "b", "c"}));
  EXPECT_EQ(dir_.Read("b"), "B");
}

// Without a trash, Overwrite sets the replaced file aside under a hidden name,
// logged, and deletes it once the new file stands in its place. When the move
// fails the replaced file goes back and nothing stays logged.
TEST_F(BatchTest, OverwriteWithoutTrashSetsAsideThenDiscardsOrPutsBack) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  FaultInjectingFileSystem fs(RealFileSystem());
  fs.AddFault(FileOp::kMoveToTrash, P("b"), Error("No trash", Error::Code::kNotSupported), -1);
  fs.AddFault(FileOp::kMoveFile, P("a"));
  const RenameOptions overwrite = Options(BatchMode::RenameInPlace, ConflictMode::Overwrite);
  BatchOutcome out = ExecuteBatch({Item(P("a"), "b")}, overwrite, fs, LogPath());
  EXPECT_EQ(Text(out.status), "Access is denied");
  EXPECT_EQ(dir_.List(), QStringList({"a", "appdata", "b"}));
  EXPECT_EQ(dir_.Read("a"), "A");
  EXPECT_EQ(dir_.Read("b"), "B");
  EXPECT_EQ(dir_.List("appdata/Larkwell/Corvane"), QStringList({"last_rename.csv.lock"}));

  out = ExecuteBatch({Item(P("a"), "b")}, overwrite, fs, LogPath());
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"appdata", "b"}));
  EXPECT_EQ(dir_.Read("b"), "A");
  const QList<UndoLogEntry> lines = ParseUndoLog(LogOnDisk());
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0].oldPath, P("b"));
  EXPECT_TRUE(lines[0].newPath.startsWith(P(".corvane-"))) << lines[0].newPath.toStdString();
  EXPECT_EQ(lines[1], (UndoLogEntry{P("a"), P("b")}));

  const UndoOutcome undo = UndoLastRename(RealFileSystem(), LogPath());
  EXPECT_EQ(Text(undo.status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"a", "appdata"}));
  EXPECT_EQ(dir_.Read("a"), "A");
}

// The trash emptied, and another file of that name trashed into the same
// place: that file is not the batch's, and the undo leaves it there.
TEST_F(BatchTest, UndoLeavesAFileTheTrashTookLaterAtTheSamePlace) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  const BatchOutcome out =
      Run({Item(P("a"), "b")}, Options(BatchMode::RenameInPlace, ConflictMode::Overwrite));
  ASSERT_EQ(Text(out.status), "(ok)");
  const QList<UndoLogEntry> log = ParseUndoLog(LogOnDisk());
  ASSERT_EQ(log.size(), 2);
  const QString place = log[0].newPath;
  const QString record = TrashRecordFor(place).value();
  ASSERT_TRUE(QFile::remove(place) && QFile::remove(record));
  for (const auto& [path, bytes] :
       {std::pair{place, QByteArray("stranger")},
        std::pair{
            record,
            QByteArray("[Trash Info]\nPath=/elsewhere/b\nDeletionDate=2026-01-02T03:04:05\n")}}) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
  }

  EXPECT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath()).status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"a", "appdata"}));
  EXPECT_EQ(dir_.Read("a"), "A");
  EXPECT_TRUE(QFile::exists(place));
  EXPECT_TRUE(QFile::exists(record));
}

// Whenever a file operation starts, the log on disk already names it: a file
// system that looks at the log whenever a move starts sees its line.
class LogWatchingFileSystem : public FaultInjectingFileSystem {
 public:
  LogWatchingFileSystem(FileSystem& base, QString log)
      : FaultInjectingFileSystem(base), log_(std::move(log)) {}
  Status MoveFile(const QString& from, const QString& to) override {
    QFile f(log_);
    seen_ << (f.open(QIODevice::ReadOnly) ? WithoutReservedRoom(f.readAll()) : "(no log)");
    return FaultInjectingFileSystem::MoveFile(from, to);
  }
  // The log being written ends in zero bytes reserved for the lines to come.
  static QByteArray WithoutReservedRoom(QByteArray bytes) {
    while (bytes.endsWith('\0')) bytes.chop(1);
    return bytes;
  }
  QList<QByteArray> seen_;

 private:
  QString log_;
};

TEST_F(BatchTest, LogNamesEachMoveBeforeItStarts) {
  dir_.Create({"a", "b", "c"});
  PutEarlierLog();
  LogWatchingFileSystem fs(RealFileSystem(), LogPath());
  const BatchOutcome out =
      ExecuteBatch({Item(P("a"), "a2"), Item(P("b"), "b2"), Item(P("c"), "c2")},
                   Options(BatchMode::RenameInPlace, ConflictMode::Skip), fs, LogPath());
  EXPECT_EQ(Text(out.status), "(ok)");
  const QByteArray all = LogBytes({{P("a"), P("a2")}, {P("b"), P("b2")}, {P("c"), P("c2")}});
  EXPECT_EQ(fs.seen_, QList<QByteArray>({all, all, all}));
  EXPECT_EQ(LogOnDisk(), all);
}

// Kills its own process when a move of `victim` starts, as a power cut or
// kill -9 would stop the program in the middle of a batch.
class KillingFileSystem : public FaultInjectingFileSystem {
 public:
  KillingFileSystem(FileSystem& base, QString victim)
      : FaultInjectingFileSystem(base), victim_(std::move(victim)) {}
  Status MoveFile(const QString& from, const QString& to) override {
    if (from == victim_) ::kill(::getpid(), SIGKILL);
    return FaultInjectingFileSystem::MoveFile(from, to);
  }

 private:
  QString victim_;
};

TEST_F(BatchTest, KilledBatchLeavesAnUndoableLog) {
  dir_.Create({"a"}, "A");
  dir_.Create({"b"}, "B");
  dir_.Create({"c"}, "C");
  PutEarlierLog();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    KillingFileSystem fs(RealFileSystem(), P("c"));
    (void)ExecuteBatch({Item(P("a"), "a2"), Item(P("b"), "b2"), Item(P("c"), "c2")},
                       Options(BatchMode::RenameInPlace, ConflictMode::Skip), fs, LogPath());
    ::_exit(0);  // not reached
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  EXPECT_EQ(dir_.List(), QStringList({"a2", "appdata", "b2", "c"}));
  // Every line, the one of the move that never happened included, then the
  // zero bytes reserved for more.
  const QByteArray log = LogOnDisk();
  const QByteArray lines = LogBytes({{P("a"), P("a2")}, {P("b"), P("b2")}, {P("c"), P("c2")}});
  EXPECT_TRUE(log.startsWith(lines));
  EXPECT_EQ(log.mid(lines.size()), QByteArray(log.size() - lines.size(), '\0'));
  EXPECT_EQ(Text(UndoLastRename(RealFileSystem(), LogPath()).status), "(ok)");
  EXPECT_EQ(dir_.List(), QStringList({"a", "appdata", "b", "c"}));
}

TEST_F(BatchTest, UnwritableLogStopsBeforeAnyFileIsTouched) {
  dir_.Create({"a", "b"});
  FaultInjectingFileSystem fs(RealFileSystem());
  fs.AddFault(FileOp::kNewWritableFile, "last_rename", Error("Read-only file system"));
  BatchOutcome out = ExecuteBatch(
      {Item(P("a"), "a2")}, Options(BatchMode::RenameInPlace, ConflictMode::Skip), fs, LogPath());
  EXPECT_EQ(Text(out.status), "Read-only file system");
  EXPECT_EQ(dir_.List(), QStringList({"a", "appdata", "b"}));
  EXPECT_EQ(dir_.List("appdata/Larkwell/Corvane"), QStringList({"last_rename.csv.lock"}));

  // A log that fails later stops the batch at once, and the operation it
  // could not record is taken back.
  fs.AddFault(FileOp::kNewAppendableFile, "last_rename", Error("No space left on device"));
  out = ExecuteBatch({Item(P("a"), "a2"), Item(P("b"), "b2")},
                     Options(BatchMode::RenameInPlace, ConflictMode::Skip), fs, LogPath());
  EXPECT_EQ(Text(out.status), "No space left on device");
  EXPECT_EQ(dir_.List(), QStringList({"a", "appdata", "b"}));
  EXPECT_TRUE(out.updates.isEmpty());
}

TEST_F(BatchTest, LogGoesToUndoLogPathUnderAppData) {
  dir_.Create({"a"});
  const QByteArray saved = qgetenv("APPDATA");
  qputenv("APPDATA", dir_.file("roaming").toUtf8());
  const BatchOutcome out =
      ExecuteBatch({Item(P("a"), "b")}, Options(BatchMode::RenameInPlace, ConflictMode::Skip),
                   RealFileSystem(), UndoLogPath());
  qputenv("APPDATA", saved);
  EXPECT_EQ(Text(out.status), "(ok)");
  EXPECT_EQ(dir_.Read("roaming/Larkwell/Corvane/last_rename.csv"), LogBytes({{P("a"), P("b")}}));
}

}  // namespace
}  // namespace corvane
