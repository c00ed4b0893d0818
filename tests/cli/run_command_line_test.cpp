#include "cli/run_command_line.h"
#include "support/counting_file_system.h"
#include "support/fault_injecting_file_system.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTimeZone>

#include "base/build_info.h"
#include "batch/completed_notice.h"
#include "engine/test_photos.h"
#include "presets/preset_file.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::TempFolder;

class RecordingSink : public MessageSink {
 public:
  void ShowNotice(const Notice& notice) override { notices << notice; }
  void ShowError(const Error& error) override { errors << error.message(); }
  void ShowLine(const QString& line) override { lines << line; }
  void ShowErrorLine(const QString& line) override { errorLines << line; }

  QList<Notice> notices;
  QStringList errors;
  QStringList lines;
  QStringList errorLines;
};

class RunCommandLineTest : public ::testing::Test {
 protected:
  int Run(const QStringList& args, FileSystem& fs = RealFileSystem()) {
    const CommandLineServices services{
        fs, logPath_,
        EngineContext::Fixed(QDateTime(QDate(2024, 5, 6), QTime(7, 8), QTimeZone::utc()),
                             QTimeZone::utc())};
    return RunCommandLine(args, RenameOptions(), sink_, services);
  }
  bool LogExists() const { return QFile::exists(logPath_); }

  TempFolder temp_;
  QString logPath_ = temp_.file("appdata/last_rename.csv");
  RecordingSink sink_;
};

const Notice kNoFiles = Notice::Information("No files loaded. Add files first.");

TEST_F(RunCommandLineTest, WithoutCliDoesNothingEvenWithKeysAndFiles) {
  temp_.Create({"a.txt"});
  EXPECT_EQ(Run({"/pattern=x", "-cli", "/cli=yes", temp_.file("a.txt")}), kExitCompleted);
  EXPECT_TRUE(sink_.notices.isEmpty());
  EXPECT_TRUE(sink_.lines.isEmpty());
  EXPECT_EQ(temp_.List(), QStringList({"a.txt"}));
}

TEST_F(RunCommandLineTest, HelpPrintsTheUsageWithOrWithoutCli) {
  EXPECT_EQ(Run({"/HELP"}), kExitCompleted);
  ASSERT_FALSE(sink_.lines.isEmpty());
  EXPECT_EQ(sink_.lines.front(), "Usage: corvane [files or folders]");
  EXPECT_TRUE(sink_.lines.contains("Usage: corvane /cli [options] [files or folders]"));
  EXPECT_TRUE(IsCommandLineRun({"/help"}));
  EXPECT_TRUE(IsCommandLineRun({"/Cli"}));
  EXPECT_FALSE(IsCommandLineRun({"/pattern=x"}));
}

// Help and version forms, alone or in a run that would otherwise rename: each
// prints and touches nothing.
TEST_F(RunCommandLineTest, HelpAndVersionFormsPrintAndChangeNothing) {
  struct Case {
    QStringList args;
    bool version;  // false: the usage
  };
  const Case cases[] = {
      {{"--help"}, false},   {{"-h"}, false},      {{"/cli", "/pattern=b", "-h"}, false},
      {{"--version"}, true}, {{"/Version"}, true}, {{"/cli", "/pattern=b", "/version"}, true},
  };
  temp_.Create({"a.txt"});
  for (const Case& c : cases) {
    sink_ = RecordingSink();
    const QStringList args = c.args + QStringList{temp_.file("a.txt")};
    EXPECT_TRUE(IsCommandLineRun(args)) << c.args.join(' ').toStdString();
    EXPECT_EQ(Run(args), kExitCompleted) << c.args.join(' ').toStdString();
    ASSERT_FALSE(sink_.lines.isEmpty()) << c.args.join(' ').toStdString();
    if (c.version) {
      EXPECT_EQ(sink_.lines, QStringList({"Corvane " + kVersionText.toString()}));
    } else {
      EXPECT_EQ(sink_.lines.front(), "Usage: corvane [files or folders]");
    }
    EXPECT_TRUE(sink_.notices.isEmpty());
    EXPECT_EQ(temp_.List(), QStringList({"a.txt"}));
  }
  // Only the exact spellings of other programs count.
  EXPECT_FALSE(IsCommandLineRun({"--HELP"}));
  EXPECT_FALSE(IsCommandLineRun({"-version"}));
}

