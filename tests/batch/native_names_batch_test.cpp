// Files whose Linux names are not UTF-8, from adding their folder through the
// preview, the batch and its log to the undo: each is renamed, logged and
// brought back under exactly its own bytes, and no other file is touched.
// The files are made and listed with plain system calls (TempFolder's
// ...Bytes functions), so no decoding stands between test and disk.
#include <QtGlobal>
#ifndef Q_OS_WIN

#include "batch/batch_executor.h"
#include "batch/undo.h"
#include "batch/undo_log.h"
#include "collect/add_files.h"
#include "engine/preview.h"
#include "support/temp_folder.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace corvane {
namespace {

using testing::TempFolder;

QString Text(const std::u16string& units) {
  return QString::fromUtf16(units.data(), qsizetype(units.size()));
}
QString Text(const Status& s) { return s.ok() ? QStringLiteral("(ok)") : s.error().message(); }

// A file's name as bytes, as the text the program holds, and its content.
struct File {
  QByteArray bytes;
  std::u16string text;
  QByteArray content;
};

const char kLog[] = "log/last_rename.csv";

class NativeNamesBatchTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_.CreateFolderBytes("log"); }
  QString FolderPath() const { return dir_.path() + QStringLiteral("/in"); }
  QString LogPath() const { return dir_.file(kLog); }

  // Adds the files and folders at `paths`, previews with `options` and runs
  // the batch.
  void AddPreviewAndRun(const QStringList& paths, const RenameOptions& options) {
    ASSERT_EQ(Text(AddDroppedPaths(list_, paths, false, RealFileSystem())), "(ok)");
    const Result<PreviewOutcome> preview =
        BuildPreview(list_.items(), options, EngineContext::FromSystem());
    ASSERT_TRUE(preview.ok()) << preview.error().message().toStdString();
    list_.SetNewNames(preview->newNames);
    const BatchOutcome batch = ExecuteBatch(list_.items(), options, RealFileSystem(), LogPath());
    ASSERT_EQ(Text(batch.status), "(ok)");
    ASSERT_TRUE(batch.notice.has_value());
    EXPECT_EQ(batch.notice->kind, Notice::Kind::kInformation);
  }

  void Undo() {
    const UndoOutcome undo = UndoLastRename(RealFileSystem(), LogPath());
    ASSERT_EQ(Text(undo.status), "(ok)");
    ASSERT_TRUE(undo.notice.has_value());
    EXPECT_EQ(undo.notice->text, "Undo completed for the last rename operation.");
  }

  // The files in the folder as name=content, sorted, for comparison.
  QList<QByteArray> Contents() const {
    QList<QByteArray> out;
    for (const QByteArray& name : dir_.ListBytes("in")) {
      out << name + '=' + dir_.ReadBytes("in/" + name);
    }
    return out;
  }
  static QList<QByteArray> Contents(const QList<File>& files, const QByteArray& prefix) {
    QList<QByteArray> out;
    for (const File& f : files) out << prefix + f.bytes + '=' + f.content;
    std::sort(out.begin(), out.end());
    return out;
  }

  TempFolder dir_;
  RenameItemList list_;
};

