// Runs the built corvane executable as a user would, each test in a fresh
// temporary folder with APPDATA pointing into it, so the undo log never
// touches the real home.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "corvane_runner.h"
#include "support/fat_mount.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::CorvaneRunner;
using testing::ProcessResult;
using testing::TempFolder;

class CommandLineEndToEndTest : public ::testing::Test, protected CorvaneRunner {
 protected:
  using CorvaneRunner::Run;
};

const QString kUndone = "Undo completed for the last rename operation.\n";
const QDateTime kOldTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

// The entry itself, a link not followed; st_mode 0 when nothing is there.
struct stat Entry(const QString& path) {
  struct stat st = {};
  (void)::lstat(QFile::encodeName(path).constData(), &st);
  return st;
}

QDateTime ModifiedTime(const struct stat& st) {
  return QDateTime::fromMSecsSinceEpoch(
      qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000, Qt::UTC);
}

// Gives the entry itself (a link is not followed) the modified time `utc`.
bool SetModifiedTime(const QString& path, const QDateTime& utc) {
  const timespec times[2] = {{0, UTIME_OMIT}, {time_t(utc.toSecsSinceEpoch()), 0}};
  return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) ==
         0;
}

void WritePreset(const QString& path, const QByteArray& json) {
  QFile preset(path);
  ASSERT_TRUE(preset.open(QIODevice::WriteOnly) && preset.write(json) == json.size());
}

