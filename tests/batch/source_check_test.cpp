// The batch checks each source from its folder's listing instead of a lookup
// per file; another program's folder put in place of a listed file is still
// caught before the group that would move it, and the undo restores the rest.
#include "batch/batch_executor.h"
#include "batch/free_names.h"
#include "batch/undo.h"
#include "platform/file_system_wrapper.h"
#include "support/counting_file_system.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "batch_test_support.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::Item;
using testing::Options;

QString Name(const char* prefix, int i) {
  return QStringLiteral("%1%2.dat").arg(QLatin1String(prefix)).arg(i, 4, 10, QChar(u'0'));
}

// At its `when`-th move, puts a folder where the file `victim` was, as another
// program might while the batch runs.
class FolderPutInPlace : public FileSystemWrapper {
 public:
  FolderPutInPlace(FileSystem& base, int when, QString victim)
      : FileSystemWrapper(base), when_(when), victim_(std::move(victim)) {}
  Status MoveFile(const QString& from, const QString& to) override {
    if (++moves_ == when_) {
      EXPECT_TRUE(QFile::remove(victim_));
      EXPECT_TRUE(QDir().mkdir(victim_));
    }
    return FileSystemWrapper::MoveFile(from, to);
  }

 private:
  int moves_ = 0;
  const int when_;
  const QString victim_;
};

struct SourceCase {
  const char* name;
  int victim;      // the item whose file becomes a folder (-1: none)
  int when;        // during this move of the batch
  bool subfolder;  // the folder holds a subfolder of its own from the start
};

class SourceCheckTest : public ::testing::TestWithParam<SourceCase> {
 protected:
  static constexpr int kFiles = 1500;  // the first group holds 1024 moves
};

TEST_P(SourceCheckTest, AFolderPutInPlaceStopsTheBatchBeforeItMoves) {
  const SourceCase& c = GetParam();
  testing::TempFolder dir;
  QList<TRenameItem> items;
  for (int i = 0; i < kFiles; ++i) {
    dir.Create({Name("f", i)});
    items << Item(dir.file(Name("f", i)), Name("g", i));
  }
  if (c.subfolder) dir.CreateFolder("sub");
  const QString log = dir.file("appdata/last_rename.csv");
  CountingFileSystem counted(RealFileSystem());
  FolderPutInPlace fs(counted, c.when, c.victim < 0 ? QString() : dir.file(Name("f", c.victim)));

  const BatchOutcome outcome =
      ExecuteBatch(items, Options(BatchMode::RenameInPlace, ConflictMode::Skip), fs, log);

  const int done = c.victim < 0 ? kFiles : c.victim;
  if (c.victim < 0) {
    EXPECT_TRUE(outcome.status.ok());
    // No source is looked up: the folder's listing answers for each.
    EXPECT_LT(counted.count("LookUp"), 64 + 16);
  } else {
    ASSERT_FALSE(outcome.status.ok());
    EXPECT_EQ(outcome.status.error().message(),
              QStringLiteral("Not a file any more: %1").arg(dir.file(Name("f", c.victim))));
    EXPECT_TRUE(QFileInfo(dir.file(Name("f", c.victim))).isDir());
  }
  for (int i = 0; i < kFiles; ++i) {
    if (i == c.victim) continue;
    ASSERT_TRUE(dir.Exists(i < done ? Name("g", i) : Name("f", i))) << i;
  }
  ASSERT_TRUE(UndoLastRename(RealFileSystem(), log).status.ok());
  for (int i = 0; i < kFiles; ++i) {
    if (i == c.victim) continue;
    ASSERT_TRUE(dir.Exists(Name("f", i))) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SourceCheckTest,
    ::testing::Values(SourceCase{"Untouched", -1, 0, false},
                      SourceCase{"UntouchedBesideASubfolder", -1, 0, true},
                      SourceCase{"ReplacedBeforeItsGroup", 1200, 10, false},
                      SourceCase{"ReplacedBeforeItsGroupBesideASubfolder", 1200, 10, true},
                      SourceCase{"ReplacedBetweenTwoGroups", 1100, 1024, false}),
    [](const auto& info) { return std::string(info.param.name); });

// FreeNames answers for a listed file only once a stamp confirms the folder
// unchanged, and never where the link count says nothing of subfolders.
class StampedFileSystem : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  std::optional<FolderStamp> StampOf(const QString&) override { return stamp; }
  FolderStamp stamp{1, 1, 3, 1, 1};
};

TEST(FreeNamesSourceTest, AnswersOnlyForAConfirmedListing) {
  testing::TempFolder dir;
  dir.Create({"a.txt"});
  dir.CreateFolder("b");
  StampedFileSystem fs(RealFileSystem());
  const QString folder = dir.path() + QStringLiteral("/");
  const auto answer = [&](const char* name, auto change) {
    FreeNames names(fs);
    fs.stamp = FolderStamp{1, 1, 3, 1, 1};
    names.Expect(folder, 1000);  // lists the folder
    change();
    names.ConfirmBeforeChanges(folder);
    return names.ListedAsFile(folder + QLatin1String(name));
  };
  const auto nothing = [] {};
  EXPECT_TRUE(answer("a.txt", nothing));
  EXPECT_FALSE(answer("b", nothing));
  EXPECT_FALSE(answer("a.txt", [&] { fs.stamp.modifiedNs = 2; }));
  EXPECT_FALSE(answer("a.txt", [&] { fs.stamp.links = 4; }));
  fs.stamp.links = 1;  // a file system that counts no subfolders
  FreeNames blind(fs);
  blind.Expect(folder, 1000);
  blind.ConfirmBeforeChanges(folder);
  EXPECT_FALSE(blind.ListedAsFile(folder + QStringLiteral("a.txt")));
}

}  // namespace
}  // namespace corvane
