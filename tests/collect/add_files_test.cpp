#include "collect/add_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <stdexcept>

#include "collect/ntfs_name_order.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::TempFolder;

// The paths of the list relative to `root`, sorted, to check what was added
// apart from the order.
QStringList SortedRelative(const RenameItemList& list, const QString& root) {
  QStringList relative;
  for (const TRenameItem& item : list.items())
    relative << QDir(root).relativeFilePath(item.OriginalPath);
  relative.sort();
  return relative;
}

QStringList Paths(const RenameItemList& list) {
  QStringList paths;
  for (const TRenameItem& item : list.items()) paths << item.OriginalPath;
  return paths;
}

// The order the tree is listed in, read through QDir without sorting, with
// subfolders expanded where they stand: the file system's order on Windows,
// which no literal can give, and NTFS order elsewhere.
QStringList ListedOrder(const QString& folder, bool includeSubfolders) {
  QStringList paths;
  QStringList names = QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
#ifndef Q_OS_WIN
  std::sort(names.begin(), names.end(),
            [](const QString& a, const QString& b) { return ComesFirstInNtfsOrder(a, b); });
#endif
  for (const QString& name : names) {
    const QString path = folder + u'/' + name;
    if (!QFileInfo(path).isDir()) {
      paths << path;
    } else if (includeSubfolders) {
      paths << ListedOrder(path, true);
    }
  }
  return paths;
}

TEST(AddFileTest, RecordsThePathAsReceivedWithItsNameSizeAndTimes) {
  TempFolder dir;
  const QString file = dir.Create({"archive.tar.gz"}, "12345").front();
  const QDateTime modified(QDate(2021, 3, 4), QTime(5, 6, 7, 890), Qt::UTC);
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
  }
  const QString asTyped = dir.path() + "/./archive.tar.gz";
  RenameItemList list;
  ASSERT_TRUE(AddFile(list, asTyped, RealFileSystem()).ok());
  ASSERT_EQ(list.count(), 1);
  const TRenameItem& item = list.at(0);
  EXPECT_EQ(item.OriginalPath, asTyped);
  EXPECT_EQ(item.OriginalName, "archive.tar");
  EXPECT_EQ(item.Ext, ".gz");
  EXPECT_EQ(item.NewName, "");
  EXPECT_EQ(item.Size, 5);
  EXPECT_EQ(item.ModifiedUtc, modified);
  EXPECT_EQ(item.ModifiedUtc.timeSpec(), Qt::UTC);
  EXPECT_EQ(item.CreatedUtc.timeSpec(), Qt::UTC);
  // Qt reads the birth time on its own; where the file system keeps none, the
  // last-write time stands in.
  const QDateTime birth = QFileInfo(file).birthTime();
  EXPECT_EQ(item.CreatedUtc, birth.isValid() ? birth.toUTC() : modified);
}

struct NothingCase {
  const char* name;
  const char* path;  // relative to the fixture; "" is the empty path
};

void PrintTo(const NothingCase& c, std::ostream* os) { *os << c.name; }

class AddFileNothingTest : public ::testing::TestWithParam<NothingCase> {
 protected:
  void SetUp() override {
    dir_.Create({"real.txt"}, "x");
    dir_.CreateFolder("folder");
    ASSERT_TRUE(QFile::link(dir_.file("folder"), dir_.file("folder-link")));
    ASSERT_TRUE(QFile::link(dir_.file("gone.txt"), dir_.file("dangling-link")));
#ifndef Q_OS_WIN
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir_.file("pipe")).constData(), 0600), 0);
#endif
  }
  TempFolder dir_;
};