TEST_F(NativeNamesBatchTest, AFoldersFilesAreRenamedLoggedAndBroughtBackByteForByte) {
  const QList<File> files = {
      {"caf\xE9.txt", u"caf\xDCE9.txt", "latin-1"},
      {"\xFF\xFE.bin", u"\xDCFF\xDCFE.bin", "no utf-8"},
      {"caf\xEF\xBF\xBD.txt", u"caf\uFFFD.txt", "real replacement character"},
      {"plain.txt", u"plain.txt", "ascii"},
  };
  dir_.CreateFolderBytes("in");
  for (const File& f : files) dir_.CreateBytes("in/" + f.bytes, f.content);

  RenameOptions options;
  options.pattern = "new_{name}";
  AddPreviewAndRun({FolderPath()}, options);

  // Every file was listed, under the text of its own bytes.
  QStringList added;
  for (const TRenameItem& item : list_.items()) added << item.OriginalPath;
  added.sort();
  QStringList expected;
  for (const File& f : files) expected << FolderPath() + u'/' + Text(f.text);
  expected.sort();
  EXPECT_EQ(added, expected);

  EXPECT_EQ(Contents(), Contents(files, "new_"));

  // The log names each file by its bytes, in the order of the list.
  QByteArray log = UndoLogStart();
  const QByteArray folder = dir_.PathBytes() + "/in/";
  for (const TRenameItem& item : list_.items()) {
    const auto f = std::find_if(files.begin(), files.end(), [&](const File& file) {
      return item.OriginalPath.endsWith(Text(file.text));
    });
    ASSERT_NE(f, files.end());
    log += '"' + folder + f->bytes + "\",\"" + folder + "new_" + f->bytes + "\"\r\n";
  }
  EXPECT_EQ(dir_.ReadBytes(kLog), log);

  Undo();
  EXPECT_EQ(Contents(), Contents(files, ""));
}

// A file Overwrite replaces goes to the trash whatever its name's bytes, and
// the undo brings it back under them.
TEST_F(NativeNamesBatchTest, ReplacedFileWhoseNameIsNotUtf8GoesToTheTrashAndComesBack) {
  const File replaced = {"caf\xE9.txt", u"caf\xDCE9.txt", "old"};
  dir_.CreateFolderBytes("in");
  dir_.CreateBytes("in/" + replaced.bytes, replaced.content);
  dir_.CreateBytes("in/a.txt", "new");

  RenameOptions options;
  options.pattern = Text(u"caf\xDCE9");
  options.conflict = int(ConflictMode::Overwrite);
  AddPreviewAndRun({FolderPath() + "/a.txt"}, options);
  EXPECT_EQ(Contents(), QList<QByteArray>({replaced.bytes + "=new"}));
  const QString trash =
      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
  EXPECT_EQ(RealFileSystem().ReadFile(trash + "/files/" + Text(replaced.text)).value(), "old");

  Undo();
  EXPECT_EQ(Contents(), QList<QByteArray>({"a.txt=new", replaced.bytes + "=old"}));
  EXPECT_EQ(RealFileSystem().LookUp(trash + "/files/" + Text(replaced.text)), EntryKind::kNone);
}

// What U+FFFD stands for in a name: the character itself, or a byte that is
// not UTF-8. Naming one of two such files renames that one alone, and the
// undo brings back that one alone. The parameter: whether the byte is named.
class OnlyTheNamedTest : public NativeNamesBatchTest, public ::testing::WithParamInterface<bool> {};

TEST_P(OnlyTheNamedTest, OfTwoLookalikesOnlyTheNamedIsRenamed) {
  const File real = {"\xEF\xBF\xBD.txt", u"\uFFFD.txt", "real"};
  const File byte = {"\xE9.txt", u"\xDCE9.txt", "byte"};
  const File& named = GetParam() ? byte : real;
  const File& other = GetParam() ? real : byte;
  dir_.CreateFolderBytes("in");
  dir_.CreateBytes("in/" + real.bytes, real.content);
  dir_.CreateBytes("in/" + byte.bytes, byte.content);

  RenameOptions options;
  options.pattern = "renamed";
  AddPreviewAndRun({FolderPath() + u'/' + Text(named.text)}, options);
  EXPECT_EQ(Contents(), Contents({{"renamed.txt", u"", named.content}, other}, ""));

  Undo();
  EXPECT_EQ(Contents(), Contents({real, byte}, ""));
}

INSTANTIATE_TEST_SUITE_P(Named, OnlyTheNamedTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "TheByte" : "TheReplacementCharacter");
                         });

}  // namespace
}  // namespace corvane

#endif  // !Q_OS_WIN
