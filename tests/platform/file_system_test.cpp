#include "platform/file_system.h"
#include "support/fault_injecting_file_system.h"
#include "support/simulated_file_system.h"

#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace corvane {
namespace {

using testing::TempFolder;

const QDateTime kOldTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

int Mode(const QString& path) {
  struct stat st;
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// The entry itself, a link not followed; st_mode 0 when nothing is there.
struct stat Entry(const QString& path) {
  struct stat st = {};
  (void)::lstat(QFile::encodeName(path).constData(), &st);
  return st;
}

// The text a link holds; empty for anything else.
QByteArray LinkText(const QString& path) {
  QByteArray text(PATH_MAX, Qt::Uninitialized);
  const ssize_t n =
      ::readlink(QFile::encodeName(path).constData(), text.data(), size_t(text.size()));
  text.truncate(n < 0 ? 0 : n);
  return text;
}

QDateTime ModifiedTime(const struct stat& st) {
  return QDateTime::fromMSecsSinceEpoch(
      qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000, Qt::UTC);
}

// Gives the link itself the modified time `utc`.
bool SetLinkTime(const QString& path, const QDateTime& utc) {
  const timespec times[2] = {{0, UTIME_OMIT}, {time_t(utc.toSecsSinceEpoch()), 0}};
  return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) ==
         0;
}

QString ErrorText(const Status& s) { return s.ok() ? QStringLiteral("(ok)") : s.error().message(); }

// Names in the folder other than the ones a test expects, such as leftovers of
// a temporary copy.
QStringList Leftovers(const TempFolder& dir, const QString& relative = {}) {
  QStringList names = dir.List(relative);
  names.removeIf([](const QString& n) { return !n.startsWith(u".corvane-"); });
  return names;
}

TEST(FileSystemTest, ExistenceTellsFilesFromFoldersAndFollowsLinks) {
  TempFolder dir;
  dir.Create({"file.txt"});
  dir.CreateFolder("folder");
  ASSERT_TRUE(QFile::link(dir.file("file.txt"), dir.file("link-to-file")));
  ASSERT_TRUE(QFile::link(dir.file("folder"), dir.file("link-to-folder")));
  ASSERT_TRUE(QFile::link(dir.file("gone"), dir.file("broken-link")));
  struct Case {
    const char* name;
    bool file;
    bool folder;
  };
  const Case cases[] = {
      {"file.txt", true, false},       {"folder", false, true},       {"link-to-file", true, false},
      {"link-to-folder", false, true}, {"broken-link", false, false}, {"missing", false, false},
  };
  FileSystem& fs = RealFileSystem();
  for (const Case& c : cases) {
    EXPECT_EQ(fs.FileExists(dir.file(c.name)), c.file) << c.name;
    EXPECT_EQ(fs.FolderExists(dir.file(c.name)), c.folder) << c.name;
  }
  EXPECT_FALSE(fs.FileExists(dir.file(QStringLiteral("file.txt") + QChar(0) + "x")));
}

TEST(FileSystemTest, CreateFolderMakesParents) {
  TempFolder dir;
  EXPECT_TRUE(RealFileSystem().CreateFolder(dir.file("a/b/c")));
  EXPECT_TRUE(QFileInfo(dir.file("a/b/c")).isDir());
  EXPECT_TRUE(RealFileSystem().CreateFolder(dir.file("a/b/c")));
}

TEST(FileSystemTest, DeleteRemovesAFileAndNamesWhatIsMissing) {
  TempFolder dir;
  dir.Create({"a.txt"});
  FileSystem& fs = RealFileSystem();
  EXPECT_TRUE(fs.DeleteFile(dir.file("a.txt")).ok());
  EXPECT_FALSE(dir.Exists("a.txt"));
  EXPECT_EQ(ErrorText(fs.DeleteFile(dir.file("a.txt"))), "The specified file was not found");
  EXPECT_EQ(ErrorText(fs.DeleteFile(dir.file("none/a.txt"))), "The specified path was not found");
}

// What the system itself says when a rename finds its target taken.
QString SystemExistsText() { return qt_error_string(EEXIST); }

struct MoveCase {
  const char* name;
  QString from;
  QString to;
  QString error;  // "(ok)": succeeds
};

TEST(FileSystemTest, MoveSucceedsOrFailsWithItsText) {
  TempFolder dir;
  dir.Create({"a.txt"});
  dir.Create({"b.txt"}, "old");
  dir.Create({"full/inside.txt"}, "kept");
  dir.CreateFolder("sub");
  ASSERT_TRUE(QFile::link(dir.file("sub"), dir.file("link-to-folder")));
  const MoveCase cases[] = {
      {"source missing", "gone.txt", "x.txt", "The specified file was not found"},
      {"source folder missing", "none/a.txt", "x.txt", "The specified path was not found"},
      {"target folder missing", "a.txt", "none/x.txt", "The specified path was not found"},
      {"file at target", "a.txt", "b.txt", "The specified file already exists"},
      {"empty folder at target", "a.txt", "sub", SystemExistsText()},
      {"folder with files at target", "a.txt", "full", SystemExistsText()},
      {"link to a folder at target", "a.txt", "link-to-folder",
       "The specified file already exists"},
      {"nul in path", QStringLiteral("a.txt") + QChar(0), "x.txt", "Invalid characters in path"},
      {"into a folder", "a.txt", "sub/x.txt", "(ok)"},
  };
  ASSERT_NE(SystemExistsText(), "The specified file already exists");
  for (const MoveCase& c : cases) {
    const Status s = RealFileSystem().MoveFile(dir.file(c.from), dir.file(c.to));
    EXPECT_EQ(ErrorText(s), c.error) << c.name;
  }
  EXPECT_EQ(dir.Read("b.txt"), "old");  // never replaced
  EXPECT_EQ(dir.List("full"), QStringList({"inside.txt"}));
  EXPECT_EQ(dir.Read("full/inside.txt"), "kept");
  EXPECT_TRUE(QFileInfo(dir.file("link-to-folder")).isSymLink());
  EXPECT_TRUE(dir.Exists("sub/x.txt"));
  EXPECT_FALSE(dir.Exists("a.txt"));
}

// The same moves through each fallback that a file system may force.
struct FallbackCase {
  const char* name;
  SimulatedErrnos errnos;
};

void PrintTo(const FallbackCase& c, std::ostream* os) { *os << c.name; }

class MoveFallbackTest : public ::testing::TestWithParam<FallbackCase> {};

TEST_P(MoveFallbackTest, MovesWithoutEverReplacing) {
  TempFolder dir;
  dir.Create({"a.txt"}, "content-a");
  dir.Create({"taken.txt"}, "content-taken");
  ASSERT_EQ(::chmod(QFile::encodeName(dir.file("a.txt")).constData(), 0604), 0);
  ASSERT_TRUE(RealFileSystem().SetLastWriteTime(dir.file("a.txt"), kOldTime).ok());

  std::unique_ptr<FileSystem> fs = NewRealFileSystemForTests(GetParam().errnos);
  EXPECT_EQ(ErrorText(fs->MoveFile(dir.file("a.txt"), dir.file("taken.txt"))),
            "The specified file already exists");
  EXPECT_EQ(dir.Read("taken.txt"), "content-taken");
  EXPECT_EQ(dir.Read("a.txt"), "content-a");

  dir.CreateFolder("folder");
  fs = NewRealFileSystemForTests(GetParam().errnos);
  EXPECT_EQ(ErrorText(fs->MoveFile(dir.file("a.txt"), dir.file("folder"))), SystemExistsText());
  EXPECT_EQ(dir.List("folder"), QStringList());
  EXPECT_EQ(dir.Read("a.txt"), "content-a");

  fs = NewRealFileSystemForTests(GetParam().errnos);
  ASSERT_TRUE(fs->MoveFile(dir.file("a.txt"), dir.file("b.txt")).ok());
  EXPECT_FALSE(dir.Exists("a.txt"));
  EXPECT_EQ(dir.Read("b.txt"), "content-a");
  const QFileInfo moved(dir.file("b.txt"));
  EXPECT_EQ(moved.lastModified().toUTC(), kOldTime);
  EXPECT_EQ(Mode(dir.file("b.txt")), 0604);
  EXPECT_EQ(Leftovers(dir), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Fallbacks, MoveFallbackTest,
    ::testing::Values(FallbackCase{"NoReplaceRename", {}},
                      FallbackCase{"LinkThenUnlink", {.renameNoReplace = EINVAL}},
                      FallbackCase{"TestThenRename", {.renameNoReplace = EINVAL, .link = EPERM}},
                      FallbackCase{"CopyAcrossFileSystems", {.renameNoReplace = EXDEV}}),
    [](const ::testing::TestParamInfo<FallbackCase>& info) { return info.param.name; });

TEST(FileSystemTest, MoveToAnotherFileSystemCopiesThenDeletes) {
  TempFolder dir;
  dir.Create({"a.txt"}, "content-a");
  QTemporaryDir other(QStringLiteral("/dev/shm/corvane-test-XXXXXX"));
  struct stat here, there;
  if (!other.isValid() || ::stat(QFile::encodeName(dir.path()), &here) != 0 ||
      ::stat(QFile::encodeName(other.path()), &there) != 0 || here.st_dev == there.st_dev) {
    GTEST_SKIP() << "no second file system at /dev/shm";
  }
  QFile taken(other.filePath("taken.txt"));
  ASSERT_TRUE(taken.open(QIODevice::WriteOnly) && taken.write("keep") == 4);
  taken.close();
  FileSystem& fs = RealFileSystem();
  EXPECT_EQ(ErrorText(fs.MoveFile(dir.file("a.txt"), other.filePath("taken.txt"))),
            "The specified file already exists");
  EXPECT_TRUE(dir.Exists("a.txt"));
  ASSERT_TRUE(fs.MoveFile(dir.file("a.txt"), other.filePath("b.txt")).ok());
  EXPECT_FALSE(dir.Exists("a.txt"));
  QFile moved(other.filePath("b.txt"));
  ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
  EXPECT_EQ(moved.readAll(), "content-a");
  EXPECT_EQ(QDir(other.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList({"b.txt", "taken.txt"}));
}

TEST(FileSystemTest, CopyCarriesContentPermissionsAndTimeAndReplaces) {
  TempFolder dir;
  dir.Create({"a.txt"}, "new content");
  dir.Create({"out/a.txt"}, "old");
  ASSERT_EQ(::chmod(QFile::encodeName(dir.file("a.txt")).constData(), 0640), 0);
  FileSystem& fs = RealFileSystem();
  ASSERT_TRUE(fs.SetLastWriteTime(dir.file("a.txt"), kOldTime).ok());
  EXPECT_EQ(ErrorText(fs.CopyFile(dir.file("a.txt"), dir.file("out/a.txt"), Replace::kNever)),
            "The specified file already exists");
  EXPECT_EQ(dir.Read("out/a.txt"), "old");
  ASSERT_TRUE(fs.CopyFile(dir.file("a.txt"), dir.file("out/a.txt"), Replace::kAtomically).ok());
  EXPECT_EQ(dir.Read("out/a.txt"), "new content");
  EXPECT_EQ(dir.Read("a.txt"), "new content");
  const QFileInfo copy(dir.file("out/a.txt"));
  EXPECT_EQ(copy.lastModified().toUTC(), kOldTime);
  EXPECT_EQ(Mode(dir.file("out/a.txt")), 0640);
  EXPECT_EQ(Leftovers(dir, "out"), QStringList());
  EXPECT_EQ(ErrorText(fs.CopyFile(dir.file("gone"), dir.file("out/b"), Replace::kNever)),
            "The specified file was not found");
  EXPECT_EQ(ErrorText(fs.CopyFile(dir.file("a.txt"), dir.file("none/b"), Replace::kNever)),
            "The specified path was not found");
}

TEST(FileSystemTest, FailedCopyLeavesTheTargetAsItWas) {
  // Reading a process's memory at offset 0 fails part-way into the copy.
  if (!QFileInfo(QStringLiteral("/proc/self/mem")).isFile()) GTEST_SKIP() << "no /proc";
  TempFolder dir;
  dir.Create({"target.txt"}, "keep me");
  const Status s =
      RealFileSystem().CopyFile("/proc/self/mem", dir.file("target.txt"), Replace::kAtomically);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(dir.Read("target.txt"), "keep me");
  EXPECT_EQ(dir.List(), QStringList({"target.txt"}));
}

// A link is copied as a link holding the same text, whatever it points to,
// and under the same rule for a file at the target as a file's copy.
TEST(FileSystemTest, CopyOfALinkIsALinkWithTheSameText) {
  struct Case {
    const char* name;
    QByteArray text;
    Replace replace;
    bool targetTaken;
    QString error;  // "(ok)": succeeds
  };
  const Case cases[] = {
      {"link to a file", "x.jpg", Replace::kNever, false, "(ok)"},
      {"link by absolute path", "/nowhere/at/all/x.jpg", Replace::kNever, false, "(ok)"},
      {"dangling link", "gone.jpg", Replace::kNever, false, "(ok)"},
      {"link to a folder", "..", Replace::kNever, false, "(ok)"},
      {"onto a file, never", "x.jpg", Replace::kNever, true, "The specified file already exists"},
      {"dangling onto a file, never", "gone.jpg", Replace::kNever, true,
       "The specified file already exists"},
      {"onto a file, atomically", "x.jpg", Replace::kAtomically, true, "(ok)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    dir.Create({"src/x.jpg"}, "picture");
    dir.CreateFolder("out");
    if (c.targetTaken) dir.Create({"out/latest.jpg"}, "theirs");
    const QString link = dir.file("src/latest.jpg");
    ASSERT_EQ(::symlink(c.text.constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(SetLinkTime(link, kOldTime));

    const Status s = RealFileSystem().CopyFile(link, dir.file("out/latest.jpg"), c.replace);
    EXPECT_EQ(ErrorText(s), c.error);
    const struct stat copy = Entry(dir.file("out/latest.jpg"));
    if (s.ok()) {
      EXPECT_TRUE(S_ISLNK(copy.st_mode));
      EXPECT_EQ(LinkText(dir.file("out/latest.jpg")), c.text);
      EXPECT_EQ(ModifiedTime(copy), kOldTime);
    } else {
      EXPECT_TRUE(S_ISREG(copy.st_mode));
      EXPECT_EQ(dir.Read("out/latest.jpg"), "theirs");
    }
    EXPECT_EQ(LinkText(link), c.text);
    EXPECT_EQ(dir.Read("src/x.jpg"), "picture");
    EXPECT_EQ(Leftovers(dir, "out"), QStringList());
  }
}

TEST(FileSystemTest, SetLastWriteTimeLeavesCreationAndAccessTimes) {
  TempFolder dir;
  dir.Create({"a.txt"}, "x");
  FileSystem& fs = RealFileSystem();
  const QFileInfo before(dir.file("a.txt"));
  const QDateTime born = before.birthTime().toUTC();
  const QDateTime accessed = before.lastRead().toUTC();
  ASSERT_TRUE(fs.SetLastWriteTime(dir.file("a.txt"), kOldTime).ok());
  const QFileInfo after(dir.file("a.txt"));
  EXPECT_EQ(after.lastModified().toUTC(), kOldTime);
  EXPECT_EQ(after.lastRead().toUTC(), accessed);
  if (born.isValid()) {
    EXPECT_EQ(after.birthTime().toUTC(), born);
  }
  EXPECT_EQ(ErrorText(fs.SetLastWriteTime(dir.file("gone"), kOldTime)),
            "The specified file was not found");
}

// A renamed link is touched itself; the file it points to keeps its time.
TEST(FileSystemTest, SetLastWriteTimeOfALinkSetsTheLinkItself) {
  TempFolder dir;
  dir.Create({"target.txt"}, "x");
  ASSERT_TRUE(QFile::link("target.txt", dir.file("link")));
  FileSystem& fs = RealFileSystem();
  ASSERT_TRUE(fs.SetLastWriteTime(dir.file("target.txt"), kOldTime).ok());
  const QDateTime newTime(QDate(2010, 11, 12), QTime(13, 14, 15, 160), Qt::UTC);
  ASSERT_TRUE(fs.SetLastWriteTime(dir.file("link"), newTime).ok());
  EXPECT_EQ(ModifiedTime(Entry(dir.file("link"))), newTime);
  EXPECT_EQ(ModifiedTime(Entry(dir.file("target.txt"))), kOldTime);
}

TEST(FileSystemTest, SameFileMeansOneEntry) {
  TempFolder dir;
  dir.Create({"a.txt", "b.txt", "A.TXT"});
  ASSERT_TRUE(QFile::link(dir.file("a.txt"), dir.file("symlink")));
  ASSERT_EQ(::link(QFile::encodeName(dir.file("a.txt")), QFile::encodeName(dir.file("hard"))), 0);
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"a.txt", "a.txt", true},    {"a.txt", "b.txt", false}, {"a.txt", "A.TXT", false},
      {"a.txt", "symlink", false}, {"a.txt", "hard", false},  {"a.txt", "gone", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RealFileSystem().IsSameFile(dir.file(c.a), dir.file(c.b)), c.same)
        << c.a << " " << c.b;
  }
}

TEST(FileSystemTest, RenameSameFileChangesTheSpelling) {
  TempFolder dir;
  dir.Create({"File.TXT"}, "content");
  ASSERT_TRUE(RealFileSystem().RenameSameFile(dir.file("File.TXT"), dir.file("file.txt")).ok());
  EXPECT_EQ(dir.List(), QStringList({"file.txt"}));
  EXPECT_EQ(dir.Read("file.txt"), "content");
}

TEST(FileSystemTest, WritableFilesAndReplace) {
  TempFolder dir;
  dir.Create({"log"}, "earlier");
  FileSystem& fs = RealFileSystem();
  Result<std::unique_ptr<WritableFile>> file = fs.NewWritableFile(dir.file("log.tmp"));
  ASSERT_TRUE(file.ok());
  ASSERT_TRUE(file.value()->Append("one\r\n").ok());
  EXPECT_EQ(dir.Read("log.tmp"), "one\r\n");  // handed to the system at once
  ASSERT_TRUE(file.value()->Close().ok());
  ASSERT_TRUE(fs.ReplaceFile(dir.file("log.tmp"), dir.file("log")).ok());
  file = fs.NewAppendableFile(dir.file("log"));
  ASSERT_TRUE(file.ok());
  ASSERT_TRUE(file.value()->Append("two\r\n").ok());
  ASSERT_TRUE(file.value()->Sync().ok());
  ASSERT_TRUE(file.value()->Close().ok());
  EXPECT_EQ(*fs.ReadFile(dir.file("log")), "one\r\ntwo\r\n");
  EXPECT_EQ(dir.List(), QStringList({"log"}));
  EXPECT_EQ(fs.NewWritableFile(dir.file("none/log")).error().message(),
            "The specified path was not found");
  EXPECT_EQ(fs.ReadFile(dir.file("gone")).error().message(), "The specified file was not found");
}

// The file is made anew at the path whatever stands there; a link there is
// replaced, never written through, so the file it points to keeps its bytes
// and a dangling one makes no file where it points.
TEST(FileSystemTest, NewWritableFileNeverWritesThroughALink) {
  struct Case {
    const char* name;
    const char* linkTo;  // nullptr: a file stands at the path
  };
  const Case cases[] = {
      {"file at the path", nullptr},
      {"link to a file", "precious.txt"},
      {"dangling link", "elsewhere.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    dir.Create({"precious.txt"}, "precious");
    if (c.linkTo) {
      ASSERT_TRUE(QFile::link(dir.file(c.linkTo), dir.file("log.tmp")));
    } else {
      dir.Create({"log.tmp"}, "an earlier, longer log");
    }
    Result<std::unique_ptr<WritableFile>> file =
        RealFileSystem().NewWritableFile(dir.file("log.tmp"));
    ASSERT_TRUE(file.ok()) << file.error().message().toStdString();
    ASSERT_TRUE(file.value()->Append("new").ok());
    ASSERT_TRUE(file.value()->Close().ok());
    EXPECT_TRUE(S_ISREG(Entry(dir.file("log.tmp")).st_mode));
    EXPECT_EQ(dir.Read("log.tmp"), "new");
    EXPECT_EQ(dir.Read("precious.txt"), "precious");
    EXPECT_EQ(dir.List(), QStringList({"log.tmp", "precious.txt"}));
  }
}

// Appending well past the room reserved at a time: every byte lands in
// order, and Close leaves exactly what was appended.
TEST(FileSystemTest, AppendableFileKeepsLongAppendsExactly) {
  TempFolder dir;
  dir.Create({"log"}, "head\r\n");
  FileSystem& fs = RealFileSystem();
  Result<std::unique_ptr<WritableFile>> file = fs.NewAppendableFile(dir.file("log"));
  ASSERT_TRUE(file.ok());
  QByteArray expected = "head\r\n";
  for (int i = 0; i < 20000; ++i) {
    const QByteArray line = "line " + QByteArray::number(i) + QByteArray(i % 97, 'x') + "\r\n";
    ASSERT_TRUE(file.value()->Append(line).ok());
    expected += line;
  }
  ASSERT_TRUE(file.value()->Sync().ok());  // and appending goes on after a sync
  const QByteArray synced = dir.Read("log");
  EXPECT_TRUE(synced.startsWith(expected));
  EXPECT_EQ(synced.mid(expected.size()), QByteArray(synced.size() - expected.size(), '\0'));
  ASSERT_TRUE(file.value()->Append("taken back\r\n").ok());
  ASSERT_TRUE(file.value()->TruncateTo(expected.size()).ok());
  EXPECT_EQ(dir.Read("log"), expected);
  // A line shorter than what was taken back lands where the cut was.
  ASSERT_TRUE(file.value()->Append("again\r\n").ok());
  expected += "again\r\n";
  ASSERT_TRUE(file.value()->Append(QByteArray(600 * 1024, 'y')).ok());  // more than the room
  expected += QByteArray(600 * 1024, 'y');
  EXPECT_TRUE(dir.Read("log").startsWith(expected));  // readable before the end
  ASSERT_TRUE(file.value()->Close().ok());
  EXPECT_EQ(dir.Read("log"), expected);
  EXPECT_EQ(fs.NewAppendableFile(dir.file("gone")).error().message(),
            "The specified file was not found");
}

// A disk with less free room than is reserved ahead still takes every line
// that fits; only a line that cannot be written fails.
TEST(FileSystemTest, AppendableFileOnANearlyFullDiskFailsOnlyWhenALineDoesNotFit) {
  TempFolder dir;
  dir.Create({"log"}, "head\r\n");
  std::unique_ptr<FileSystem> fs = NewRealFileSystemForTests({.reserveLimit = 8192});
  Result<std::unique_ptr<WritableFile>> file = fs->NewAppendableFile(dir.file("log"));
  ASSERT_TRUE(file.ok());
  QByteArray expected = "head\r\n";
  for (int i = 0; i < 300; ++i) {
    const QByteArray line = "\"/a/f" + QByteArray::number(i) + "\",\"/a/g\"\r\n";
    ASSERT_TRUE(file.value()->Append(line).ok()) << i;
    expected += line;
  }
  EXPECT_EQ(ErrorText(file.value()->Append(QByteArray(64 * 1024, 'y'))), "No space left on device");
  ASSERT_TRUE(file.value()->Close().ok());
  EXPECT_EQ(dir.Read("log"), expected);
}

TEST(FileSystemTest, AppendableFileThatCannotBeMappedIsWritten) {
  TempFolder dir;
  dir.Create({"log"}, "head\r\n");
  std::unique_ptr<FileSystem> fs = NewRealFileSystemForTests({.mapAppendable = ENODEV});
  Result<std::unique_ptr<WritableFile>> file = fs->NewAppendableFile(dir.file("log"));
  ASSERT_TRUE(file.ok());
  ASSERT_TRUE(file.value()->Append("one\r\n").ok());
  EXPECT_EQ(dir.Read("log"), "head\r\none\r\n");  // nothing reserved, nothing mapped
  ASSERT_TRUE(file.value()->Append("two\r\n").ok());
  ASSERT_TRUE(file.value()->Close().ok());
  EXPECT_EQ(dir.Read("log"), "head\r\none\r\ntwo\r\n");
}

TEST(FaultInjectingFileSystemTest, FailsTheChosenCallsOnly) {
  TempFolder dir;
  dir.Create({"a.txt", "b.txt"});
  FaultInjectingFileSystem fs(RealFileSystem());
  fs.AddFault(FileOp::kMoveFile, "b.txt", Error("Access is denied"), 1);
  EXPECT_EQ(ErrorText(fs.MoveFile(dir.file("b.txt"), dir.file("c.txt"))), "Access is denied");
  EXPECT_TRUE(dir.Exists("b.txt"));
  EXPECT_TRUE(fs.MoveFile(dir.file("a.txt"), dir.file("d.txt")).ok());
  EXPECT_TRUE(fs.MoveFile(dir.file("b.txt"), dir.file("c.txt")).ok());  // fault used up
  fs.AddFault(FileOp::kAppend, "log", Error("Disk full"), -1);
  Result<std::unique_ptr<WritableFile>> file = fs.NewWritableFile(dir.file("log"));
  ASSERT_TRUE(file.ok());
  EXPECT_EQ(ErrorText(file.value()->Append("x")), "Disk full");
  EXPECT_EQ(fs.journal(), QStringList({"MoveFile " + dir.file("b.txt") + " -> " + dir.file("c.txt"),
                                       "MoveFile " + dir.file("a.txt") + " -> " + dir.file("d.txt"),
                                       "MoveFile " + dir.file("b.txt") + " -> " + dir.file("c.txt"),
                                       "NewWritableFile " + dir.file("log")}));
}

}  // namespace
}  // namespace corvane
