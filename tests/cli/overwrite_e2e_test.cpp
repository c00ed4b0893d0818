// What Overwrite does with the files it meets, run as a user would: the dry
// run says what the batch then does, nothing of the batch is replaced, the
// replaced file goes to the trash and the undo brings back every file. Then
// the same on a FAT volume (through FUSE), and with the program killed at an
// exact system call (strace).
#include <QtGlobal>
#ifndef Q_OS_WIN

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

#include "corvane_runner.h"
#include "support/fat_mount.h"

namespace corvane {
namespace {

using testing::CorvaneRunner;
using testing::ProcessResult;

const QString kUndone = "Undo completed for the last rename operation.\n";
const QStringList kNotTheUsersFiles = {"appdata", "config", "xdg"};

// A file "path=content", or a link "path -> text".
void CreateEntry(const QString& root, const QString& entry) {
  const qsizetype arrow = entry.indexOf(" -> ");
  const QString path = root + "/" + (arrow >= 0 ? entry.left(arrow) : entry.section('=', 0, 0));
  QDir().mkpath(QFileInfo(path).path());
  if (arrow >= 0) {
    ASSERT_EQ(::symlink(QFile::encodeName(entry.mid(arrow + 4)).constData(),
                        QFile::encodeName(path).constData()),
              0);
    return;
  }
  QFile f(path);
  const QByteArray content = entry.section('=', 1).toUtf8();
  ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(content) == content.size())
      << entry.toStdString();
}

// The entries under `root` in the form CreateEntry takes, folders left out.
QStringList Entries(const CorvaneRunner& runner, const QString& root) {
  QStringList entries;
  const QMap<QString, QByteArray> snapshot = runner.Snapshot(root, kNotTheUsersFiles);
  for (auto it = snapshot.begin(); it != snapshot.end(); ++it) {
    if (it.key().endsWith('/')) continue;
    entries << (it.key().endsWith(" ->") ? it.key() + " " + it.value()
                                         : it.key() + "=" + QString::fromUtf8(it.value()));
  }
  return entries;
}

// The contents of the files in the trash, and how many records it holds.
QStringList TrashedContents(const CorvaneRunner& runner) {
  QStringList contents;
  QDir files(runner.TrashPath() + "/files");
  for (const QString& name : files.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    QFile f(files.filePath(name));
    contents << (f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : "(unreadable)");
  }
  const qsizetype records =
      QDir(runner.TrashPath() + "/info").entryList(QDir::Files | QDir::Hidden).size();
  EXPECT_EQ(records, contents.size()) << "every file in the trash has its record, no more";
  return contents;
}

// The output with the folders of the test left out, so rows can be literals.
QStringList Lines(QString out, const QStringList& folders) {
  for (const QString& folder : folders) out.replace(folder + "/", "");
  return out.split('\n', Qt::SkipEmptyParts);
}

struct OverwriteCase {
  const char* name;
  QStringList files;    // CreateEntry's form, under the work folder
  QStringList args;     // after /cli, paths relative to the work folder
  QStringList dryRun;   // the dry run's lines
  QStringList after;    // the work folder after the batch
  QStringList trashed;  // what the trash then holds
};

void PrintTo(const OverwriteCase& c, std::ostream* os) { *os << c.name; }

class OverwriteEndToEndTest : public ::testing::TestWithParam<OverwriteCase>,
                              protected CorvaneRunner {
 protected:
  using CorvaneRunner::Run;
};

TEST_P(OverwriteEndToEndTest, DryRunAgreesWithTheBatchAndTheUndoBringsEveryFileBack) {
  const OverwriteCase& c = GetParam();
  const QString work = temp_.CreateFolder("work");
  for (const QString& file : c.files) CreateEntry(work, file);
  const QStringList before = Entries(*this, work);

  const ProcessResult dry = Run(QStringList{"/cli", "/dryrun"} + c.args, work);
  EXPECT_EQ(dry.exitCode, 0) << dry.err.toStdString();
  EXPECT_EQ(Lines(dry.out, {work}), c.dryRun);

  const ProcessResult batch = Run(QStringList{"/cli"} + c.args, work);
  EXPECT_EQ(batch.exitCode, 0) << batch.err.toStdString();
  EXPECT_EQ(batch.out, CompletedLine());
  EXPECT_EQ(Entries(*this, work), c.after);
  EXPECT_EQ(TrashedContents(*this), c.trashed);

  const ProcessResult undo = Run({"/cli", "/undo"}, work);
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(undo.out, kUndone);
  EXPECT_EQ(Entries(*this, work), before);
  EXPECT_EQ(TrashedContents(*this), QStringList());
}

const QString kLongName = QString(246, u'x');  // with ".txt", 250 bytes

INSTANTIATE_TEST_SUITE_P(
    Cases, OverwriteEndToEndTest,
    ::testing::Values(
        // The link is the entry itself, not the file it points to: it is an
        // item the batch moves, so nothing replaces it.
        OverwriteCase{
            "LinkThatIsAnItem",
            {"w/a=A", "w/b=B", "w/2 -> a"},
            {"/pattern={counter}", "/digits=1", "/conflict=overwrite", "w/a", "w/b", "w/2"},
            {"w/a -> 1", "w/b -> 2 (1)  [numbered: 2 is taken]", "w/2 -> 3"},
            {"w/1=A", "w/2 (1)=B", "w/3 -> a"},
            {}},
        // A link renamed onto the file it points to would point at itself:
        // that file counts as the batch's.
        OverwriteCase{"LinkOntoTheFileItPointsTo",
                      {"data.txt=D", "link.txt -> data.txt"},
                      {"/pattern=data", "/conflict=overwrite", "link.txt"},
                      {"link.txt -> data (1).txt  [numbered: data.txt is taken]"},
                      {"data (1).txt -> data.txt", "data.txt=D"},
                      {}},
        // An item whose name does not change is not at risk from the batch's
        // order: it is replaced as the user asked, into the trash.
        OverwriteCase{"ItemThatKeepsItsName",
                      {"a.txt=A", "b.txt=B"},
                      {"/find=a", "/replace=b", "/conflict=overwrite", "a.txt", "b.txt"},
                      {"a.txt -> b.txt  [replaces the file b.txt]", "b.txt -> b.txt  [unchanged]"},
                      {"b.txt=A"},
                      {"B"}},
        // Too long a name for the trash's record beside it: the trash keeps
        // it under a shorter name, and nothing waits.
        OverwriteCase{"NameTooLongForTheTrashRecord",
                      {"a.txt=A", kLongName + ".txt=OLD"},
                      {"/pattern=" + kLongName, "/conflict=overwrite", "a.txt"},
                      {"a.txt -> " + kLongName + ".txt  [replaces the file " + kLongName + ".txt]"},
                      {kLongName + ".txt=A"},
                      {"OLD"}},
        // The source of a later item is numbered around; a file outside
        // the batch is replaced.
        OverwriteCase{
            "SourceOfALaterItemAndAnOtherFile",
            {"1=A", "2=B", "3=C"},
            {"/pattern={counter}", "/start=2", "/digits=1", "/conflict=overwrite", "1", "2"},
            {"1 -> 2 (1)  [numbered: 2 is taken]", "2 -> 3  [replaces the file 3]"},
            {"2 (1)=A", "3=B"},
            {"C"}}),
    [](const ::testing::TestParamInfo<OverwriteCase>& info) { return info.param.name; });

// A numbered name longer than a file system takes cannot be made: the dry run
// says so, and the batch stops before touching anything.
TEST(NumberedNameEndToEndTest, TooLongIsRefusedByTheDryRunAndTheBatchAlike) {
  CorvaneRunner runner;
  const QString work = runner.temp_.CreateFolder("work");
  const QString name = QString(248, u'x');  // ".txt" makes 252 bytes, " (1)" 256
  for (const QString& file : {QString("a.txt=A"), name + ".txt=OLD"}) CreateEntry(work, file);
  const QStringList args = {"/cli", "/pattern=" + name, "/conflict=number", "a.txt"};
  const ProcessResult dry = runner.Run(QStringList{"/dryrun"} + args, work);
  EXPECT_EQ(Lines(dry.out, {work}),
            QStringList({"a.txt -> " + name + ".txt  [cannot be made: file name too long]"}));
  const ProcessResult batch = runner.Run(args, work);
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_TRUE(batch.err.contains("File name too long: " + name + " (1).txt"))
      << batch.err.toStdString();
  EXPECT_EQ(Entries(runner, work), QStringList({"a.txt=A", name + ".txt=OLD"}));
  EXPECT_FALSE(QFile::exists(runner.LogPath()));
}

// A trash whose records cannot be written stops the batch at that file,
// rather than waiting for ever or destroying it.
TEST(TrashEndToEndTest, TrashThatCannotTakeTheFileStopsTheBatch) {
  CorvaneRunner runner;
  const QString work = runner.temp_.CreateFolder("work");
  for (const char* file : {"a=A", "b=B"}) CreateEntry(work, file);
  runner.temp_.CreateFolder("xdg/Trash/files");
  runner.temp_.Create({"xdg/Trash/info"}, "a file where the records' folder belongs");
  const ProcessResult batch = runner.Run({"/cli", "/pattern=b", "/conflict=overwrite", "a"}, work);
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_TRUE(batch.err.contains("Not a directory")) << batch.err.toStdString();
  EXPECT_EQ(Entries(runner, work), QStringList({"a=A", "b=B"}));
}

// On FAT two names that differ only in letter case are one file: Overwrite
// never replaces the file an earlier item wrote under the other spelling,
// whether the batch renames on FAT or moves or copies onto it.
TEST(FatEndToEndTest, OneNameInTwoSpellingsIsOneFileOfTheBatch) {
  struct Case {
    const char* name;
    int batchMode;            // -1: in place, on the FAT volume
    const char* destination;  // on the FAT volume, made by the batch where missing
    QStringList sourcesAfter;
  };
  const Case cases[] = {
      {"RenameOnFat", -1, "", {}},
      {"MoveOntoFat", 2, "", {}},
      {"CopyOntoFat", 1, "", {"Xa.txt=first", "xb.txt=second"}},
      {"CopyIntoAFolderNotYetOnFat", 1, "new/", {"Xa.txt=first", "xb.txt=second"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FatMount fat;
    if (!fat.mounted()) GTEST_SKIP() << "cannot mount a FAT image: " << fat.reason().toStdString();
    CorvaneRunner runner;
    const QString from = c.batchMode < 0 ? fat.path() : runner.temp_.CreateFolder("from");
    for (const char* file : {"Xa.txt=first", "xb.txt=second"}) CreateEntry(from, file);
    QStringList args = {"/cli",
                        "/regex",
                        "/find=^([Xx])[ab]$",
                        "/replace=$1",
                        "/conflict=overwrite",
                        from + "/Xa.txt",
                        from + "/xb.txt"};
    if (c.batchMode >= 0) {
      runner.temp_.Create({"mode.json"},
                          QStringLiteral(R"({"changeExt":false,"batchMode":%1,"destination":"%2"})")
                              .arg(c.batchMode)
                              .arg(fat.file(c.destination))
                              .toUtf8());
      args << "/preset=" + runner.temp_.file("mode.json");
    }
    const ProcessResult dry = runner.Run(QStringList{"/dryrun"} + args);
    EXPECT_EQ(dry.exitCode, 0) << dry.err.toStdString();
    EXPECT_EQ(Lines(dry.out, {from}),
              QStringList({"Xa.txt -> X.txt", "xb.txt -> x (1).txt  [numbered: x.txt is taken]"}));
    const ProcessResult batch = runner.Run(args);
    EXPECT_EQ(batch.exitCode, 0) << batch.err.toStdString();
    const QString to = c.destination;
    EXPECT_EQ(Entries(runner, fat.path()),
              QStringList({to + "X.txt=first", to + "x (1).txt=second"}));
    if (c.batchMode >= 0) {
      EXPECT_EQ(Entries(runner, from), c.sourcesAfter);
    }

    const ProcessResult undo = runner.Run({"/cli", "/undo"});
    EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
    EXPECT_EQ(Entries(runner, from), QStringList({"Xa.txt=first", "xb.txt=second"}));
    if (c.batchMode >= 0) {
      EXPECT_EQ(Entries(runner, fat.path()), QStringList());
    }
  }
}

// A kill at an exact system call of a batch (strace), then an undo: every
// file is back as it was, whatever the instant, with a trash and without one.
struct KillCase {
  const char* name;
  bool withTrash;       // else the work folder lies on /dev/shm, which has none
  QStringList args;     // after /cli
  const char* syscall;  // killed at its `when`-th call
  int when;
};

void PrintTo(const KillCase& c, std::ostream* os) { *os << c.name; }

class KilledBatchEndToEndTest : public ::testing::TestWithParam<KillCase>, protected CorvaneRunner {
 protected:
  using CorvaneRunner::Run;
};

TEST_P(KilledBatchEndToEndTest, UndoBringsEveryFileBack) {
  const KillCase& c = GetParam();
  const QString strace = QStandardPaths::findExecutable("strace");
  if (strace.isEmpty()) GTEST_SKIP() << "strace is not installed";
  std::optional<QTemporaryDir> shm;
  QString work = temp_.CreateFolder("work");
  if (!c.withTrash) {
    shm.emplace("/dev/shm/corvane-e2e-XXXXXX");
    if (!shm->isValid()) GTEST_SKIP() << "no /dev/shm";
    work = shm->path();
  }
  for (const char* file : {"a=A", "b=B", "c=C"}) CreateEntry(work, file);
  const QStringList before = Entries(*this, work);
  const QString inject =
      QStringLiteral("inject=%1:signal=SIGKILL:when=%2").arg(c.syscall).arg(c.when);
  const ProcessResult killed = Run(QStringList{"/cli"} + c.args, work, {},
                                   {strace, "-f", "-qq", "-o", "/dev/null", "-e", inject});
  EXPECT_TRUE(killed.crashed) << "the batch ended before the kill: " << killed.out.toStdString();

  const ProcessResult undo = Run({"/cli", "/undo"}, work);
  EXPECT_EQ(undo.exitCode, 0) << undo.out.toStdString() << undo.err.toStdString();
  EXPECT_EQ(Entries(*this, work), before);
  EXPECT_EQ(TrashedContents(*this), QStringList());
}

const QStringList kOverwriteB = {"/pattern=b", "/conflict=overwrite", "a"};

INSTANTIATE_TEST_SUITE_P(
    Kills, KilledBatchEndToEndTest,
    ::testing::Values(
        // The log is synced before the replaced file moves into the trash.
        KillCase{"TrashFirstLogSync", true, kOverwriteB, "fdatasync", 1},
        KillCase{"TrashReplacedFileMoving", true, kOverwriteB, "renameat2", 1},
        KillCase{"TrashItemMoving", true, kOverwriteB, "renameat2", 2},
        KillCase{"NoTrashFirstLogSync", false, kOverwriteB, "fdatasync", 1},
        // Between the logged lines and the first move: the undo must see
        // that neither happened, and leave both files as they are.
        KillCase{"NoTrashReplacedFileSetAside", false, kOverwriteB, "renameat2", 1},
        KillCase{"NoTrashItemMoving", false, kOverwriteB, "renameat2", 2},
        KillCase{"NoTrashBeforeDiscard", false, kOverwriteB, "unlink", 1}),
    [](const ::testing::TestParamInfo<KillCase>& info) { return info.param.name; });

// An undo killed just before it deletes the log, repeated: a folder given
// under two spellings (the folder and a link to it) is one folder, so the
// lines already undone were cut off the log and nothing is moved twice.
TEST(KilledUndoEndToEndTest, RepeatedUndoWithAFolderUnderTwoSpellings) {
  const QString strace = QStandardPaths::findExecutable("strace");
  if (strace.isEmpty()) GTEST_SKIP() << "strace is not installed";
  CorvaneRunner runner;
  const QString work = runner.temp_.CreateFolder("work");
  for (const char* file : {"real/p=P", "real/pp=PP", "link -> real"}) CreateEntry(work, file);
  const QStringList before = Entries(runner, work);
  // link/pp -> link/pppp, then real/p -> real/pp: a chain through one folder.
  const ProcessResult batch =
      runner.Run({"/cli", "/find=p", "/replace=pp", "link/pp", "real/p"}, work);
  ASSERT_EQ(batch.exitCode, 0) << batch.err.toStdString();
  const ProcessResult killed = runner.Run(
      {"/cli", "/undo"}, work, {},
      {strace, "-f", "-qq", "-o", "/dev/null", "-e", "inject=unlink:signal=SIGKILL:when=1"});
  EXPECT_TRUE(killed.crashed);
  const ProcessResult undo = runner.Run({"/cli", "/undo"}, work);
  EXPECT_EQ(undo.exitCode, 0) << undo.out.toStdString() << undo.err.toStdString();
  EXPECT_EQ(undo.out, kUndone);
  EXPECT_EQ(Entries(runner, work), before);
}

}  // namespace
}  // namespace corvane

#endif  // !Q_OS_WIN
