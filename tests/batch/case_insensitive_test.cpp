// Case-only renames on a real case-insensitive file system: a small FAT image
// mounted through FUSE (fusefat), which needs no kernel FAT driver. Where the
// tools or /dev/fuse are missing, or mounting is not allowed, the tests skip.
#include "batch/batch_executor.h"
#include "batch/batch_verdicts.h"
#include "batch/undo.h"
#include "batch/undo_log.h"
#include "batch_test_support.h"
#include "engine/new_name.h"
#include "support/fat_mount.h"

#include <QFile>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::FatMount;
using testing::Item;
using testing::LogBytes;
using testing::Options;

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

TEST(CaseInsensitiveTest, CaseOnlyRenameUnderEveryRuleIsDoneAndUndone) {
  for (ConflictMode rule :
       {ConflictMode::Skip, ConflictMode::Overwrite, ConflictMode::AutoNumber}) {
    FatMount fat;
    if (!fat.mounted()) GTEST_SKIP() << "cannot mount a FAT image: " << fat.reason().toStdString();
    FileSystem& fs = RealFileSystem();
    QFile f(fat.file("File.TXT"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("content") == 7);
    f.close();
    ASSERT_TRUE(fs.FileExists(fat.file("file.txt")));  // the file system ignores case
    ASSERT_TRUE(fs.IsSameFile(fat.file("File.TXT"), fat.file("file.txt")));

    const QList<TRenameItem> items = {Item(fat.file("File.TXT"), "file.txt")};
    const int r = static_cast<int>(rule);
    // The new spelling is taken by the file itself, which is no conflict.
    EXPECT_EQ(JudgeBatch(items, Options(BatchMode::RenameInPlace, rule), fs).verdicts,
              QList<ItemVerdict>({{VerdictKind::kRenamed, {}, fat.file("file.txt")}}))
        << r;
    const BatchOutcome out =
        ExecuteBatch(items, Options(BatchMode::RenameInPlace, rule), fs, fat.logPath());
    EXPECT_TRUE(out.status.ok()) << r << " " << out.status.error().message().toStdString();
    EXPECT_EQ(fat.List(), QStringList({"file.txt"})) << r;
    EXPECT_EQ(Read(fat.file("file.txt")), "content") << r;
    // Two logged steps through a temporary name, so that a kill between them
    // leaves nothing the undo cannot find.
    const QList<UndoLogEntry> logged = ParseUndoLog(Read(fat.logPath()));
    ASSERT_EQ(logged.size(), 2) << r;
    EXPECT_EQ(logged[0].oldPath, fat.file("File.TXT")) << r;
    EXPECT_TRUE(logged[0].newPath.startsWith(fat.file(".corvane-"))) << r;
    EXPECT_EQ(logged[1], (UndoLogEntry{logged[0].newPath, fat.file("file.txt")})) << r;

    const UndoOutcome undo = UndoLastRename(fs, fat.logPath());
    EXPECT_TRUE(undo.status.ok()) << r;
    EXPECT_EQ(fat.List(), QStringList({"File.TXT"})) << r;
    EXPECT_EQ(Read(fat.file("File.TXT")), "content") << r;
  }
}

// A new name that differs from the old one only in the letter case of its
// extension is the same entry on such a volume: it takes the two steps of a
// case-only rename, and the undo brings the old spelling back.
TEST(CaseInsensitiveTest, ExtensionCaseOnlyRenameTakesTheCaseChangeSteps) {
  FatMount fat;
  if (!fat.mounted()) GTEST_SKIP() << "cannot mount a FAT image: " << fat.reason().toStdString();
  FileSystem& fs = RealFileSystem();
  QFile f(fat.file("Photo.JPG"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("jpeg") == 4);
  f.close();

  TRenameItem item = Item(fat.file("Photo.JPG"), QString());
  RenameOptions options = Options(BatchMode::RenameInPlace, ConflictMode::AutoNumber);
  options.extCase = static_cast<int>(ExtCaseMode::Lowercase);
  const Result<QString> newName = ComputeNewName(
      item, options, QStringLiteral("001"),
      EngineContext::Fixed(QDateTime(QDate(2026, 1, 2), QTime(3, 4), QTimeZone::utc()),
                           QTimeZone::utc()));
  ASSERT_TRUE(newName.ok());
  ASSERT_EQ(*newName, "Photo.jpg");
  item.NewName = *newName;

  EXPECT_EQ(JudgeBatch({item}, options, fs).verdicts,
            QList<ItemVerdict>({{VerdictKind::kRenamed, {}, fat.file("Photo.jpg")}}));
  const BatchOutcome out = ExecuteBatch({item}, options, fs, fat.logPath());
  ASSERT_TRUE(out.status.ok()) << out.status.error().message().toStdString();
  EXPECT_EQ(fat.List(), QStringList({"Photo.jpg"}));
  const QList<UndoLogEntry> logged = ParseUndoLog(Read(fat.logPath()));
  ASSERT_EQ(logged.size(), 2);
  EXPECT_EQ(logged[0].oldPath, fat.file("Photo.JPG"));
  EXPECT_TRUE(logged[0].newPath.startsWith(fat.file(".corvane-")));
  EXPECT_EQ(logged[1], (UndoLogEntry{logged[0].newPath, fat.file("Photo.jpg")}));

  ASSERT_TRUE(UndoLastRename(fs, fat.logPath()).status.ok());
  EXPECT_EQ(fat.List(), QStringList({"Photo.JPG"}));
  EXPECT_EQ(Read(fat.file("Photo.JPG")), "jpeg");
}

// Past the lookups a folder gets before it is listed, a file on disk whose
// name differs from a new name only in letter case still takes that name,
// in the verdicts as in the batch.
TEST(CaseInsensitiveTest, ManyFilesMeetANameOnDiskInOtherLetterCase) {
  FatMount fat;
  if (!fat.mounted()) GTEST_SKIP() << "cannot mount a FAT image: " << fat.reason().toStdString();
  const auto write = [&](const QString& name, const QByteArray& content) {
    QFile f(fat.file(name));
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
  };
  QList<TRenameItem> items;
  for (int i = 0; i < 100; ++i) {
    const QString name = QStringLiteral("a%1.dat").arg(i);
    ASSERT_TRUE(write(name, name.toUtf8()));
    items.append(Item(fat.file(name), QStringLiteral("b%1.dat").arg(i)));
  }
  ASSERT_TRUE(write("B80.DAT", "theirs"));
  FileSystem& fs = RealFileSystem();
  const RenameOptions options = Options(BatchMode::RenameInPlace, ConflictMode::AutoNumber);

  const BatchVerdicts judged = JudgeBatch(items, options, fs);
  ASSERT_EQ(judged.verdicts.size(), items.size());
  EXPECT_EQ(judged.verdicts[80],
            (ItemVerdict{VerdictKind::kNumbered, {}, fat.file("b80 (1).dat")}));
  EXPECT_EQ(judged.verdicts[99], (ItemVerdict{VerdictKind::kRenamed, {}, fat.file("b99.dat")}));
  const BatchOutcome out = ExecuteBatch(items, options, fs, fat.logPath());
  ASSERT_TRUE(out.status.ok()) << out.status.error().message().toStdString();
  QList<ItemUpdate> said;
  for (qsizetype i = 0; i < items.size(); ++i) said.append({i, judged.verdicts[i].finalPath});
  EXPECT_EQ(out.updates, said);
  EXPECT_EQ(Read(fat.file("B80.DAT")), "theirs");
}

TEST(CaseInsensitiveTest, MoveOnAFileSystemWithoutNoReplaceOrLinksStillRefusesToReplace) {
  FatMount fat;
  if (!fat.mounted()) GTEST_SKIP() << "cannot mount a FAT image: " << fat.reason().toStdString();
  for (const char* name : {"a.txt", "b.txt"}) {
    QFile f(fat.file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(name) > 0);
  }
  FileSystem& fs = RealFileSystem();
  EXPECT_EQ(fs.MoveFile(fat.file("a.txt"), fat.file("B.TXT")).error().message(),
            "The specified file already exists");
  EXPECT_EQ(Read(fat.file("b.txt")), "b.txt");
  EXPECT_TRUE(fs.MoveFile(fat.file("a.txt"), fat.file("c.txt")).ok());
  EXPECT_EQ(fat.List(), QStringList({"b.txt", "c.txt"}));
  EXPECT_FALSE(fs.IsSameFile(fat.file("b.txt"), fat.file("c.txt")));
}

}  // namespace
}  // namespace corvane