TEST_F(RunCommandLineTest, NoFilesIsAnInformationAndNoBatch) {
  EXPECT_EQ(Run({"/cli"}), kExitCompleted);
  EXPECT_EQ(sink_.notices, QList<Notice>({kNoFiles}));
  EXPECT_FALSE(LogExists());
}

TEST_F(RunCommandLineTest, RenamesNamedFilesAndFoldersInOrder) {
  temp_.Create({"one.txt", "dir/b.txt", "dir/sub/c.txt"});
  const QStringList args{"/cli", "/pattern={counter}_{name}", "/case=upper", temp_.file("one.txt"),
                         temp_.file("dir")};
  EXPECT_EQ(Run(args), kExitCompleted);
  EXPECT_EQ(sink_.notices, QList<Notice>({BatchCompletedNotice(logPath_)}));
  EXPECT_TRUE(sink_.errors.isEmpty());
  EXPECT_EQ(temp_.List(), QStringList({"001_ONE.txt", "appdata", "dir"}));
  EXPECT_EQ(temp_.List("dir"), QStringList({"002_B.txt", "sub"}));
  EXPECT_EQ(temp_.List("dir/sub"), QStringList({"c.txt"}));
  EXPECT_TRUE(LogExists());
}

TEST_F(RunCommandLineTest, SubfoldersSwitchTakesTheirFilesToo) {
  temp_.Create({"dir/sub/c.txt"});
  EXPECT_EQ(Run({"/cli", "/subfolders", "/newext=md", temp_.file("dir")}), kExitCompleted);
  EXPECT_EQ(temp_.List("dir/sub"), QStringList({"c.md"}));
}

TEST_F(RunCommandLineTest, DryRunPrintsPairsAndChangesNothing) {
  temp_.Create({"a.txt", "b.txt"});
  EXPECT_EQ(
      Run({"/cli", "/dryrun", "/pattern=x_{counter}", temp_.file("a.txt"), temp_.file("b.txt")}),
      kExitCompleted);
  EXPECT_EQ(sink_.lines, QStringList({temp_.file("a.txt") + " -> x_001.txt",
                                      temp_.file("b.txt") + " -> x_002.txt"}));
  EXPECT_TRUE(sink_.notices.isEmpty());
  EXPECT_EQ(temp_.List(), QStringList({"a.txt", "b.txt"}));
  EXPECT_FALSE(LogExists());
}

TEST_F(RunCommandLineTest, InvalidExpressionStopsWithTheErrorAndChangesNothing) {
  temp_.Create({"a.txt"});
  EXPECT_EQ(Run({"/cli", "/regex", "/find=(", temp_.file("a.txt")}), kExitStopped);
  ASSERT_EQ(sink_.errors.size(), 1);
  EXPECT_TRUE(sink_.errors[0].startsWith("Error in regular expression at offset 1: "));
  EXPECT_EQ(temp_.List(), QStringList({"a.txt"}));
  EXPECT_FALSE(LogExists());
}

TEST_F(RunCommandLineTest, PresetGivesOperationAndDestinationAndKeysOverrideIt) {
  temp_.Create({"a.txt"});
  RenameOptions preset;
  preset.pattern = "{name}_copy";
  preset.batchMode = static_cast<int>(BatchMode::CopyToFolder);
  preset.destination = temp_.file("out");
  preset.find = "a";
  preset.replace = "z";
  ASSERT_TRUE(SavePresetFile(temp_.file("copy.json"), preset, RealFileSystem()).ok());
  EXPECT_EQ(Run({"/cli", "/preset=" + temp_.file("copy.json"), "/replace=y", temp_.file("a.txt")}),
            kExitCompleted);
  EXPECT_EQ(temp_.List("out"), QStringList({"y_copy.txt"}));
  EXPECT_TRUE(temp_.Exists("a.txt"));
}