TEST_P(AddFileNothingTest, AddsNothingAndReportsNothing) {
  const QString path = *GetParam().path ? dir_.file(GetParam().path) : QString();
  RenameItemList list;
  const Status status = AddFile(list, path, RealFileSystem());
  EXPECT_TRUE(status.ok()) << status.error().message().toStdString();
  EXPECT_EQ(list.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, AddFileNothingTest,
                         ::testing::Values(NothingCase{"Empty", ""},
                                           NothingCase{"Missing", "missing.txt"},
                                           NothingCase{"Folder", "folder"},
                                           NothingCase{"LinkToFolder", "folder-link"},
                                           NothingCase{"DanglingLink", "dangling-link"},
                                           NothingCase{"BelowAFile", "real.txt/x"}
#ifndef Q_OS_WIN
                                           ,
                                           NothingCase{"Pipe", "pipe"}
#endif
                                           ),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AddFileTest, FollowsALinkToAFileAndKeepsTheLinkPath) {
  TempFolder dir;
  const QString target = dir.Create({"target.jpg"}, "abc").front();
  ASSERT_TRUE(QFile::link(target, dir.file("link.jpg")));
  RenameItemList list;
  ASSERT_TRUE(AddFile(list, dir.file("link.jpg"), RealFileSystem()).ok());
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.at(0).OriginalPath, dir.file("link.jpg"));
  EXPECT_EQ(list.at(0).Size, 3);
}

TEST(AddFileTest, TheSamePathTwiceGivesOneItem) {
  TempFolder dir;
  const QString file = dir.Create({"a.txt"}).front();
  RenameItemList list;
  ASSERT_TRUE(AddFile(list, file, RealFileSystem()).ok());
  ASSERT_TRUE(AddFile(list, file, RealFileSystem()).ok());
  EXPECT_EQ(list.count(), 1);
}

#ifndef Q_OS_WIN
TEST(AddFileTest, LetterCaseMakesTwoItemsHereAndOneUnderTheWindowsRule) {
  TempFolder dir;
  const QStringList files = dir.Create({"Report.TXT", "report.txt", "Äpfel.txt", "äpfel.txt"});
  RenameItemList exact;
  RenameItemList windows(PathRule::kWindows);
  ASSERT_TRUE(AddFiles(exact, files, RealFileSystem()).ok());
  ASSERT_TRUE(AddFiles(windows, files, RealFileSystem()).ok());
  EXPECT_EQ(SortedRelative(exact, dir.path()),
            QStringList({"Report.TXT", "report.txt", "Äpfel.txt", "äpfel.txt"}));
  EXPECT_EQ(SortedRelative(windows, dir.path()),
            QStringList({"Report.TXT", "Äpfel.txt", "äpfel.txt"}));
}
#endif

TEST(AddFilesTest, AnErrorEndsTheCommandAndKeepsTheFilesAddedBeforeIt) {
  const QStringList paths = {"/d/unreadable.txt", "/d/b.txt", "/d/failing.txt", "/d/never.txt"};
  const MetadataReader read = [](const QString& path) -> Result<std::optional<FileMetadata>> {
    if (path.endsWith("failing.txt")) return Error("Cannot read the file: Input/output error");
    FileMetadata data;  // nothing readable but the existence for the first file
    if (path.endsWith("b.txt")) {
      data.size = 1536;
      data.modifiedUtc = QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5, 6), Qt::UTC);
      data.createdUtc = QDateTime(QDate(2019, 1, 2), QTime(3, 4, 5, 6), Qt::UTC);
    }
    return std::optional<FileMetadata>(data);
  };
  RenameItemList list;
  const Status status = AddFiles(list, paths, read);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().message(), "Cannot read the file: Input/output error");
  ASSERT_EQ(Paths(list), QStringList({"/d/unreadable.txt", "/d/b.txt"}));
  EXPECT_EQ(list.at(0).Size, -1);
  EXPECT_EQ(list.at(0).CreatedUtc.toString(Qt::ISODateWithMs), "1899-12-30T00:00:00.000Z");
  EXPECT_EQ(list.at(0).ModifiedUtc.toString(Qt::ISODateWithMs), "1899-12-30T00:00:00.000Z");
  EXPECT_EQ(list.at(1).Size, 1536);
  EXPECT_EQ(list.at(1).CreatedUtc.toString(Qt::ISODateWithMs), "2019-01-02T03:04:05.006Z");
  EXPECT_EQ(list.at(1).ModifiedUtc.toString(Qt::ISODateWithMs), "2020-01-02T03:04:05.006Z");
}

