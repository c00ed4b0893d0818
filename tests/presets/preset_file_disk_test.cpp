#include "presets/preset_file.h"

#include "preset_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include <signal.h>
#include <sys/resource.h>
#endif

namespace corvane {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::TempFolder;

#ifdef Q_OS_LINUX
// While it lives, every write beyond `bytes` into any file fails with EFBIG
// instead of stopping the process; the only way to make a write fail half-way
// when tests run as root, where permissions stop nothing.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    savedHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, savedHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*savedHandler_)(int) = nullptr;
};
#endif

TEST(SavePresetFileTest, WritesTheWholeFileAndNothingElse) {
  const TempFolder folder;
  const Status status =
      SavePresetFile(folder.file(u"preset.json"_s), RenameOptions(), RealFileSystem());
  ASSERT_TRUE(status.ok()) << status.error().message().toStdString();
  EXPECT_EQ(folder.Read(u"preset.json"_s), kStartValuesFile);
  EXPECT_EQ(folder.List(), QStringList{u"preset.json"_s});
}

TEST(SavePresetFileTest, ReplacesALongerExistingFile) {
  const TempFolder folder;
  folder.Create({u"preset.json"_s}, QByteArray(4000, 'x'));
  ASSERT_TRUE(
      SavePresetFile(folder.file(u"preset.json"_s), RenameOptions(), RealFileSystem()).ok());
  EXPECT_EQ(folder.Read(u"preset.json"_s), kStartValuesFile);
  EXPECT_EQ(folder.List(), QStringList{u"preset.json"_s});
}

TEST(SavePresetFileTest, AWriteFailingHalfWayKeepsTheOldFile) {
#ifndef Q_OS_LINUX
  GTEST_SKIP() << "needs a file size limit";
#else
  const TempFolder folder;
  const QByteArray old(4000, 'x');
  folder.Create({u"preset.json"_s}, old);
  Status status;
  {
    const FileSizeLimit limit(100);
    status = SavePresetFile(folder.file(u"preset.json"_s), RenameOptions(), RealFileSystem());
  }
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().message(), u"File too large"_s);
  EXPECT_EQ(folder.Read(u"preset.json"_s), old);
  EXPECT_EQ(folder.List(), QStringList{u"preset.json"_s});
#endif
}

TEST(SavePresetFileTest, MissingFolderFailsWithTheSystemText) {
  const TempFolder folder;
  const Status status =
      SavePresetFile(folder.file(u"missing/preset.json"_s), RenameOptions(), RealFileSystem());
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().message(), u"No such file or directory"_s);
  EXPECT_TRUE(folder.List().isEmpty());
}

TEST(SavePresetFileTest, AFolderInTheWayStaysUntouched) {
  const TempFolder folder;
  folder.Create({u"preset.json/inside.txt"_s}, "kept");
  const Status status =
      SavePresetFile(folder.file(u"preset.json"_s), RenameOptions(), RealFileSystem());
  ASSERT_FALSE(status.ok());
  EXPECT_FALSE(status.error().message().isEmpty());
  EXPECT_EQ(folder.Read(u"preset.json/inside.txt"_s), "kept");
  EXPECT_EQ(folder.List(), QStringList{u"preset.json"_s});
}

TEST(LoadPresetFileTest, AppliesTheFileToTheCurrentOptions) {
  const TempFolder folder;
  const QString path = folder.Create(
      {u"hand.json"_s},
      "\xEF\xBB\xBF{\r\n\"find\":\"a\\\\b\",\r\n\"case\":3,\r\n\"changeExt\":false}\r\n")[0];
  RenameOptions current;
  current.regex = true;
  current.pattern = u"kept"_s;
  const Result<RenameOptions> loaded = LoadPresetFile(path, current);
  ASSERT_TRUE(loaded.ok()) << loaded.error().message().toStdString();
  RenameOptions expected;
  expected.find = u"a\\b"_s;
  expected.caseMode = 3;
  expected.pattern = u"kept"_s;
  EXPECT_EQ(*loaded, expected);
}

