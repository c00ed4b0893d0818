// Linux names that are not UTF-8 go to and come from the system calls as the
// bytes they are, through every part of the platform layer, and never lead to
// another file. The files are made and read with plain system calls
// (TempFolder's ...Bytes functions), so no decoding stands between test and disk.
#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/file_identity.h"
#include "platform/file_metadata.h"
#include "platform/file_system.h"
#include "platform/folder_entries.h"
#include "platform/native_files.h"
#include "support/simulated_file_system.h"

#include "support/temp_folder.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace corvane {
namespace {

using testing::TempFolder;

// A name as bytes, and as the text the program holds for it.
struct Name {
  QByteArray bytes;
  std::u16string text;
};

QString Text(const std::u16string& units) {
  return QString::fromUtf16(units.data(), qsizetype(units.size()));
}

// Four names that would all read as "caf\uFFFD..." if every byte that is not
// UTF-8 became U+FFFD: the real U+FFFD, a Latin-1 byte, a cut UTF-8 sequence
// and the UTF-8 form of the surrogate U+DCE9 itself; and two bytes no UTF-8
// has at all.
const Name kNames[] = {
    {"caf\xEF\xBF\xBD.txt", u"caf\uFFFD.txt"},
    {"caf\xE9.txt", u"caf\xDCE9.txt"},
    {"caf\xC3.txt", u"caf\xDCC3.txt"},
    {"caf\xED\xB3\xA9.txt", u"caf\xDCED\xDCB3\xDCA9.txt"},
    {"\xFF\xFE.bin", u"\xDCFF\xDCFE.bin"},
};

// A folder holding every name of kNames, each file with its own name's bytes
// as content.
class NativeNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const Name& name : kNames) dir_.CreateBytes(name.bytes, name.bytes);
  }
  QString P(const std::u16string& text) const { return dir_.path() + u'/' + Text(text); }
  QList<QByteArray> AllBytesBut(const QByteArray& left, const QList<QByteArray>& added) const {
    QList<QByteArray> names = added;
    for (const Name& name : kNames) {
      if (name.bytes != left) names << name.bytes;
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // Every file of kNames but `left` still holds its own name.
  void ExpectOthersUntouched(const QByteArray& left) const {
    for (const Name& name : kNames) {
      if (name.bytes != left) {
        EXPECT_EQ(dir_.ReadBytes(name.bytes), name.bytes);
      }
    }
  }

  TempFolder dir_;
};

TEST_F(NativeNamesTest, ListingGivesEachNameItsOwnText) {
  const std::optional<QList<FolderEntry>> entries = ListFolderEntries(dir_.path());
  ASSERT_TRUE(entries.has_value());
  QStringList listed;
  for (const FolderEntry& entry : *entries) listed << entry.path;
  listed.sort();
  QStringList expected;
  for (const Name& name : kNames) expected << P(name.text);
  expected.sort();
  EXPECT_EQ(listed, expected);
}

TEST_F(NativeNamesTest, ReadingCallsReachTheNamedFile) {
  FileSystem& fs = RealFileSystem();
  for (const Name& name : kNames) {
    const QString path = P(name.text);
    const std::string label = name.bytes.toHex(' ').toStdString();
    EXPECT_TRUE(fs.FileExists(path)) << label;
    EXPECT_FALSE(fs.FolderExists(path)) << label;
    const Result<QByteArray> read = fs.ReadFile(path);
    ASSERT_TRUE(read.ok()) << label;
    EXPECT_EQ(*read, name.bytes) << label;

    QFile file;
    ASSERT_TRUE(OpenForReading(file, path).ok()) << label;
    EXPECT_EQ(file.readAll(), name.bytes) << label;

    const Result<std::optional<FileMetadata>> metadata = ReadFileMetadata(path);
    ASSERT_TRUE(metadata.ok() && metadata->has_value()) << label;
    EXPECT_EQ((*metadata)->size, name.bytes.size()) << label;

    struct stat st;
    ASSERT_EQ(::stat((dir_.PathBytes() + '/' + name.bytes).constData(), &st), 0) << label;
    EXPECT_EQ(IdentityOf(path), FileIdentity({uint64_t(st.st_dev), uint64_t(st.st_ino)})) << label;
  }
}

// caf\xE8.txt is not there; what U+FFFD or UTF-8 would make of its name is.
TEST_F(NativeNamesTest, AMissingNameFindsNoOtherFile) {
  FileSystem& fs = RealFileSystem();
  const QString missing = P(u"caf\xDCE8.txt");
  EXPECT_FALSE(fs.FileExists(missing));
  const Result<QByteArray> read = fs.ReadFile(missing);
  ASSERT_FALSE(read.ok());
  EXPECT_EQ(read.error().code(), Error::Code::kFileNotFound);
  QFile file;
  EXPECT_FALSE(OpenForReading(file, missing).ok());
  const Result<std::optional<FileMetadata>> metadata = ReadFileMetadata(missing);
  ASSERT_TRUE(metadata.ok());
  EXPECT_FALSE(metadata->has_value());
  EXPECT_EQ(IdentityOf(missing), std::nullopt);
  const Status deleted = fs.DeleteFile(missing);
  ASSERT_FALSE(deleted.ok());
  EXPECT_EQ(deleted.error().code(), Error::Code::kFileNotFound);
  ExpectOthersUntouched({});
}

// Every way a move can go: renameat2, link and unlink where the file system
// has no RENAME_NOREPLACE, test then rename where it has no links either, and
// copy then delete across file systems.
TEST_F(NativeNamesTest, MovesReachTheNamedFileWhicheverWayTheyGo) {
  struct Way {
    const char* name;
    SimulatedErrnos errnos;
  };
  const Way ways[] = {
      {"renameat2", {}},
      {"link", {.renameNoReplace = EINVAL}},
      {"test then rename", {.renameNoReplace = EINVAL, .link = EPERM}},
      {"copy then delete", {.renameNoReplace = EXDEV}},
  };
  for (const Way& way : ways) {
    for (const Name& name : kNames) {
      const std::string label =
          QStringLiteral("%1 %2")
              .arg(QString::fromUtf8(way.name), QString::fromLatin1(name.bytes.toHex(' ')))
              .toStdString();
      const std::unique_ptr<FileSystem> fs = NewRealFileSystemForTests(way.errnos);
      ASSERT_TRUE(fs->MoveFile(P(name.text), P(u"moved\xDCE9")).ok()) << label;
      EXPECT_EQ(dir_.ListBytes(), AllBytesBut(name.bytes, {"moved\xE9"})) << label;
      EXPECT_EQ(dir_.ReadBytes("moved\xE9"), name.bytes) << label;
      ExpectOthersUntouched(name.bytes);
      ASSERT_TRUE(RealFileSystem().MoveFile(P(u"moved\xDCE9"), P(name.text)).ok()) << label;
    }
  }
}

TEST_F(NativeNamesTest, ChangingCallsTouchOnlyTheNamedFile) {
  FileSystem& fs = RealFileSystem();
  const QDateTime time(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
  for (const Name& name : kNames) {
    const std::string label = name.bytes.toHex(' ').toStdString();
    const QString path = P(name.text);
    ASSERT_TRUE(fs.CopyFile(path, P(u"copy\xDCFF"), Replace::kAtomically).ok()) << label;
    EXPECT_EQ(dir_.ReadBytes("copy\xFF"), name.bytes) << label;

    ASSERT_TRUE(fs.SetLastWriteTime(path, time).ok()) << label;
    struct stat st;
    ASSERT_EQ(::stat((dir_.PathBytes() + '/' + name.bytes).constData(), &st), 0) << label;
    EXPECT_EQ(qint64(st.st_mtime), time.toSecsSinceEpoch()) << label;

    EXPECT_TRUE(fs.IsSameFile(path, path)) << label;
    for (const Name& other : kNames) {
      if (other.bytes != name.bytes) {
        EXPECT_FALSE(fs.IsSameFile(path, P(other.text))) << label;
      }
    }

    ASSERT_TRUE(fs.DeleteFile(path).ok()) << label;
    EXPECT_EQ(dir_.ListBytes(), AllBytesBut(name.bytes, {"copy\xFF"})) << label;
    ExpectOthersUntouched(name.bytes);

    ASSERT_TRUE(fs.ReplaceFile(P(u"copy\xDCFF"), path).ok()) << label;
    EXPECT_EQ(dir_.ListBytes(), AllBytesBut({}, {})) << label;
    EXPECT_EQ(dir_.ReadBytes(name.bytes), name.bytes) << label;
  }
}

TEST(NativeNamesFolderTest, FoldersAndWrittenFilesTakeTheBytes) {
  TempFolder dir;
  FileSystem& fs = RealFileSystem();
  const QString folder = dir.path() + Text(u"/\xDCE9/\xDCFF\xDCFE");
  ASSERT_TRUE(fs.CreateFolder(folder));
  EXPECT_TRUE(fs.FolderExists(folder));
  EXPECT_EQ(dir.ListBytes(), QList<QByteArray>({"\xE9"}));
  EXPECT_EQ(dir.ListBytes("\xE9"), QList<QByteArray>({"\xFF\xFE"}));
  EXPECT_TRUE(fs.CreateFolder(folder + u'/'));  // already there

  const QString file = folder + Text(u"/log\xDCE9");
  Result<std::unique_ptr<WritableFile>> written = fs.NewWritableFile(file);
  ASSERT_TRUE(written.ok());
  ASSERT_TRUE(written.value()->Append("new ").ok());
  ASSERT_TRUE(written.value()->Close().ok());
  Result<std::unique_ptr<WritableFile>> appended = fs.NewAppendableFile(file);
  ASSERT_TRUE(appended.ok());
  ASSERT_TRUE(appended.value()->Append("line").ok());
  ASSERT_TRUE(appended.value()->Close().ok());
  EXPECT_EQ(dir.ReadBytes("\xE9/\xFF\xFE/log\xE9"), "new line");
}

// The folder the program is started in may be named in such bytes too.
TEST(NativeNamesFolderTest, CurrentFolderKeepsTheBytes) {
  TempFolder dir;
  dir.CreateFolderBytes("\xE9\xFF");
  char* before = ::getcwd(nullptr, 0);
  ASSERT_NE(before, nullptr);
  ASSERT_EQ(::chdir((dir.PathBytes() + "/\xE9\xFF").constData()), 0);
  const QString current = CurrentFolder();
  ASSERT_EQ(::chdir(before), 0);
  std::free(before);
  EXPECT_EQ(current, dir.path() + Text(u"/\xDCE9\xDCFF"));
}

}  // namespace
}  // namespace corvane

#endif  // !Q_OS_WIN