// Long lists are read on two threads; what is added must not show it: the
// order of the paths, duplicates added once, no file past the first error.
TEST(AddFilesTest, ALongListKeepsItsOrderAndStopsAtTheFirstError) {
  constexpr int kCount = 5000;
  QStringList paths;
  for (int i = 0; i < kCount; ++i) paths << QStringLiteral("/d/%1").arg(i);
  paths.insert(10, QStringLiteral("/d/3"));     // a duplicate before its second half
  paths.insert(4000, QStringLiteral("/d/20"));  // and one read by the other thread
  std::atomic<int> readsOfListed = 0;
  const MetadataReader read = [&](const QString& path) -> Result<std::optional<FileMetadata>> {
    const int n = path.mid(3).toInt();
    if (n == 1) ++readsOfListed;
    if (n == 4500 || n == 4700) return Error(QStringLiteral("failed at %1").arg(n));
    if (n % 7 == 0) return std::optional<FileMetadata>();  // not a file
    FileMetadata data;
    data.size = n;
    return std::optional<FileMetadata>(data);
  };
  RenameItemList list;
  TRenameItem listed;
  listed.OriginalPath = QStringLiteral("/d/1");
  list.Append(listed);
  const Status status = AddFiles(list, paths, read);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().message(), "failed at 4500");
  EXPECT_EQ(readsOfListed, 0);
  QStringList expected = {"/d/1"};
  for (int i = 0; i < 4500; ++i) {
    if (i % 7 != 0 && i != 1) expected << QStringLiteral("/d/%1").arg(i);
  }
  EXPECT_EQ(Paths(list), expected);
  for (qsizetype i = 1; i < list.count(); ++i) {
    EXPECT_EQ(list.at(i).Size, list.at(i).OriginalPath.mid(3).toInt());
  }
}

// root: a.txt, .hidden, z.txt, sub/s.txt, sub/.h2, sub/deep/d.txt, empty/
class AddFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Create({"a.txt", ".hidden", "z.txt", "sub/s.txt", "sub/.h2", "sub/deep/d.txt"});
    dir_.CreateFolder("empty");
  }
  TempFolder dir_;
};

TEST_F(AddFolderTest, WithoutSubfoldersTakesTheFolderOwnFilesHiddenOnesIncluded) {
  RenameItemList list;
  ASSERT_TRUE(AddFolder(list, dir_.path(), false, RealFileSystem()).ok());
  EXPECT_EQ(SortedRelative(list, dir_.path()), QStringList({".hidden", "a.txt", "z.txt"}));
  EXPECT_EQ(Paths(list), ListedOrder(dir_.path(), false));
}

TEST_F(AddFolderTest, WithSubfoldersPlacesEachSubfolderFilesWhereItIsMet) {
  RenameItemList list;
  ASSERT_TRUE(AddFolder(list, dir_.path(), true, RealFileSystem()).ok());
  EXPECT_EQ(SortedRelative(list, dir_.path()),
            QStringList({".hidden", "a.txt", "sub/.h2", "sub/deep/d.txt", "sub/s.txt", "z.txt"}));
  EXPECT_EQ(Paths(list), ListedOrder(dir_.path(), true));
}

TEST_F(AddFolderTest, AddingTheFolderTwiceAddsItsFilesOnce) {
  RenameItemList list;
  ASSERT_TRUE(AddFolder(list, dir_.path(), true, RealFileSystem()).ok());
  ASSERT_TRUE(AddFolder(list, dir_.path(), true, RealFileSystem()).ok());
  EXPECT_EQ(list.count(), 6);
}

TEST_F(AddFolderTest, AFinalSeparatorGivesOneSeparatorBeforeEachName) {
  RenameItemList list;
  ASSERT_TRUE(AddFolder(list, dir_.path() + u'/', false, RealFileSystem()).ok());
  ASSERT_EQ(list.count(), 3);
  for (const TRenameItem& item : list.items()) {
    EXPECT_EQ(QFileInfo(item.OriginalPath).path(), dir_.path()) << item.OriginalPath.toStdString();
    EXPECT_FALSE(item.OriginalPath.contains("//")) << item.OriginalPath.toStdString();
  }
}

