// The home trash the file system keeps replaced files in (XDG_DATA_HOME lies
// in a temporary folder for every test, tests/support/test_main.cpp), the
// record beside each, and the letter-case rule of a folder's volume.
#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/file_system.h"
#include "platform/native_name.h"
#include "platform/paths.h"
#include "support/fat_mount.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace corvane {
namespace {

QString Trash() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
}

// Read as the program names files: a name need not be UTF-8.
QByteArray RecordOf(const QString& place) {
  const Result<QByteArray> bytes = RealFileSystem().ReadFile(TrashRecordFor(place).value_or(""));
  return bytes.ok() ? *bytes : QByteArray("(none)");
}

TEST(TrashRecordForTest, OnlyThePlacesOfATrash) {
  const struct {
    const char* place;
    const char* record;  // nullptr: not a place in a trash
  } cases[] = {
      {"/h/.local/share/Trash/files/a.txt", "/h/.local/share/Trash/info/a.txt.trashinfo"},
      {"/mnt/usb/.Trash-1000/files/b", "/mnt/usb/.Trash-1000/info/b.trashinfo"},
      {"/mnt/usb/.Trash/1000/files/c", "/mnt/usb/.Trash/1000/info/c.trashinfo"},
      {"/h/Trash/files/", nullptr},
      {"/h/Trashy/files/a", nullptr},
      {"/h/photos/files/a", nullptr},
      {"/files/a", nullptr},
      {"Trash/info/a", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<QString> record = TrashRecordFor(QString::fromUtf8(c.place));
    EXPECT_EQ(record, c.record ? std::optional<QString>(c.record) : std::nullopt) << c.place;
  }
}

// The record names the file by its bytes, so a name that is not UTF-8 goes to
// the trash like any other and can be found again.
TEST(TrashTest, FileGoesToTheTrashWithItsRecordAndComesBackByAPlainMove) {
  testing::TempFolder dir;
  FileSystem& fs = RealFileSystem();
  const QByteArray name = "caf\xE9 \xFF.txt";  // Latin-1, not UTF-8
  dir.CreateBytes(name, "old");
  const QString path = DecodeNativeName(dir.PathBytes() + "/" + name);
  const Result<QString> place = fs.TrashPlaceFor(path);
  ASSERT_TRUE(place.ok()) << place.error().message().toStdString();
  EXPECT_EQ(*place, Trash() + "/files/" + DecodeNativeName(name));
  EXPECT_EQ(fs.LookUp(*place), EntryKind::kNone);  // nothing written yet
  ASSERT_TRUE(fs.MoveToTrash(path, *place).ok());
  EXPECT_EQ(fs.LookUp(path), EntryKind::kNone);
  EXPECT_EQ(fs.ReadFile(*place).value(), "old");
  const QByteArray record = RecordOf(*place);
  EXPECT_TRUE(record.startsWith("[Trash Info]\nPath=")) << record.constData();
  EXPECT_TRUE(record.contains("/caf%E9%20%FF.txt\nDeletionDate=")) << record.constData();

  // A second file of that name gets a place of its own.
  dir.CreateBytes(name, "newer");
  const Result<QString> second = fs.TrashPlaceFor(path);
  ASSERT_TRUE(second.ok());
  EXPECT_NE(*second, *place);
  EXPECT_TRUE(FileNamePart(*second).startsWith(DecodeNativeName(name) + "."))
      << second->toStdString();
}

// The record's name is the file's name and ".trashinfo": a long name is cut
// in the trash, at a character's boundary, so that both fit.
TEST(TrashTest, LongNameIsCutToFitItsRecord) {
  testing::TempFolder dir;
  const QString name = QString(120, QChar(0x00E9)) + ".txt";  // 244 bytes of UTF-8
  dir.Create({name}, "old");
  const Result<QString> place = RealFileSystem().TrashPlaceFor(dir.file(name));
  ASSERT_TRUE(place.ok());
  const QByteArray inTrash = EncodeNativeName(FileNamePart(*place));
  EXPECT_LE(inTrash.size() + 10, 255);
  EXPECT_EQ(DecodeNativeName(inTrash).toUtf8(), inTrash);  // still UTF-8
  ASSERT_TRUE(RealFileSystem().MoveToTrash(dir.file(name), *place).ok());
  EXPECT_NE(RecordOf(*place), "(none)");
}

// A record that cannot be written leaves the file where it was, at once.
TEST(TrashTest, RecordThatCannotBeWrittenLeavesTheFile) {
  testing::TempFolder dir;
  dir.Create({"a"}, "A");
  FileSystem& fs = RealFileSystem();
  const Result<QString> place = fs.TrashPlaceFor(dir.file("a"));
  ASSERT_TRUE(place.ok());
  ASSERT_TRUE(QFile(*TrashRecordFor(*place)).open(QIODevice::WriteOnly));  // taken meanwhile
  EXPECT_FALSE(fs.MoveToTrash(dir.file("a"), *place).ok());
  EXPECT_EQ(dir.Read("a"), "A");
  EXPECT_EQ(fs.LookUp(*place), EntryKind::kNone);
}

TEST(LetterCaseRuleTest, FatFoldsAndTheTestsOwnVolumeDoesNot) {
  testing::TempFolder dir;
  dir.Create({"Some.txt"});
  EXPECT_FALSE(RealFileSystem().FoldsLetterCase(dir.path()));
  testing::FatMount fat;
  if (!fat.mounted()) GTEST_SKIP() << "cannot mount a FAT image: " << fat.reason().toStdString();
  // Empty, the volume's kind tells; with a file, a lookup in the other case.
  EXPECT_TRUE(RealFileSystem().FoldsLetterCase(fat.path()));
  QDir().mkpath(fat.file("sub"));
  QFile(fat.file("sub/Photo.JPG")).open(QIODevice::WriteOnly);
  EXPECT_TRUE(RealFileSystem().FoldsLetterCase(fat.file("sub")));
}

}  // namespace
}  // namespace corvane

#endif  // !Q_OS_WIN