TEST_F(RunCommandLineTest, UnreadablePresetStopsBeforeAnything) {
  temp_.Create({"a.txt"});
  EXPECT_EQ(Run({"/cli", "/preset=" + temp_.file("none.json"), "/pattern=b", temp_.file("a.txt")}),
            kExitStopped);
  EXPECT_EQ(sink_.errors.size(), 1);
  EXPECT_TRUE(sink_.notices.isEmpty());
  EXPECT_EQ(temp_.List(), QStringList({"a.txt"}));
}

TEST_F(RunCommandLineTest, MissingDestinationIsAWarningThatFailsTheRun) {
  temp_.Create({"a.txt"});
  RenameOptions preset;
  preset.batchMode = static_cast<int>(BatchMode::MoveToFolder);
  preset.destination = "  ";
  ASSERT_TRUE(SavePresetFile(temp_.file("move.json"), preset, RealFileSystem()).ok());
  EXPECT_EQ(Run({"/cli", "/preset=" + temp_.file("move.json"), temp_.file("a.txt")}), kExitStopped);
  EXPECT_EQ(
      sink_.notices,
      QList<Notice>({Notice::Warning("Please select a destination folder for Copy/Move mode.")}));
  EXPECT_TRUE(temp_.Exists("a.txt"));
}

TEST_F(RunCommandLineTest, FailedOperationStopsWithTheErrorAndExitsOne) {
  temp_.Create({"a.txt", "b.txt"});
  FaultInjectingFileSystem fs(RealFileSystem());
  fs.AddFault(FileOp::kMoveFile, "b.txt", Error("Access is denied"));
  EXPECT_EQ(Run({"/cli", "/pattern=n_{name}", temp_.file("a.txt"), temp_.file("b.txt")}, fs),
            kExitStopped);
  EXPECT_EQ(sink_.errors, QStringList({"Access is denied"}));
  EXPECT_TRUE(temp_.Exists("n_a.txt"));
  EXPECT_TRUE(temp_.Exists("b.txt"));
}

TEST_F(RunCommandLineTest, UndoTakesTheLastBatchBack) {
  temp_.Create({"a.txt"});
  ASSERT_EQ(Run({"/cli", "/pattern=b", temp_.file("a.txt")}), kExitCompleted);
  ASSERT_TRUE(temp_.Exists("b.txt"));
  sink_.notices.clear();
  EXPECT_EQ(Run({"/cli", "/undo", "/pattern=c", temp_.file("b.txt")}), kExitCompleted);
  EXPECT_EQ(sink_.notices,
            QList<Notice>({Notice::Information("Undo completed for the last rename operation.")}));
  EXPECT_TRUE(temp_.Exists("a.txt"));
  EXPECT_FALSE(temp_.Exists("b.txt"));
  sink_.notices.clear();
  EXPECT_EQ(Run({"/cli", "/undo"}), kExitCompleted);
  EXPECT_EQ(sink_.notices, QList<Notice>({Notice::Information("No undo log found in AppData.")}));
}

TEST_F(RunCommandLineTest, UndoRefusesADryRun) {
  temp_.Create({"a.txt"});
  ASSERT_EQ(Run({"/cli", "/pattern=b", temp_.file("a.txt")}), kExitCompleted);
  sink_.notices.clear();
  EXPECT_EQ(Run({"/cli", "/undo", "/dryrun"}), kExitStopped);
  EXPECT_EQ(sink_.notices,
            QList<Notice>({Notice::Warning("The undo has no dry run; leave out /dryrun.")}));
  EXPECT_TRUE(temp_.Exists("b.txt"));
  EXPECT_TRUE(LogExists());
}