TEST(AddFolderNamesTest, NamesBeyondAsciiArriveWholeWithTheirMetadata) {
  TempFolder dir;
  dir.Create({"Äpfel.txt"}, "12345");
  dir.Create({"plain.txt"}, "1");
  dir.Create({"日本.dat"}, "123");
  RenameItemList list;
  ASSERT_TRUE(AddFolder(list, dir.path(), false, RealFileSystem()).ok());
  ASSERT_EQ(SortedRelative(list, dir.path()), QStringList({"plain.txt", "Äpfel.txt", "日本.dat"}));
  for (const TRenameItem& item : list.items()) {
    EXPECT_EQ(item.Size, QFileInfo(item.OriginalPath).size()) << item.OriginalPath.toStdString();
  }
}

TEST_F(AddFolderTest, NoFolderAtThePathAddsNothing) {
  RenameItemList list;
  EXPECT_TRUE(AddFolder(list, dir_.file("missing"), true, RealFileSystem()).ok());
  EXPECT_TRUE(AddFolder(list, dir_.file("a.txt"), true, RealFileSystem()).ok());
  EXPECT_TRUE(AddFolder(list, QString(), true, RealFileSystem()).ok());
  EXPECT_EQ(list.count(), 0);
}

#ifndef Q_OS_WIN
TEST(AddFolderLinkTest, ALinkBackIntoTheTreeIsNotFollowedAgain) {
  TempFolder dir;
  dir.Create({"root/a.txt", "root/sub/b.txt", "outside/o.txt"});
  ASSERT_TRUE(QFile::link(dir.file("root"), dir.file("root/sub/back")));
  ASSERT_TRUE(QFile::link(dir.file("outside"), dir.file("root/ext")));
  RenameItemList list;
  ASSERT_TRUE(AddFolder(list, dir.file("root"), true, RealFileSystem()).ok());
  EXPECT_EQ(SortedRelative(list, dir.file("root")),
            QStringList({"a.txt", "ext/o.txt", "sub/b.txt"}));
}

TEST(AddFolderLinkTest, AFolderReachedTwiceThroughALinkGivesItsFilesOnce) {
  TempFolder dir;
  dir.Create({"root/sub/b.txt"});
  ASSERT_TRUE(QFile::link(dir.file("root/sub"), dir.file("root/alias")));
  RenameItemList list;
  ASSERT_TRUE(AddFolder(list, dir.file("root"), true, RealFileSystem()).ok());
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.at(0).OriginalName, "b");
}

TEST(AddFolderLinkTest, WithoutSubfoldersALinkToAFolderIsPassedOver) {
  TempFolder dir;
  dir.Create({"root/a.txt", "outside/o.txt"});
  ASSERT_TRUE(QFile::link(dir.file("outside"), dir.file("root/ext")));
  RenameItemList list;
  ASSERT_TRUE(AddFolder(list, dir.file("root"), false, RealFileSystem()).ok());
  EXPECT_EQ(SortedRelative(list, dir.file("root")), QStringList({"a.txt"}));
}

// Permissions stop nothing for root (as on CI), so there the scan runs with
// the effective user "nobody" for as long as this object lives.
class WithoutRootPowers {
 public:
  WithoutRootPowers() : wasRoot_(::geteuid() == 0) {
    if (wasRoot_ && ::seteuid(kNobody) != 0) throw std::runtime_error("cannot become nobody");
  }
  ~WithoutRootPowers() {
    if (wasRoot_ && ::seteuid(0) != 0) std::abort();
  }

 private:
  static constexpr uid_t kNobody = 65534;
  const bool wasRoot_;
};