TEST_F(CommandLineEndToEndTest, WithoutCliAndWithoutDisplaySaysSoAndEndsWithOne) {
  temp_.Create({"photos/a.txt"});
  const ProcessResult r =
      Run({"/pattern=x", "photos/a.txt"}, {}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            "Cannot open the window: no display. Use corvane /cli to rename from a "
            "terminal.\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(temp_.List("photos"), QStringList({"a.txt"}));
}

TEST_F(CommandLineEndToEndTest, RegexRenameOfAFoldersFiles) {
  temp_.Create({"photos/IMG_1.jpg", "photos/IMG_22.jpg", "photos/notes.txt"}, "x");
  const ProcessResult r =
      Run({"/cli", "/regex", "/find=^IMG_(\\d+)$", "/replace=trip-$1", "photos"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, CompletedLine());
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(temp_.List("photos"), QStringList({"notes.txt", "trip-1.jpg", "trip-22.jpg"}));
  EXPECT_TRUE(QFile::exists(LogPath()));
}

TEST_F(CommandLineEndToEndTest, DryRunPrintsThePairsAndChangesNothing) {
  temp_.Create({"photos/IMG_1.jpg", "photos/IMG_22.jpg"});
  const ProcessResult r =
      Run({"/cli", "/dryrun", "/regex", "/find=^IMG_(\\d+)$", "/replace=trip-$1", "photos"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  // A folder lists its files in the file system's order, so compare as a set.
  QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
  lines.sort();
  // Relative arguments are made absolute, so the undo log holds full paths.
  EXPECT_EQ(lines, QStringList({temp_.file("photos/IMG_1.jpg") + " -> trip-1.jpg",
                                temp_.file("photos/IMG_22.jpg") + " -> trip-22.jpg"}));
  EXPECT_EQ(temp_.List("photos"), QStringList({"IMG_1.jpg", "IMG_22.jpg"}));
  EXPECT_FALSE(QFile::exists(LogPath()));
}

// The dry run prints the name each file will really get, and the batch then
// gives exactly those names. Standard error is a pipe here: no progress line.
TEST_F(CommandLineEndToEndTest, DryRunMarksWhatTheBatchWillReallyDo) {
  struct Case {
    const char* conflict;
    QStringList lines;  // after the path of docs/a.txt, docs/b.txt, docs/c.md
    QStringList after;
  };
  const Case cases[] = {
      {"/conflict=number",
       {" -> x (1).txt  [numbered: x.txt is taken]", " -> x (2).txt  [numbered: x.txt is taken]",
        " -> x.md"},
       {"x (1).txt", "x (2).txt", "x.md", "x.txt"}},
      {"/conflict=skip",
       {" -> a.txt  [skipped: x.txt is taken]", " -> b.txt  [skipped: x.txt is taken]", " -> x.md"},
       {"a.txt", "b.txt", "x.md", "x.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.conflict);
    TempFolder folder;
    folder.Create({"docs/a.txt", "docs/b.txt", "docs/c.md", "docs/x.txt"});
    const QStringList args = {"/cli",
                              "/pattern=x",
                              c.conflict,
                              folder.file("docs/a.txt"),
                              folder.file("docs/b.txt"),
                              folder.file("docs/c.md")};
    const ProcessResult dry = Run(QStringList{"/dryrun"} + args);
    EXPECT_EQ(dry.exitCode, 0) << dry.err.toStdString();
    EXPECT_EQ(dry.err, "");
    EXPECT_EQ(dry.out, folder.file("docs/a.txt") + c.lines[0] + "\n" + folder.file("docs/b.txt") +
                           c.lines[1] + "\n" + folder.file("docs/c.md") + c.lines[2] + "\n");
    const ProcessResult batch = Run(args);
    EXPECT_EQ(batch.exitCode, 0) << batch.err.toStdString();
    EXPECT_EQ(batch.err, "");
    EXPECT_EQ(folder.List("docs"), c.after);
  }
}

TEST_F(CommandLineEndToEndTest, CopyThroughAPreset) {
  temp_.Create({"in/report.txt"}, "content");
  QFile preset(temp_.file("copy.json"));
  ASSERT_TRUE(preset.open(QIODevice::WriteOnly));
  preset.write(
      "\xEF\xBB\xBF{\r\n\"pattern\":\"{name}-{counter}\",\r\n\"digits\":\"2\",\r\n"
      "\"changeExt\":false,\r\n\"batchMode\":1,\r\n\"destination\":\"out/new\"\r\n}\r\n");
  preset.close();
  const ProcessResult r = Run({"/cli", "/preset=copy.json", "in/report.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, CompletedLine());
  EXPECT_EQ(temp_.Read("out/new/report-01.txt"), "content");
  EXPECT_EQ(temp_.List("in"), QStringList({"report.txt"}));
}

TEST_F(CommandLineEndToEndTest, UndoTakesTheRenameBackFromAnotherFolder) {
  temp_.Create({"docs/a.txt", "docs/b.txt"});
  ASSERT_EQ(Run({"/cli", "/case=upper", "docs/a.txt", "docs/b.txt"}).exitCode, 0);
  ASSERT_EQ(temp_.List("docs"), QStringList({"A.txt", "B.txt"}));
  const ProcessResult undo = Run({"/cli", "/undo"}, temp_.CreateFolder("elsewhere"));
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(undo.out, "Undo completed for the last rename operation.\n");
  EXPECT_EQ(temp_.List("docs"), QStringList({"a.txt", "b.txt"}));
  EXPECT_EQ(temp_.List("elsewhere"), QStringList());
  const ProcessResult again = Run({"/cli", "/undo"});
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(again.out, "No undo log found in AppData.\n");
}

// A copy of a link is a link, so the undo finds the copy to hold what the
// source holds and takes it back; the source stays a link.
TEST_F(CommandLineEndToEndTest, CopyOfAFolderHoldingALinkIsUndoneCompletely) {
  temp_.Create({"photos/x.jpg"}, "picture");
  ASSERT_TRUE(QFile::link("x.jpg", temp_.file("photos/latest.jpg")));
  WritePreset(temp_.file("copy.json"),
              R"({"pattern":"{name}","changeExt":false,"batchMode":1,"destination":"out"})");
  const ProcessResult r = Run({"/cli", "/preset=copy.json", "photos"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, CompletedLine());
  EXPECT_EQ(QFileInfo(temp_.file("out/latest.jpg")).symLinkTarget(), temp_.file("out/x.jpg"));
  EXPECT_EQ(temp_.Read("out/x.jpg"), "picture");

  const ProcessResult undo = Run({"/cli", "/undo"});
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(undo.out, kUndone);
  EXPECT_EQ(undo.err, "");
  EXPECT_EQ(QDir(temp_.file("out"))
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
  EXPECT_TRUE(S_ISLNK(Entry(temp_.file("photos/latest.jpg")).st_mode));
  EXPECT_EQ(QFileInfo(temp_.file("photos/latest.jpg")).symLinkTarget(), temp_.file("photos/x.jpg"));
  EXPECT_EQ(temp_.Read("photos/x.jpg"), "picture");
}

// A link planted at the name the log is first written under is replaced,
// never written through.
TEST_F(CommandLineEndToEndTest, LinkAtTheLogsTemporaryNameLeavesTheFileItPointsTo) {
  temp_.Create({"precious.txt"}, "precious");
  temp_.Create({"docs/a.txt"}, "a");
  temp_.CreateFolder("appdata/Larkwell/Corvane");
  ASSERT_TRUE(QFile::link(temp_.file("precious.txt"), LogPath() + ".tmp"));
  const ProcessResult r = Run({"/cli", "/pattern=b", "docs/a.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, CompletedLine());
  EXPECT_EQ(temp_.Read("precious.txt"), "precious");
  EXPECT_TRUE(S_ISREG(Entry(LogPath()).st_mode));
  EXPECT_EQ(temp_.List("docs"), QStringList({"b.txt"}));

  const ProcessResult undo = Run({"/cli", "/undo"});
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(temp_.List("docs"), QStringList({"a.txt"}));
  EXPECT_EQ(temp_.Read("precious.txt"), "precious");
}

// Touching the modified time of a renamed link touches the link, not the file
// it points to.
TEST_F(CommandLineEndToEndTest, TouchingARenamedLinkLeavesTheTimeOfItsFile) {
  temp_.Create({"docs/target.txt"}, "x");
  ASSERT_TRUE(QFile::link("target.txt", temp_.file("docs/link.txt")));
  ASSERT_TRUE(SetModifiedTime(temp_.file("docs/target.txt"), kOldTime));
  ASSERT_TRUE(SetModifiedTime(temp_.file("docs/link.txt"), kOldTime));
  WritePreset(temp_.file("touch.json"),
              R"({"pattern":"renamed","changeExt":false,"touchModifiedNow":true})");
  const ProcessResult r = Run({"/cli", "/preset=touch.json", "docs/link.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(temp_.List("docs"), QStringList({"renamed.txt", "target.txt"}));
  const struct stat link = Entry(temp_.file("docs/renamed.txt"));
  EXPECT_TRUE(S_ISLNK(link.st_mode));
  EXPECT_GT(ModifiedTime(link), kOldTime);
  EXPECT_EQ(ModifiedTime(Entry(temp_.file("docs/target.txt"))), kOldTime);
}

// On a FAT volume mounted through FUSE the log cannot always be cut to the
// size it already has; a batch that did its work and logged every line has
// completed, and its undo brings every file back.
TEST_F(CommandLineEndToEndTest, LogOnAFatVolumeThroughFuseCompletesAndUndoes) {
  testing::FatMount fat;
  if (!fat.mounted()) GTEST_SKIP() << "cannot mount a FAT image: " << fat.reason().toStdString();
  appData_ = fat.path();
  QStringList names;
  for (int i = 0; i < 50; ++i) names << QStringLiteral("docs/f%1.txt").arg(i, 2, 10, QChar(u'0'));
  temp_.Create(names, "x");
  const QStringList before = temp_.List("docs");

  // Every file is given one name: the numbered ones are logged after the log
  // has taken its place.
  const ProcessResult r = Run({"/cli", "/pattern=b", "docs"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, CompletedLine());
  EXPECT_EQ(r.err, "");
  const QStringList renamed = temp_.List("docs");
  EXPECT_EQ(renamed.size(), names.size());
  EXPECT_TRUE(renamed.contains("b (49).txt")) << renamed.join(", ").toStdString();

  const ProcessResult undo = Run({"/cli", "/undo"});
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(undo.out, kUndone);
  EXPECT_EQ(temp_.List("docs"), before);
  EXPECT_FALSE(QFile::exists(LogPath()));
}

TEST_F(CommandLineEndToEndTest, InvalidExpressionExitsOneWithTheMessageOnStandardError) {
  temp_.Create({"a.txt"});
  const ProcessResult r = Run({"/cli", "/regex", "/find=(", "a.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(r.err.startsWith("Error in regular expression at offset 1: ")) << r.err.toStdString();
  EXPECT_TRUE(r.err.endsWith(".\n"));
  EXPECT_EQ(temp_.List(), QStringList({"a.txt"}));
}

// Nested repetitions failing at the end of a long name reach PCRE2's match
// limit: the run ends as for an invalid expression, naming the file, in the
// remembered language, and renames nothing.
TEST_F(CommandLineEndToEndTest, ExpressionTooComplexForAFileExitsOneNamingIt) {
  const QString hopeless = QString(200, u'a') + "!.txt";
  temp_.Create({"b.txt", hopeless});
  const ProcessResult r = Run({"/cli", "/regex", "/find=(a+)+$", "/replace=x", "b.txt", hopeless});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Regular expression too complex for " + temp_.file(hopeless) + ".\n");
  EXPECT_EQ(temp_.List(), QStringList({hopeless, "b.txt"}));
  EXPECT_FALSE(QFile::exists(LogPath()));

  temp_.Create({"config/Corvane.conf"}, "[General]\nCurrentLanguage=de\n");
  const ProcessResult german = Run({"/cli", "/regex", "/find=(a+)+$", hopeless});
  EXPECT_EQ(german.exitCode, 1);
  EXPECT_EQ(german.err, QString::fromUtf16(u"Regulärer Ausdruck zu komplex für ") +
                            temp_.file(hopeless) + ".\n");
}

TEST_F(CommandLineEndToEndTest, NoFilesIsReportedAndSucceeds) {
  const ProcessResult r = Run({"/cli", "/pattern=x"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "No files loaded. Add files first.\n");
  EXPECT_FALSE(QFile::exists(LogPath()));
}

// A command line with an argument the mode cannot place. Each runs after a
// batch that left an undo log, where a real run would destroy o/b.txt
// (overwrite) or undo that batch.
struct FaultCase {
  const char* name;
  QStringList args;
  const char* err;  // the whole of standard error
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class CommandLineFaultTest : public ::testing::TestWithParam<FaultCase>, protected CorvaneRunner {
 protected:
  using CorvaneRunner::Run;
};

TEST_P(CommandLineFaultTest, ExitsTwoAndChangesNothing) {
  const FaultCase& c = GetParam();
  temp_.Create({"o/a.txt"}, "content-a");
  temp_.Create({"o/b.txt"}, "content-b");
  temp_.Create({"o/x.txt"}, "content-x");
  ASSERT_EQ(Run({"/cli", "/pattern=y", "o/x.txt"}).exitCode, 0);
  ASSERT_TRUE(QFile::exists(LogPath()));
  const QMap<QString, QByteArray> before = Snapshot();

  const ProcessResult r = Run(c.args);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, QString::fromUtf8(c.err));
  EXPECT_EQ(Snapshot(), before);
}

const QStringList kOverwriteB{"/pattern=b", "/conflict=overwrite", "o/a.txt"};

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineFaultTest,
    ::testing::Values(FaultCase{"DoubleDashDryRun", QStringList{"/cli", "--dryrun"} + kOverwriteB,
                                "Unknown switch: --dryrun\nDid you mean /dryrun?\n"},
                      FaultCase{"DryRunMissingALetter", QStringList{"/cli", "/dryrn"} + kOverwriteB,
                                "Unknown switch: /dryrn\nDid you mean /dryrun?\n"},
                      FaultCase{"DryRunWithADash", QStringList{"/cli", "/dry-run"} + kOverwriteB,
                                "Unknown switch: /dry-run\nDid you mean /dryrun?\n"},
                      FaultCase{"ShortDryRunOfOtherPrograms",
                                QStringList{"/cli", "-n"} + kOverwriteB, "Unknown switch: -n\n"},
                      FaultCase{"MisspeltKey",
                                {"/cli", "/patern=x", "/conflict=overwrite", "o/a.txt"},
                                "Unknown switch: /patern=x\nDid you mean /pattern=?\n"},
                      FaultCase{"MissingFileAfterAGoodOne",
                                {"/cli", "/pattern=b", "/conflict=overwrite", "o/a.txt", "o/c.txt"},
                                "File not found: o/c.txt\n"},
                      FaultCase{"UndoWithAMistypedSwitch",
                                {"/cli", "/undo", "--dryrun"},
                                "Unknown switch: --dryrun\nDid you mean /dryrun?\n"},
                      FaultCase{"UndoWithAMissingFile",
                                {"/cli", "/undo", "o/c.txt"},
                                "File not found: o/c.txt\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The system, not the text, decides which file "lnk/../f.txt" is.
TEST_F(CommandLineEndToEndTest, DotDotAfterAFolderLinkIsTheFileTheSystemOpens) {
  temp_.Create({"real/f.txt"}, "in real");
  temp_.Create({"f.txt"}, "beside the link");
  temp_.CreateFolder("real/sub");
  ASSERT_TRUE(QFile::link(temp_.file("real/sub"), temp_.file("lnk")));
  const ProcessResult r = Run({"/cli", "/pattern=g", "lnk/../f.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(temp_.Read("real/g.txt"), "in real");
  EXPECT_FALSE(temp_.Exists("real/f.txt"));
  EXPECT_EQ(temp_.Read("f.txt"), "beside the link");
  EXPECT_FALSE(temp_.Exists("g.txt"));

  const ProcessResult undo = Run({"/cli", "/undo"}, temp_.CreateFolder("elsewhere"));
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(temp_.Read("real/f.txt"), "in real");
  EXPECT_FALSE(temp_.Exists("real/g.txt"));
  EXPECT_EQ(temp_.Read("f.txt"), "beside the link");
}

TEST_F(CommandLineEndToEndTest, AnExistingAbsolutePathIsStillAFile) {
  temp_.Create({"docs/a.txt"}, "a");
  const ProcessResult r =
      Run({"/cli", "/pattern=renamed", temp_.file("docs/a.txt")}, temp_.CreateFolder("elsewhere"));
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, CompletedLine());
  EXPECT_EQ(temp_.List("docs"), QStringList({"renamed.txt"}));
}

TEST_F(CommandLineEndToEndTest, FolderAtTheTargetGivesTheSystemsMessage) {
  temp_.Create({"a.txt"}, "a");
  temp_.Create({"b.txt/inside.txt"}, "inside");
  const ProcessResult r = Run({"/cli", "/pattern=b", "a.txt"});
  EXPECT_EQ(r.exitCode, 1);
  // Shown as the general error report, which ends in a full stop.
  EXPECT_EQ(r.err, qt_error_string(EEXIST) + ".\n");
  EXPECT_NE(r.err, "The specified file already exists.\n");
  EXPECT_EQ(temp_.Read("a.txt"), "a");
  EXPECT_EQ(temp_.List("b.txt"), QStringList({"inside.txt"}));
}

struct InfoCase {
  const char* name;
  QStringList args;
  const char* out;
  bool whole;  // false: standard output only begins with `out`
};

void PrintTo(const InfoCase& c, std::ostream* os) { *os << c.name; }

class CommandLineInfoTest : public ::testing::TestWithParam<InfoCase>, protected CorvaneRunner {
 protected:
  using CorvaneRunner::Run;
};

TEST_P(CommandLineInfoTest, PrintsAndChangesNothing) {
  const InfoCase& c = GetParam();
  temp_.Create({"a.txt"});
  const ProcessResult r = Run(c.args);
  EXPECT_EQ(r.exitCode, 0);
  if (c.whole) {
    EXPECT_EQ(r.out, QString::fromUtf8(c.out));
  } else {
    EXPECT_TRUE(r.out.startsWith(QString::fromUtf8(c.out))) << r.out.toStdString();
  }
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(temp_.List(), QStringList({"a.txt"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineInfoTest,
    ::testing::Values(InfoCase{"LongVersion", {"--version"}, "Corvane 2.4\n", true},
                      InfoCase{"SlashVersion", {"/VERSION"}, "Corvane 2.4\n", true},
                      InfoCase{"VersionInACliRun",
                               {"/cli", "/pattern=b", "a.txt", "--version"},
                               "Corvane 2.4\n",
                               true},
                      InfoCase{
                          "LongHelp", {"--help"}, "Usage: corvane [files or folders]\n", false},
                      InfoCase{"ShortHelp", {"-h"}, "Usage: corvane [files or folders]\n", false},
                      InfoCase{"HelpInACliRun",
                               {"/cli", "/pattern=b", "a.txt", "-h"},
                               "Usage: corvane [files or folders]\n",
                               false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

struct SignalCase {
  const char* name;
  int signal;
  int exitCode;  // -1: killed, no exit code
};

void PrintTo(const SignalCase& c, std::ostream* os) { *os << c.name; }

constexpr int kManyFiles = 20000;

struct SignalledRun {
  QProcess::ExitStatus exitStatus = QProcess::CrashExit;
  int exitCode = -1;
  QString out;
};

class InterruptedRunTest : public ::testing::TestWithParam<SignalCase>, protected CorvaneRunner {
 protected:
  using CorvaneRunner::Run;

  // Files f00000, f00001, ... in the folder "many".
  void CreateManyFiles() {
    const QString folder = temp_.CreateFolder("many");
    for (int i = 0; i < kManyFiles; ++i) {
      QFile f(folder + QStringLiteral("/f%1").arg(i, 5, 10, QChar(u'0')));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
  }

  // Runs corvane with `args` and sends it the case's signal once `underWay`
  // holds, however long that takes. The program is stopped (SIGSTOP) the
  // moment it is seen under way and gets the signal while stopped, so that
  // no work is done between the look and the signal; `midWay` then tells,
  // at that very point, that the work has not ended yet.
  SignalledRun RunAndSignal(const QStringList& args, const std::function<bool()>& underWay,
                            const std::function<bool()>& midWay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("APPDATA", appData_);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(temp_.path());
    process.start(QStringLiteral(CORVANE_EXECUTABLE), args);
    SignalledRun run;
    EXPECT_TRUE(process.waitForStarted());
    const pid_t pid = pid_t(process.processId());
    while (!underWay() && process.state() == QProcess::Running) QThread::usleep(200);
    EXPECT_EQ(::kill(pid, SIGSTOP), 0);
    EXPECT_TRUE(midWay()) << "the work ended before the signal could be sent";
    EXPECT_EQ(::kill(pid, GetParam().signal), 0);
    EXPECT_EQ(::kill(pid, SIGCONT), 0);
    process.waitForFinished(-1);
    run.exitStatus = process.exitStatus();
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    return run;
  }

  // Every file is back under its first name.
  void ExpectEveryFileBack() {
    const QStringList names = temp_.List("many");
    EXPECT_EQ(names.size(), kManyFiles);
    EXPECT_EQ(names.filter(QRegularExpression("^f\\d{5}$")).size(), kManyFiles);
  }
};

using InterruptedBatchTest = InterruptedRunTest;

// A long batch stopped half-way by a signal leaves a log from which the undo
// brings every file back; SIGINT and SIGTERM finish the file in hand first.
TEST_P(InterruptedBatchTest, UndoBringsEveryFileBack) {
  CreateManyFiles();
  // Once the log has lines, the batch is under way.
  QFile log(LogPath());
  const SignalledRun run = RunAndSignal(
      {"/cli", "/regex", "/find=^f", "/replace=g", "many"},
      [&] { return log.exists() && log.size() > 4096; },
      [&] { return !temp_.List("many").filter(QRegularExpression("^f\\d{5}$")).isEmpty(); });
  if (GetParam().exitCode < 0) {
    EXPECT_EQ(run.exitStatus, QProcess::CrashExit);
  } else {
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_TRUE(run.out.startsWith("Batch stopped after ")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral(" of %1 files.").arg(kManyFiles)))
        << run.out.toStdString();
  }
  const ProcessResult undo = Run({"/cli", "/undo"});
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  ExpectEveryFileBack();
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedBatchTest,
                         ::testing::Values(SignalCase{"Interrupt", SIGINT, 130},
                                           SignalCase{"Terminate", SIGTERM, 143},
                                           SignalCase{"Kill", SIGKILL, -1}),
                         [](const ::testing::TestParamInfo<SignalCase>& info) {
                           return info.param.name;
                         });

using InterruptedUndoTest = InterruptedRunTest;

// A long undo stopped by a signal ends after the file in hand, says how many
// of the log's lines it undid, and a second undo takes back the rest.
TEST_P(InterruptedUndoTest, SecondUndoBringsEveryFileBack) {
  CreateManyFiles();
  const ProcessResult batch = Run({"/cli", "/regex", "/find=^f", "/replace=g", "many"});
  ASSERT_EQ(batch.exitCode, 0) << batch.err.toStdString();
  ASSERT_EQ(temp_.List("many").filter(QRegularExpression("^g")).size(), kManyFiles);
  // The undo starts at the log's last line: once its file is back, the undo is under way.
  QFile log(LogPath());
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
  const QString firstUndone = QString::fromUtf8(lines.last().split('"').value(1));
  ASSERT_TRUE(firstUndone.startsWith(temp_.file("many/f"))) << firstUndone.toStdString();

  const SignalledRun run = RunAndSignal(
      {"/cli", "/undo"}, [&] { return QFile::exists(firstUndone); },
      [&] { return !temp_.List("many").filter(QRegularExpression("^g")).isEmpty(); });
  EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
  EXPECT_EQ(run.exitCode, GetParam().exitCode);
  const QRegularExpressionMatch said =
      QRegularExpression(
          QStringLiteral("^Undo stopped after (\\d+) of %1 files\\. Undo again to take "
                         "back the others\\.\n$")
              .arg(kManyFiles))
          .match(run.out);
  ASSERT_TRUE(said.hasMatch()) << run.out.toStdString();
  const int undone = said.captured(1).toInt();
  EXPECT_GT(undone, 0);
  EXPECT_LT(undone, kManyFiles);
  EXPECT_EQ(temp_.List("many").filter(QRegularExpression("^f")).size(), undone);

  const ProcessResult again = Run({"/cli", "/undo"});
  EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
  EXPECT_EQ(again.out, kUndone);
  ExpectEveryFileBack();
  EXPECT_FALSE(QFile::exists(LogPath()));
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedUndoTest,
                         ::testing::Values(SignalCase{"Interrupt", SIGINT, 130},
                                           SignalCase{"Terminate", SIGTERM, 143}),
                         [](const ::testing::TestParamInfo<SignalCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace corvane
