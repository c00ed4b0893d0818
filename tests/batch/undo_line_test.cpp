// The undo of the common line in one call (the move back), and the lookups
// that explain a failed move: whatever came or went between the listing of a
// folder and the move, no file is replaced and every line ends as the undo
// rules say. Each case runs on a log small enough that each entry is looked
// up, and on one large enough that its folder is listed.
#include "batch/undo.h"
#include "batch/undo_listing.h"
#include "support/counting_file_system.h"

#include "batch_test_support.h"
#include "support/temp_folder.h"

#include <QFile>

#include <functional>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using testing::LogBytes;

// Runs `beforeMove` once, just before the first move of `from`.
class RacingFileSystem : public CountingFileSystem {
 public:
  RacingFileSystem(const QString& from, std::function<void()> beforeMove)
      : CountingFileSystem(RealFileSystem()), from_(from), beforeMove_(std::move(beforeMove)) {}
  Status MoveFile(const QString& from, const QString& to) override {
    if (beforeMove_ && from == from_) std::exchange(beforeMove_, nullptr)();
    return CountingFileSystem::MoveFile(from, to);
  }

 private:
  QString from_;
  std::function<void()> beforeMove_;
};

class UndoLineTest : public ::testing::TestWithParam<qsizetype> {
 protected:
  QString P(const QString& relative) const { return dir_.file(relative); }
  QString LogPath() const { return dir_.file("log/last_rename.csv"); }
  static QString Name(qsizetype i) { return QStringLiteral("f%1").arg(i); }
  QString Old(qsizetype i) const { return P("old/" + Name(i)); }
  QString New(qsizetype i) const { return P("new/" + Name(i)); }

  // A logged move of GetParam() files from old/ to new/; old/ is left out
  // when `oldFolder` is false.
  void MoveLogged(bool oldFolder = true) const {
    QList<QStringList> lines;
    for (qsizetype i = 0; i < GetParam(); ++i) {
      dir_.Create({"new/" + Name(i)}, Name(i).toUtf8());
      lines.append({Old(i), New(i)});
    }
    if (oldFolder) dir_.CreateFolder("old");
    dir_.Create({"log/last_rename.csv"}, LogBytes(lines));
  }
  QString Newest() const { return New(GetParam() - 1); }
  static void Write(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
  }

  testing::TempFolder dir_;
};

TEST_P(UndoLineTest, AFileMadeAtTheOldPathMeanwhileIsNeverReplaced) {
  MoveLogged();
  const qsizetype last = GetParam() - 1;
  RacingFileSystem fs(Newest(), [&] { Write(Old(last), "other"); });
  const UndoOutcome undo = UndoLastRename(fs, LogPath());
  ASSERT_FALSE(undo.status.ok());
  EXPECT_EQ(undo.status.error().args(), QStringList({Old(last)}));
  EXPECT_EQ(dir_.Read("old/" + Name(last)), "other");
  EXPECT_EQ(dir_.Read("new/" + Name(last)), Name(last).toUtf8());
  EXPECT_TRUE(dir_.Exists("log/last_rename.csv"));
}

TEST_P(UndoLineTest, TheSameBytesMadeAtTheOldPathMeanwhileTakeTheCopysPlace) {
  MoveLogged();
  const qsizetype last = GetParam() - 1;
  RacingFileSystem fs(Newest(), [&] { Write(Old(last), Name(last).toUtf8()); });
  ASSERT_TRUE(UndoLastRename(fs, LogPath()).status.ok());
  EXPECT_EQ(dir_.List("new"), QStringList());
  EXPECT_EQ(dir_.List("old").size(), GetParam());
  EXPECT_EQ(dir_.Read("old/" + Name(last)), Name(last).toUtf8());
}

TEST_P(UndoLineTest, ANewEntryGoneMeanwhileIsPassedOver) {
  MoveLogged();
  RacingFileSystem fs(Newest(), [&] { ASSERT_TRUE(QFile::remove(Newest())); });
  const UndoOutcome undo = UndoLastRename(fs, LogPath());
  ASSERT_TRUE(undo.status.ok()) << undo.status.error().message().toStdString();
  EXPECT_TRUE(undo.clearList);
  EXPECT_EQ(dir_.List("new"), QStringList());
  EXPECT_EQ(dir_.List("old").size(), GetParam() - 1);
  EXPECT_FALSE(dir_.Exists("old/" + Name(GetParam() - 1)));
}

TEST_P(UndoLineTest, AMissingOldFolderIsMadeOnce) {
  MoveLogged(/*oldFolder=*/false);
  CountingFileSystem fs(RealFileSystem());
  ASSERT_TRUE(UndoLastRename(fs, LogPath()).status.ok());
  EXPECT_EQ(dir_.List("new"), QStringList());
  EXPECT_EQ(dir_.List("old").size(), GetParam());
  EXPECT_EQ(fs.count("CreateFolder"), 1);
  EXPECT_EQ(fs.count("MoveFile"), GetParam() + 1);  // the first line's move, again
}

TEST_P(UndoLineTest, AFolderAtANewPathIsLeftAlone) {
  MoveLogged();
  const qsizetype last = GetParam() - 1;
  ASSERT_TRUE(QFile::remove(Newest()));
  dir_.CreateFolder("new/" + Name(last));
  ASSERT_TRUE(UndoLastRename(RealFileSystem(), LogPath()).status.ok());
  EXPECT_EQ(dir_.List("new"), QStringList({Name(last)}));
  EXPECT_EQ(dir_.List("old").size(), GetParam() - 1);
}

// A single line is looked up; a log of many lines in one folder lists it.
INSTANTIATE_TEST_SUITE_P(LookedUpOrListed, UndoLineTest,
                         ::testing::Values(qsizetype(1), UndoListing::kListFrom));

// Every file renamed in place costs its one move and nothing more: the calls
// beside the moves are as many for twice the files.
TEST(UndoCostTest, EachFileRenamedInPlaceCostsOneMove) {
  QList<int> callsBesideMoves;
  for (qsizetype files : {2 * UndoListing::kListFrom, 4 * UndoListing::kListFrom}) {
    testing::TempFolder dir;
    QList<QStringList> lines;
    for (qsizetype i = 0; i < files; ++i) {
      dir.Create({QStringLiteral("new_%1").arg(i)});
      lines.append(
          {dir.file(QStringLiteral("name_%1").arg(i)), dir.file(QStringLiteral("new_%1").arg(i))});
    }
    dir.Create({"log/last_rename.csv"}, LogBytes(lines));
    CountingFileSystem fs(RealFileSystem());
    ASSERT_TRUE(UndoLastRename(fs, dir.file("log/last_rename.csv")).status.ok());
    EXPECT_EQ(dir.List().size(), files + 1);  // the files and the log's folder
    EXPECT_TRUE(dir.Exists(QStringLiteral("name_%1").arg(files - 1)));
    EXPECT_EQ(fs.count("MoveFile"), files);
    callsBesideMoves.append(fs.total() - fs.count("MoveFile"));
  }
  EXPECT_EQ(callsBesideMoves[0], callsBesideMoves[1]);
}

}  // namespace
}  // namespace corvane