TEST(AddFolderAccessTest, AFolderThatCannotBeListedContributesNothing) {
  TempFolder dir;
  dir.Create({"a.txt", "locked/l.txt", "open/o.txt"});
  ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(dir.file("locked")).constData(), 0), 0);
  RenameItemList list;
  Status status;
  {
    WithoutRootPowers powers;
    status = AddFolder(list, dir.path(), true, RealFileSystem());
  }
  ::chmod(QFile::encodeName(dir.file("locked")).constData(), 0700);
  ASSERT_TRUE(status.ok());
  EXPECT_EQ(SortedRelative(list, dir.path()), QStringList({"a.txt", "open/o.txt"}));
}
#endif

// A path of more than 259 characters, which a fixed-size buffer would cut.
// Hears how many files were found and asks the drop to stop once `after`
// are (-1: never), as a Cancel button clicked then would.
class StopWhenFound final : public ProgressReport {
 public:
  explicit StopWhenFound(qsizetype after) : after_(after) {}
  void Advanced(qsizetype found, qsizetype total) override {
    heard << QStringLiteral("%1/%2").arg(found).arg(total);
    if (found == after_) stop.Request(1);
  }
  StopRequest stop;
  QStringList heard;

 private:
  qsizetype after_;
};

// Stopped while the files are found or while they are read (after the last
// one is found), a drop leaves the list exactly as it was.
TEST_F(AddFolderTest, AStoppedDropAddsNothingWhereverItStops) {
  RenameItemList list;
  ASSERT_TRUE(AddFile(list, dir_.file("a.txt"), RealFileSystem()).ok());
  const QStringList dropped = {dir_.file("z.txt"), dir_.path(), dir_.file("sub/s.txt")};
  constexpr qsizetype kFound = 8;  // z.txt, the folder's six files, s.txt again
  for (qsizetype after = 1; after <= kFound; ++after) {
    StopWhenFound cancel(after);
    EXPECT_TRUE(AddDroppedPaths(list, dropped, true, RealFileSystem(), &cancel.stop, &cancel).ok());
    EXPECT_EQ(Paths(list), QStringList({dir_.file("a.txt")})) << after;
    EXPECT_EQ(cancel.heard.size(), after);
  }
  StopWhenFound never(-1);
  ASSERT_TRUE(AddDroppedPaths(list, dropped, true, RealFileSystem(), &never.stop, &never).ok());
  EXPECT_EQ(SortedRelative(list, dir_.path()),
            QStringList({".hidden", "a.txt", "sub/.h2", "sub/deep/d.txt", "sub/s.txt", "z.txt"}));
  QStringList counts;
  for (qsizetype found = 1; found <= kFound; ++found) counts << QStringLiteral("%1/-1").arg(found);
  EXPECT_EQ(never.heard, counts);
}

QString LongFolder(const TempFolder& dir) {
  const QString part(100, u'f');
  return dir.CreateFolder(part + u'/' + part + u'/' + part);
}

TEST(AddDroppedPathsTest, TakesLongPathsWhole) {
  TempFolder dir;
  const QString folder = LongFolder(dir);
  const QString file = folder + "/long name.txt";
  ASSERT_GT(file.size(), 259);
  dir.Create({QDir(dir.path()).relativeFilePath(file)}, "xy");
  RenameItemList list;
  ASSERT_TRUE(AddDroppedPaths(list, {file}, false, RealFileSystem()).ok());
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.at(0).OriginalPath, file);
  EXPECT_EQ(list.at(0).Size, 2);
  list.Clear();
  ASSERT_TRUE(AddDroppedPaths(list, {dir.path()}, true, RealFileSystem()).ok());
  EXPECT_EQ(Paths(list), QStringList({file}));
}

TEST(AddDroppedPathsTest, AddsFoldersAndFilesInOrderAndIgnoresWhatIsNeither) {
  TempFolder dir;
  dir.Create({"f/one.txt", "two.txt"});
  RenameItemList list;
  const QStringList dropped = {dir.file("two.txt"), dir.file("gone.txt"), dir.file("f")};
  ASSERT_TRUE(AddDroppedPaths(list, dropped, false, RealFileSystem()).ok());
  EXPECT_EQ(Paths(list), QStringList({dir.file("two.txt"), dir.file("f/one.txt")}));
}

}  // namespace
}  // namespace corvane
