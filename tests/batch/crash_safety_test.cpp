// A batch, and an undo, stopped by SIGKILL before each system call that
// changes the disk, in turn: whatever the instant, an undo (repeated where the
// undo itself was stopped) brings every file back with its content, and
// nothing else changes.
#include "batch/batch_executor.h"
#include "batch/undo.h"
#include "batch_test_support.h"
#include "support/simulated_file_system.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace corvane {
namespace {

using testing::Item;
using testing::Options;

// Every entry under `root` but the application data: a file's content, a
// link's text, a folder.
QMap<QString, QByteArray> Snapshot(const QString& root) {
  QMap<QString, QByteArray> entries;
  QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString relative = QDir(root).relativeFilePath(path);
    if (relative.startsWith(QStringLiteral("appdata")) ||
        relative.startsWith(QStringLiteral("xdg")))
      continue;
    const QFileInfo info(path);
    if (info.isSymLink()) {
      entries[relative] = "-> " + info.symLinkTarget().toUtf8();
    } else if (info.isDir()) {
      entries[relative] = "(folder)";
    } else {
      QFile f(path);
      entries[relative] = f.open(QIODevice::ReadOnly) ? f.readAll() : "(unreadable)";
    }
  }
  return entries;
}

struct CrashCase {
  const char* name;
  BatchMode mode;
  ConflictMode conflict;
  bool otherFileSystem;  // the destination lies on /dev/shm
  // name -> new name, in list order; each source holds its own name as content
  QList<std::pair<QString, QString>> items;
  QStringList otherFiles;  // present beforehand, not in the list
  // Files Overwrite replaces where their volume has no trash: once the new
  // file stands in place they are gone for good; until then the undo brings
  // them back.
  QStringList replacedForGood;
  QByteArray otherContent = "other";  // of each of otherFiles
};

void PrintTo(const CrashCase& c, std::ostream* os) { *os << c.name; }

class CrashSafetyTest : public ::testing::TestWithParam<CrashCase> {
 protected:
  void SetUp() override {
    if (GetParam().otherFileSystem) {
      other_.emplace(QStringLiteral("/dev/shm/corvane-crash-XXXXXX"));
      struct stat here, there;
      if (!other_->isValid() || ::stat(QFile::encodeName(dir_.path()), &here) != 0 ||
          ::stat(QFile::encodeName(other_->path()), &there) != 0 || here.st_dev == there.st_dev) {
        GTEST_SKIP() << "no second file system at /dev/shm";
      }
    }
    qputenv("XDG_DATA_HOME", dir_.file("xdg").toUtf8());
    for (const auto& [name, newName] : GetParam().items) {
      if (name.startsWith(u'@')) {
        ASSERT_EQ(::symlink("target-of-link", QFile::encodeName(dir_.file(name.mid(1)))), 0);
      } else {
        dir_.Create({name}, name.toUtf8());
      }
    }
    for (const QString& name : GetParam().otherFiles) {
      const QString path = Destination(name);
      QDir().mkpath(QFileInfo(path).path());
      QFile f(path);
      const QByteArray& content = GetParam().otherContent;
      ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }
    before_ = Snapshot(dir_.path());
    if (other_) otherBefore_ = Snapshot(other_->path());
  }

  QString Destination(const QString& name) const {
    if (GetParam().mode == BatchMode::RenameInPlace) return dir_.file(name);
    return other_ ? other_->filePath(name) : dir_.file("out/" + name);
  }

  BatchOutcome RunBatch(FileSystem& fs) {
    const CrashCase& c = GetParam();
    QList<TRenameItem> items;
    for (const auto& [name, newName] : c.items) {
      items << Item(dir_.file(name.startsWith(u'@') ? name.mid(1) : name), newName);
    }
    const QString destination = other_ ? other_->path() : dir_.file("out");
    return ExecuteBatch(items, Options(c.mode, c.conflict, destination), fs, LogPath());
  }

  QString LogPath() const { return dir_.file("appdata/last_rename.csv"); }

  // Runs `work` in a child process that kills itself before its `step`-th
  // change of the disk; true when the work ended before reaching that step.
  static bool RunKilledAt(int step, const std::function<void(FileSystem&)>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
      int count = 0;
      std::unique_ptr<FileSystem> fs = NewRealFileSystemForTests({.beforeChange = [&] {
        if (++count == step) ::kill(::getpid(), SIGKILL);
      }});
      work(*fs);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return !WIFSIGNALED(status);
  }