// A file saved before the extension's letter case was an option ends with
// touchModifiedNow; it renames as it did then, whatever the window held.
TEST(LoadPresetFileTest, AnOlderFileWithoutExtCaseLeavesExtensionsUnchanged) {
  const TempFolder folder;
  const QByteArray older =
      "\xEF\xBB\xBF{\r\n\"find\":\"\",\r\n\"replace\":\"\",\r\n\"regex\":false,\r\n"
      "\"pattern\":\"{name}\",\r\n\"counterStart\":\"1\",\r\n\"digits\":\"3\",\r\n"
      "\"case\":0,\r\n\"changeExt\":false,\r\n\"newExt\":\"\",\r\n\"conflict\":2,\r\n"
      "\"insertText\":\"\",\r\n\"insertPos\":\"1\",\r\n\"removeFirst\":\"0\",\r\n"
      "\"removeLast\":\"0\",\r\n\"removeFromPos\":\"0\",\r\n\"removeTillPos\":\"0\",\r\n"
      "\"charactersToRemove\":\"\",\r\n\"collapseDoubleSpaces\":false,\r\n"
      "\"cropBefore\":\"\",\r\n\"cropAfter\":\"\",\r\n\"padNumbers\":\"0\",\r\n"
      "\"includeSubfolders\":false,\r\n\"batchMode\":0,\r\n\"destination\":\"\",\r\n"
      "\"touchModifiedNow\":false\r\n}\r\n";
  const QString path = folder.Create({u"older.json"_s}, older)[0];
  for (const int held : {1, 2, kNoSelection}) {
    RenameOptions current;
    current.extCase = held;
    const Result<RenameOptions> loaded = LoadPresetFile(path, current);
    ASSERT_TRUE(loaded.ok()) << loaded.error().message().toStdString();
    EXPECT_EQ(*loaded, RenameOptions()) << held;
  }
}

TEST(LoadPresetFileTest, ExtCaseComesBackFromASavedFile) {
  const TempFolder folder;
  const QString path = folder.file(u"saved.json"_s);
  for (const int saved : {0, 1, 2}) {
    RenameOptions options;
    options.extCase = saved;
    ASSERT_TRUE(SavePresetFile(path, options, RealFileSystem()).ok());
    RenameOptions current;
    current.extCase = saved == 2 ? 1 : 2;
    const Result<RenameOptions> loaded = LoadPresetFile(path, current);
    ASSERT_TRUE(loaded.ok()) << loaded.error().message().toStdString();
    EXPECT_EQ(loaded->extCase, saved);
    EXPECT_TRUE(folder.Read(u"saved.json"_s)
                    .contains("\"touchModifiedNow\":false,\r\n\"extCase\":" +
                              QByteArray::number(saved) + "\r\n}"));
  }
}

#ifndef Q_OS_WIN
// A preset named on the command line in bytes that are not UTF-8 is that
// file, not the one whose name holds U+FFFD.
TEST(LoadPresetFileTest, ANameThatIsNotUtf8LoadsItsOwnFile) {
  const TempFolder folder;
  folder.CreateBytes("\xEF\xBF\xBD.json", "{\r\n\"find\":\"real\"\r\n}\r\n");
  folder.CreateBytes("\xE9.json", "{\r\n\"find\":\"byte\"\r\n}\r\n");
  const Result<RenameOptions> loaded =
      LoadPresetFile(folder.path() + QString::fromUtf16(u"/\xDCE9.json"), RenameOptions());
  ASSERT_TRUE(loaded.ok()) << loaded.error().message().toStdString();
  EXPECT_EQ(loaded->find, u"byte"_s);
}
#endif

// A file without a single key is not a preset: loading it would only apply
// the fallbacks of missing keys (New extension checked, the rest cleared).
TEST(LoadPresetFileTest, AFileWithoutAnyKeyIsRefusedAndOneKeyIsEnough) {
  const TempFolder folder;
  struct Case {
    const char* name;
    QByteArray content;
    bool loads;
  };
  const Case cases[] = {
      {"empty.json", "", false},
      {"braces.json", "\xEF\xBB\xBF{\r\n}\r\n", false},
      {"caps.json", "{\"Find\":\"a\",\"PATTERN\":\"b\"}", false},
      {"spaced.json", "{\"find\" : \"a\"}", false},
      {"one.json", "{\"padNumbers\":\"4\"}", true},
      {"unclosed-but-another.json", "{\"find\":\"a, \"regex\":true", true},
  };
  for (const Case& c : cases) {
    const QString path = folder.Create({QString::fromLatin1(c.name)}, c.content)[0];
    const Result<RenameOptions> loaded = LoadPresetFile(path, RenameOptions());
    EXPECT_EQ(loaded.ok(), c.loads) << c.name;
    if (!loaded.ok()) {
      EXPECT_EQ(loaded.error().message(), u"Not a preset file: "_s + path) << c.name;
      EXPECT_EQ(loaded.error().text(), u"Not a preset file: %s"_s);
    }
  }
}

TEST(LoadPresetFileTest, MissingFileFailsWithTheSystemText) {
  const TempFolder folder;
  const Result<RenameOptions> loaded =
      LoadPresetFile(folder.file(u"absent.json"_s), RenameOptions());
  ASSERT_FALSE(loaded.ok());
  EXPECT_EQ(loaded.error().message(), u"No such file or directory"_s);
}

TEST(LoadPresetFileTest, AFolderCannotBeLoaded) {
  const TempFolder folder;
  const QString path = folder.CreateFolder(u"folder.json"_s);
  const Result<RenameOptions> loaded = LoadPresetFile(path, RenameOptions());
  ASSERT_FALSE(loaded.ok());
  EXPECT_FALSE(loaded.error().message().isEmpty());
}

}  // namespace
}  // namespace corvane