// A command line the mode cannot place stops before the preset is read, a
// file added or the undo log opened.
TEST_F(RunCommandLineTest, ArgumentFaultStopsBeforeAnythingWithExitTwo) {
  temp_.Create({"a.txt"});
  ASSERT_EQ(Run({"/cli", "/pattern=b", temp_.file("a.txt")}), kExitCompleted);
  ASSERT_TRUE(LogExists());
  const QByteArray log = temp_.Read("appdata/last_rename.csv");
  struct Case {
    QStringList args;
    QStringList errorLines;
  };
  const Case cases[] = {
      {{"/cli", "/undo", "/dryrn"}, {"Unknown switch: /dryrn", "Did you mean /dryrun?"}},
      {{"/cli", "/undo", temp_.file("gone.txt")}, {"File not found: " + temp_.file("gone.txt")}},
      {{"/cli", "/preset=" + temp_.file("none.json"), "--pattern=c", temp_.file("b.txt")},
       {"Unknown switch: --pattern=c", "Did you mean /pattern=?"}},
      {{"/cli", "/extcase=small", temp_.file("b.txt")},
       {"Unknown value for /extcase: small", "Choose one of: unchanged, lower, upper"}},
  };
  for (const Case& c : cases) {
    sink_ = RecordingSink();
    EXPECT_EQ(Run(c.args), kExitUsage) << c.args.join(' ').toStdString();
    EXPECT_EQ(sink_.errorLines, c.errorLines);
    EXPECT_TRUE(sink_.errors.isEmpty()) << sink_.errors.join('\n').toStdString();
    EXPECT_TRUE(sink_.notices.isEmpty());
    EXPECT_TRUE(sink_.lines.isEmpty());
    EXPECT_EQ(temp_.List(), QStringList({"appdata", "b.txt"}));
    EXPECT_EQ(temp_.Read("appdata/last_rename.csv"), log);
  }
}

// A run reads no size or time of the files its folder lists as files, unless
// a name turns out to use one: then every file's are read, and the names are
// made again with them, even where a file's own name forms the keyword.
TEST_F(RunCommandLineTest, ReadsSizesAndTimesOnlyForNamesThatUseThem) {
  struct Case {
    QString pattern;
    QString file;
    QString renamed;
    bool reads;
  };
  const Case cases[] = {
      {"{name}_x", "abc.txt", "abc_x.txt", false},
      {"{size}", "abc.txt", "3.txt", true},
      {"{modified:yyyy}", "abc.txt", "2024.txt", true},
      {"{name}", "{size}.txt", "3.txt", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern.toStdString() + " " + c.file.toStdString());
    TempFolder dir;
    dir.Create({c.file}, "abc");
    QFile file(dir.file(c.file));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 1, 2), QTime(3, 4), QTimeZone::utc()),
                                 QFileDevice::FileModificationTime));
    file.close();
    CountingFileSystem fs(RealFileSystem());
    EXPECT_EQ(Run({"/cli", "/pattern=" + c.pattern, dir.path()}, fs), kExitCompleted);
    EXPECT_EQ(dir.List(), QStringList({c.renamed}));
    EXPECT_EQ(fs.count("ReadMetadata") > 0, c.reads);
  }
}

// {taken} gives a photo's Exif date and a plain file's modified date; the
// files' times are read only when some file has no date taken.
TEST_F(RunCommandLineTest, TakenGivesTheExifDateOrElseTheModifiedDate) {
  const QByteArray photo =
      testing::TaggedJpeg({{testing::kDateTimeOriginal, "2021:07:04 15:30:12"}});
  struct Case {
    QStringList files;
    QStringList renamed;
    bool readsTimes;
  };
  const Case cases[] = {
      {{"IMG_1.jpg", "notes.txt"}, {"trip_20210704.jpg", "trip_20240102.txt"}, true},
      {{"IMG_1.jpg"}, {"trip_20210704.jpg"}, false},
      {{"notes.txt"}, {"trip_20240102.txt"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.files.join(' ').toStdString());
    TempFolder dir;
    for (const QString& name : c.files) {
      dir.Create({name}, name.endsWith(".jpg") ? photo : QByteArray("abc"));
      QFile file(dir.file(name));
      ASSERT_TRUE(file.open(QIODevice::ReadWrite));
      ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 1, 2), QTime(3, 4), QTimeZone::utc()),
                                   QFileDevice::FileModificationTime));
    }
    CountingFileSystem fs(RealFileSystem());
    EXPECT_EQ(Run({"/cli", "/pattern=trip_{taken}", dir.path()}, fs), kExitCompleted);
    EXPECT_EQ(dir.List(), c.renamed);
    EXPECT_EQ(fs.count("ReadMetadata") > 0, c.readsTimes);
  }
}

}  // namespace
}  // namespace corvane
