#include "platform/win32/win32_files.h"

#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <optional>

namespace corvane::win32 {
namespace {

using testing::Folder;
using testing::List;
using testing::Read;
using testing::Write;
using Names = std::vector<std::wstring>;

const std::string kData = "the user's data\r\n";
const std::string kOther = "another file";
constexpr int64_t kOldTicks = 126000000000000000;  // 2000-04-12

bool IsExistsError(ErrorCode err) {
  return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS;
}

// What a kill leaves: the work stops before the chosen change of the disk.
struct Killed {};
Hooks KillBeforeChange(int* step, int killAt) {
  Hooks hooks;
  hooks.beforeChange = [step, killAt] {
    if ((*step)++ == killAt) throw Killed{};
  };
  return hooks;
}

// --- Case-only renames on a case-insensitive volume ---

TEST(Win32CaseTest, MoveBetweenSpellingsOfOneFileKeepsTheFileAndItsContent) {
  struct Case {
    const char* name;
    const wchar_t* from;
    const wchar_t* to;
  };
  const Case cases[] = {
      {"to lower case", L"File.TXT", L"file.txt"},
      {"to upper case", L"file.txt", L"FILE.TXT"},
      {"onto its own name", L"file.txt", L"file.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Folder dir;
    Write(dir / c.from, kData);
    FileOps ops;
    // The move, then its undo.
    ops.MoveNoReplace(dir / c.from, dir / c.to, dir / L"part");
    EXPECT_EQ(List(dir.path()).size(), 1u);
    EXPECT_EQ(Read(dir / c.to), kData);
    ops.MoveNoReplace(dir / c.to, dir / c.from, dir / L"part");
    EXPECT_EQ(List(dir.path()).size(), 1u);
    EXPECT_EQ(Read(dir / c.from), kData);
  }
}

TEST(Win32CaseTest, CaseOnlyRenameAndItsUndoChangeTheSpellingAlone) {
  struct Way {
    const char* name;
    void (*rename)(FileOps&, const Folder&, const std::wstring&, const std::wstring&);
  };
  const Way ways[] = {
      {"renamed as one entry",
       [](FileOps& ops, const Folder&, const std::wstring& from, const std::wstring& to) {
         EXPECT_EQ(ops.RenameSameEntry(from, to), kOk);
       }},
      {"moved through a temporary name",
       [](FileOps& ops, const Folder& dir, const std::wstring& from, const std::wstring& to) {
         EXPECT_EQ(ops.MoveNoReplace(from, dir / L".corvane-step", dir / L"part"), kOk);
         EXPECT_EQ(ops.MoveNoReplace(dir / L".corvane-step", to, dir / L"part"), kOk);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    Folder dir;
    Write(dir / L"Report.TXT", kData);
    FileOps ops;
    ASSERT_TRUE(ops.IsSameEntry(dir / L"Report.TXT", dir / L"report.txt"));
    way.rename(ops, dir, dir / L"Report.TXT", dir / L"report.txt");
    EXPECT_EQ(List(dir.path()), Names{L"report.txt"});
    EXPECT_EQ(Read(dir / L"report.txt"), kData);
    way.rename(ops, dir, dir / L"report.txt", dir / L"Report.TXT");
    EXPECT_EQ(List(dir.path()), Names{L"Report.TXT"});
    EXPECT_EQ(Read(dir / L"Report.TXT"), kData);
  }
}

TEST(Win32CaseTest, ReplacingMoveOntoTheFileItselfKeepsIt) {
  Folder dir;
  Write(dir / L"Photo.JPG", kData);
  FileOps ops;
  ops.MoveReplacing(dir / L"Photo.JPG", dir / L"photo.jpg", dir / L"part");
  EXPECT_EQ(List(dir.path()).size(), 1u);
  EXPECT_EQ(Read(dir / L"photo.jpg"), kData);
}

// --- Moves within a volume and across two ---

enum class Volume { kSame, kSimulatedOther, kOther };

class Win32MoveTest : public ::testing::TestWithParam<Volume> {
 protected:
  void SetUp() override {
    if (GetParam() == Volume::kOther) {
      const std::wstring second = testing::SecondVolume();
      if (second.empty()) GTEST_SKIP() << "the lane gave no second volume";
      to_.emplace(second);
    } else {
      to_.emplace();
    }
  }

  Hooks Simulated(Hooks hooks = {}) const {
    if (GetParam() == Volume::kSimulatedOther) hooks.nextRenameError = ERROR_NOT_SAME_DEVICE;
    return hooks;
  }
  std::wstring Target() const { return *to_ / L"b.txt"; }
  std::wstring Temp() const { return *to_ / L".corvane-b.part"; }

  Folder from_;
  std::optional<Folder> to_;
};

TEST_P(Win32MoveTest, CarriesContentAttributesAndTimeAndLeavesNothingBehind) {
  Write(from_ / L"a.txt", kData);
  FileOps(Simulated()).SetLastWriteTime(from_ / L"a.txt", kOldTicks);
  ASSERT_TRUE(SetFileAttributesW((from_ / L"a.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  FileOps ops(Simulated());
  EXPECT_EQ(ops.MoveNoReplace(from_ / L"a.txt", Target(), Temp()), kOk);
  EXPECT_EQ(List(from_.path()), Names{});
  EXPECT_EQ(List(to_->path()), Names{L"b.txt"});
  EXPECT_EQ(Read(Target()), kData);
  EXPECT_EQ(testing::LastWriteTicks(Target()), kOldTicks);
  EXPECT_TRUE(GetFileAttributesW(Target().c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_P(Win32MoveTest, NeverReplacesAndReplacingMoveTakesThePlace) {
  for (const bool replace : {false, true}) {
    SCOPED_TRACE(replace ? "replacing" : "not replacing");
    Write(from_ / L"a.txt", kData);
    Write(Target(), kOther);
    FileOps ops(Simulated());
    if (replace) {
      EXPECT_EQ(ops.MoveReplacing(from_ / L"a.txt", Target(), Temp()), kOk);
      EXPECT_EQ(List(from_.path()), Names{});
      EXPECT_EQ(Read(Target()), kData);
    } else {
      EXPECT_TRUE(IsExistsError(ops.MoveNoReplace(from_ / L"a.txt", Target(), Temp())));
      EXPECT_EQ(Read(from_ / L"a.txt"), kData);
      EXPECT_EQ(Read(Target()), kOther);
    }
    EXPECT_EQ(List(to_->path()), Names{L"b.txt"});
  }
}

TEST_P(Win32MoveTest, SourceThatCannotBeDeletedStaysAndNoCopyRemains) {
  Write(from_ / L"a.txt", kData);
  // Open without sharing deletion: readable and copyable, not removable.
  const HANDLE held = CreateFileW((from_ / L"a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  FileOps ops(Simulated());
  EXPECT_NE(ops.MoveNoReplace(from_ / L"a.txt", Target(), Temp()), kOk);
  CloseHandle(held);
  EXPECT_EQ(Read(from_ / L"a.txt"), kData);
  EXPECT_EQ(List(to_->path()), Names{});
}

TEST_P(Win32MoveTest, KillAtAnyStepLeavesTheWholeFileSomewhere) {
  for (const bool replace : {false, true}) {
    int steps = 0;
    for (int killAt = 0;; ++killAt) {
      SCOPED_TRACE(::testing::Message() << (replace ? "replacing" : "not replacing")
                                        << ", killed before change " << killAt);
      Write(from_ / L"a.txt", kData);
      if (replace) Write(Target(), kOther);
      int step = 0;
      FileOps ops(Simulated(KillBeforeChange(&step, killAt)));
      bool killed = false;
      try {
        const ErrorCode err = replace ? ops.MoveReplacing(from_ / L"a.txt", Target(), Temp())
                                      : ops.MoveNoReplace(from_ / L"a.txt", Target(), Temp());
        EXPECT_EQ(err, kOk);
      } catch (const Killed&) {
        killed = true;
      }
      const std::optional<std::string> source = Read(from_ / L"a.txt");
      const std::optional<std::string> target = Read(Target());
      EXPECT_TRUE(source == kData || target == kData);
      if (source) {
        EXPECT_EQ(source, kData);
      }
      if (target && target != kData) {
        EXPECT_TRUE(replace && target == kOther);
      }
      if (!killed) {
        EXPECT_EQ(source, std::nullopt);
        EXPECT_EQ(List(to_->path()), Names{L"b.txt"});
        steps = killAt;
        break;
      }
      // Start the next run from a clean slate, as an undo would leave it.
      DeleteFileW(Target().c_str());
      SetFileAttributesW(Temp().c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(Temp().c_str());
    }
    // The rename alone within a volume; copy, flush, rename, delete across.
    EXPECT_GE(steps, GetParam() == Volume::kSame ? 1 : 4);
  }
}

std::string VolumeName(const ::testing::TestParamInfo<Volume>& info) {
  switch (info.param) {
    case Volume::kSame:
      return "SameVolume";
    case Volume::kSimulatedOther:
      return "SimulatedOtherVolume";
    case Volume::kOther:
      return "OtherVolume";
  }
  return "";
}

INSTANTIATE_TEST_SUITE_P(Volumes, Win32MoveTest,
                         ::testing::Values(Volume::kSame, Volume::kSimulatedOther, Volume::kOther),
                         VolumeName);

// --- Copies under a temporary name ---

TEST(Win32CopyTest, WritesUnderATemporaryNameThenReplacesOrNever) {
  struct Case {
    const char* name;
    bool targetThere;
    bool replace;
    DWORD sourceAttributes;
    bool copied;
  };
  const Case cases[] = {
      {"new target", false, false, 0, true},
      {"taken target kept", true, false, 0, false},
      {"taken target kept, read-only source", true, false, FILE_ATTRIBUTE_READONLY, false},
      {"taken target replaced", true, true, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Folder dir;
    Write(dir / L"a.txt", kData);
    FileOps ops;
    ASSERT_EQ(ops.SetLastWriteTime(dir / L"a.txt", kOldTicks), kOk);
    if (c.sourceAttributes) SetFileAttributesW((dir / L"a.txt").c_str(), c.sourceAttributes);
    if (c.targetThere) Write(dir / L"b.txt", kOther);
    const ErrorCode err =
        ops.CopyViaTemporary(dir / L"a.txt", dir / L"b.txt", dir / L".corvane-b.part", c.replace);
    EXPECT_EQ(Read(dir / L"a.txt"), kData);
    EXPECT_EQ(List(dir.path()), (Names{L"a.txt", L"b.txt"}));
    if (c.copied) {
      EXPECT_EQ(err, kOk);
      EXPECT_EQ(Read(dir / L"b.txt"), kData);
      EXPECT_EQ(testing::LastWriteTicks(dir / L"b.txt"), kOldTicks);
    } else {
      EXPECT_TRUE(IsExistsError(err)) << err;
      EXPECT_EQ(Read(dir / L"b.txt"), kOther);
    }
  }
}

TEST(Win32CopyTest, KillAtAnyStepLeavesTheTargetWholeOrAsItWas) {
  for (int killAt = 0;; ++killAt) {
    SCOPED_TRACE(::testing::Message() << "killed before change " << killAt);
    Folder dir;
    Write(dir / L"a.txt", kData);
    Write(dir / L"b.txt", kOther);
    int step = 0;
    FileOps ops(KillBeforeChange(&step, killAt));
    bool killed = false;
    try {
      EXPECT_EQ(
          ops.CopyViaTemporary(dir / L"a.txt", dir / L"b.txt", dir / L".corvane-b.part", true),
          kOk);
    } catch (const Killed&) {
      killed = true;
    }
    EXPECT_EQ(Read(dir / L"a.txt"), kData);
    EXPECT_EQ(Read(dir / L"b.txt"), killed ? kOther : kData);
    if (!killed) break;
  }
}

// --- Same entry, delete, and the rest ---

TEST(Win32SameEntryTest, OneEntryIsOneNameInOneFolder) {
  Folder dir;
  ASSERT_TRUE(CreateDirectoryW((dir / L"x").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((dir / L"y").c_str(), nullptr));
  Write(dir / L"x\\a.txt", kData);
  Write(dir / L"b.txt", kData);
  Write(dir / L"single.txt", kData);
  ASSERT_TRUE(CreateHardLinkW((dir / L"y\\a.txt").c_str(), (dir / L"x\\a.txt").c_str(), nullptr));
  ASSERT_TRUE(
      CreateHardLinkW((dir / L"x\\link.txt").c_str(), (dir / L"x\\a.txt").c_str(), nullptr));
  struct Case {
    const char* name;
    const wchar_t* a;
    const wchar_t* b;
    bool same;
  };
  const Case cases[] = {
      {"one spelling", L"single.txt", L"single.txt", true},
      {"case variant", L"single.txt", L"SINGLE.TXT", true},
      {"other separator", L"x\\a.txt", L"x/a.txt", true},
      {"folder spelled otherwise", L"x\\a.txt", L"X\\.\\A.txt", true},
      {"two files", L"single.txt", L"b.txt", false},
      {"hard link, same name in another folder", L"x\\a.txt", L"y\\a.txt", false},
      {"hard link, other name in the same folder", L"x\\a.txt", L"x\\link.txt", false},
      {"hard link, case variant of itself", L"x\\a.txt", L"x\\A.TXT", true},
      {"missing", L"single.txt", L"missing.txt", false},
  };
  FileOps ops;
  for (const Case& c : cases) {
    EXPECT_EQ(ops.IsSameEntry(dir / c.a, dir / c.b), c.same) << c.name;
  }
}

TEST(Win32DeleteTest, RemovesOneNameAndNamesWhatIsMissing) {
  Folder dir;
  Write(dir / L"a.txt", kData);
  ASSERT_TRUE(CreateHardLinkW((dir / L"link.txt").c_str(), (dir / L"a.txt").c_str(), nullptr));
  Write(dir / L"locked.txt", kData, FILE_ATTRIBUTE_READONLY);
  struct Case {
    const char* name;
    const wchar_t* path;
    ErrorCode result;
  };
  const Case cases[] = {
      {"a file", L"A.TXT", kOk},
      {"gone already", L"a.txt", ERROR_FILE_NOT_FOUND},
      {"missing folder", L"none\\a.txt", ERROR_PATH_NOT_FOUND},
      {"read-only", L"locked.txt", ERROR_ACCESS_DENIED},
  };
  FileOps ops;
  for (const Case& c : cases) EXPECT_EQ(ops.RemoveFile(dir / c.path), c.result) << c.name;
  EXPECT_EQ(List(dir.path()), (Names{L"link.txt", L"locked.txt"}));
  EXPECT_EQ(Read(dir / L"link.txt"), kData);
}

TEST(Win32LookUpTest, TellsFilesFromFolders) {
  Folder dir;
  Write(dir / L"a.txt", kData);
  ASSERT_TRUE(CreateDirectoryW((dir / L"sub").c_str(), nullptr));
  FileOps ops;
  EXPECT_EQ(ops.LookUp(dir / L"A.txt"), Kind::kFile);
  EXPECT_EQ(ops.LookUp(dir / L"sub"), Kind::kFolder);
  EXPECT_EQ(ops.LookUp(dir / L"missing"), Kind::kNone);
  EXPECT_TRUE(ops.FileExists(dir / L"a.txt"));
  EXPECT_FALSE(ops.FileExists(dir / L"sub"));
  EXPECT_TRUE(ops.FolderExists(dir / L"sub"));
  EXPECT_TRUE(ops.IsPlainFolder(dir / L"sub"));
  EXPECT_FALSE(ops.FolderExists(dir / L"a.txt"));
}

// Wine derives creation times from the Linux times, so whether the creation
// time stays can only be seen on Windows.
TEST(Win32TimeTest, SetLastWriteTimeSetsItOrNamesWhatIsMissing) {
  Folder dir;
  Write(dir / L"a.txt", kData);
  FileOps ops;
  EXPECT_EQ(ops.SetLastWriteTime(dir / L"a.txt", kOldTicks), kOk);
  EXPECT_EQ(testing::LastWriteTicks(dir / L"a.txt"), kOldTicks);
  EXPECT_EQ(ops.SetLastWriteTime(dir / L"missing.txt", kOldTicks), ERROR_FILE_NOT_FOUND);
}

TEST(Win32BytesTest, HoldSameBytesComparesContent) {
  Folder dir;
  Write(dir / L"a", kData);
  Write(dir / L"same", kData);
  Write(dir / L"longer", kData + "x");
  Write(dir / L"changed", std::string(kData).replace(0, 1, "T"));
  struct Case {
    const wchar_t* other;
    bool same;
  };
  const Case cases[] = {{L"same", true}, {L"longer", false}, {L"changed", false}};
  FileOps ops;
  for (const Case& c : cases) {
    bool same = !c.same;
    EXPECT_EQ(ops.HoldSameBytes(dir / L"a", dir / c.other, &same), kOk);
    EXPECT_EQ(same, c.same);
  }
  bool same = false;
  EXPECT_EQ(ops.HoldSameBytes(dir / L"a", dir / L"missing", &same), ERROR_FILE_NOT_FOUND);
}

TEST(Win32WritableTest, AppendsAreTakenBackAndKept) {
  Folder dir;
  FileOps ops;
  std::unique_ptr<WritableHandle> file;
  ASSERT_EQ(ops.NewWritable(dir / L"log", &file), kOk);
  EXPECT_EQ(file->Append("one\n", 4), kOk);
  EXPECT_EQ(file->Close(), kOk);
  ASSERT_EQ(ops.NewAppendable(dir / L"log", &file), kOk);
  EXPECT_EQ(file->Append("two\n", 4), kOk);
  EXPECT_EQ(file->TruncateTo(4), kOk);
  EXPECT_EQ(file->Append("three\n", 6), kOk);
  EXPECT_EQ(file->Sync(), kOk);
  EXPECT_EQ(file->Close(), kOk);
  EXPECT_EQ(Read(dir / L"log"), "one\nthree\n");
  EXPECT_EQ(ops.NewAppendable(dir / L"missing", &file), ERROR_FILE_NOT_FOUND);
}

TEST(Win32HoldTest, OneHolderAtATime) {
  Folder dir;
  FileOps ops;
  std::unique_ptr<ExclusiveHold> first, second;
  ASSERT_EQ(ops.HoldExclusively(dir / L"lock", &first), kOk);
  EXPECT_EQ(ops.HoldExclusively(dir / L"lock", &second), ERROR_SHARING_VIOLATION);
  first.reset();
  EXPECT_EQ(ops.HoldExclusively(dir / L"lock", &second), kOk);
}

TEST(Win32PathTest, FolderAndNameSplitAtTheLastSeparatorOrDriveColon) {
  struct Case {
    const wchar_t* path;
    const wchar_t* folder;
  };
  const Case cases[] = {
      {L"C:\\a\\b.txt", L"C:\\a\\"},
      {L"C:/a/b.txt", L"C:/a/"},
      {L"C:b.txt", L"C:"},
      {L"b.txt", L""},
      {L"\\\\s\\share\\b.txt", L"\\\\s\\share\\"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderOf(c.path), c.folder);
    EXPECT_EQ(NameOf(c.path), L"b.txt");
  }
}

}  // namespace
}  // namespace corvane::win32