  // Undoes until complete, as a user would after a stop; then everything
  // stands as before the batch (but a replaced file that was gone for good),
  // and the trash holds nothing of it.
  void ExpectUndoneCompletely(const QString& when) {
    const UndoOutcome undo = UndoLastRename(RealFileSystem(), LogPath());
    EXPECT_TRUE(undo.status.ok()) << when.toStdString() << ": "
                                  << undo.status.error().message().toStdString();
    QMap<QString, QByteArray> expected = before_;
    QMap<QString, QByteArray> otherExpected = otherBefore_;
    QMap<QString, QByteArray> now = Snapshot(dir_.path());
    QMap<QString, QByteArray> otherNow = other_ ? Snapshot(other_->path()) : otherBefore_;
    for (const QString& name : GetParam().replacedForGood) {
      for (const QString& key : {name, QStringLiteral("out/") + name}) {
        if (!now.contains(key)) expected.remove(key);
        if (!otherNow.contains(key)) otherExpected.remove(key);
      }
    }
    EXPECT_EQ(now, expected) << when.toStdString();
    EXPECT_EQ(otherNow, otherExpected) << when.toStdString();
    const QDir trash(dir_.file("xdg/Trash"));
    EXPECT_EQ(
        trash.entryList({"*"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
        trash.exists() ? QStringList({"files", "info"}) : QStringList())
        << when.toStdString();
    for (const char* part : {"files", "info"}) {
      EXPECT_EQ(QDir(trash.filePath(part))
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                QStringList())
          << part << " " << when.toStdString();
    }
  }

  void Restart() {
    // Back to the files as they were, for the next stop.
    QDir(dir_.path()).removeRecursively();
    QDir().mkpath(dir_.path());
    if (other_) {
      QDir(other_->path()).removeRecursively();
      QDir().mkpath(other_->path());
    }
    SetUp();
  }

  testing::TempFolder dir_;
  std::optional<QTemporaryDir> other_;
  QMap<QString, QByteArray> before_;
  QMap<QString, QByteArray> otherBefore_;
};

TEST_P(CrashSafetyTest, BatchKilledAtEveryStepIsUndoneCompletely) {
  int step = 1;
  for (;; ++step) {
    const bool finished = RunKilledAt(step, [this](FileSystem& fs) { (void)RunBatch(fs); });
    ExpectUndoneCompletely(QStringLiteral("batch killed at step %1").arg(step));
    if (finished || HasFailure()) break;
    Restart();
  }
  EXPECT_GT(step, 3);  // the batch did make changes to stop between
}

TEST_P(CrashSafetyTest, UndoKilledAtEveryStepCompletesWhenRepeated) {
  for (int step = 1;; ++step) {
    const BatchOutcome batch = RunBatch(RealFileSystem());
    ASSERT_TRUE(batch.status.ok()) << batch.status.error().message().toStdString();
    const bool finished =
        RunKilledAt(step, [this](FileSystem& fs) { (void)UndoLastRename(fs, LogPath()); });
    ExpectUndoneCompletely(QStringLiteral("undo killed at step %1").arg(step));
    if (finished || HasFailure()) break;
    Restart();
  }
}

// A Cancel after two lines, with a kill at each step of the undo up to and
// through cutting the undone lines off the log.
TEST_P(CrashSafetyTest, StoppedUndoKilledAtEveryStepCompletesWhenRepeated) {
  for (int step = 1;; ++step) {
    const BatchOutcome batch = RunBatch(RealFileSystem());
    ASSERT_TRUE(batch.status.ok()) << batch.status.error().message().toStdString();
    const bool finished = RunKilledAt(step, [this](FileSystem& fs) {
      testing::StopAfter cancel(2);
      (void)UndoLastRename(fs, LogPath(), &cancel.stop, &cancel);
    });
    ExpectUndoneCompletely(QStringLiteral("stopped undo killed at step %1").arg(step));
    if (finished || HasFailure()) break;
    Restart();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Batches, CrashSafetyTest,
    ::testing::Values(
        CrashCase{"ChainAndSwapInPlace",
                  BatchMode::RenameInPlace,
                  ConflictMode::AutoNumber,
                  false,
                  {{"a", "b"}, {"b", "c"}, {"x", "y"}, {"y", "x"}, {"@link", "link2"}},
                  {},
                  {}},
        CrashCase{"OverwriteInPlaceIntoTheTrash",
                  BatchMode::RenameInPlace,
                  ConflictMode::Overwrite,
                  false,
                  {{"a", "taken"}, {"b", "c"}, {"c", "b"}, {"d", "e"}},
                  {"taken", "e"},
                  {}},
        CrashCase{"CopyIntoAFolder",
                  BatchMode::CopyToFolder,
                  ConflictMode::AutoNumber,
                  false,
                  {{"a", "a"}, {"b", "a"}},
                  {"a"},
                  {}},
        // The file replaced holds the very bytes of the one taking its name:
        // still it is the user's, and comes back.
        CrashCase{"OverwriteWithTheSameBytes",
                  BatchMode::RenameInPlace,
                  ConflictMode::Overwrite,
                  false,
                  {{"a", "b"}},
                  {"b"},
                  {},
                  "a"},
        CrashCase{"OverwriteCopiesIntoTheTrash",
                  BatchMode::CopyToFolder,
                  ConflictMode::Overwrite,
                  false,
                  {{"a", "a"}, {"b", "b"}},
                  {"a"},
                  {}},
        CrashCase{"OverwriteMovesWithoutTrash",
                  BatchMode::MoveToFolder,
                  ConflictMode::Overwrite,
                  true,
                  {{"a", "a"}, {"b", "b"}, {"@link", "link"}},
                  {"a", "link"},
                  {"a", "link"}},
        CrashCase{"OverwriteCopiesWithoutTrash",
                  BatchMode::CopyToFolder,
                  ConflictMode::Overwrite,
                  true,
                  {{"a", "a"}, {"b", "b"}},
                  {"b"},
                  {"b"}},
        CrashCase{"MoveToAnotherFileSystem",
                  BatchMode::MoveToFolder,
                  ConflictMode::AutoNumber,
                  true,
                  {{"a", "a"}, {"b", "a"}, {"@link", "link"}},
                  {"a"},
                  {}}),
    [](const ::testing::TestParamInfo<CrashCase>& info) { return info.param.name; });

}  // namespace
}  // namespace corvane
