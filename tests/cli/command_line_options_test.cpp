#include "cli/command_line_options.h"

#include <gtest/gtest.h>

#include <functional>

#include "cli/command_line.h"

namespace corvane {
namespace {

// Options that differ from every command-line default, so each row shows
// whether a key reset its field or kept it.
RenameOptions CurrentOptions() {
  RenameOptions o;
  o.pattern = "{name}_old";
  o.counterStart = "5";
  o.digits = "2";
  o.caseMode = static_cast<int>(CaseMode::TitleCase);
  o.extCase = static_cast<int>(ExtCaseMode::Uppercase);
  o.find = "old";
  o.replace = "new";
  o.regex = true;
  o.changeExt = true;
  o.newExt = "bak";
  o.conflict = static_cast<int>(ConflictMode::Skip);
  o.batchMode = static_cast<int>(BatchMode::CopyToFolder);
  o.destination = "/out";
  return o;
}

// CurrentOptions after a command line without keys and without a preset.
RenameOptions AfterNoKeys() {
  RenameOptions o = CurrentOptions();
  o.find = "";
  o.replace = "";
  o.regex = false;
  o.changeExt = false;
  o.newExt = "";
  o.conflict = static_cast<int>(ConflictMode::AutoNumber);
  return o;
}

struct KeysCase {
  const char* name;
  const char16_t* commandLine;  // as Windows hands it over, program path first
  bool cli;
  std::function<void(RenameOptions&)> change;  // from AfterNoKeys()
};

void PrintTo(const KeysCase& c, std::ostream* os) { *os << c.name; }

class CommandLineKeysTest : public ::testing::TestWithParam<KeysCase> {};

TEST_P(CommandLineKeysTest, SetsTheOptions) {
  const KeysCase& c = GetParam();
  const QStringList args = SplitWindowsCommandLine(c.commandLine).mid(1);
  RenameOptions expected = AfterNoKeys();
  if (c.change) c.change(expected);
  EXPECT_EQ(HasSwitch(args, u"cli"), c.cli);
  EXPECT_EQ(ApplyCommandLineKeys(args, CurrentOptions(), AbsentKeys::kTakeDefaults), expected);
}

const int kLower = static_cast<int>(CaseMode::Lowercase);
const int kUpper = static_cast<int>(CaseMode::Uppercase);
const int kTitle = static_cast<int>(CaseMode::TitleCase);
const int kUnchanged = static_cast<int>(CaseMode::Unchanged);
const int kSkip = static_cast<int>(ConflictMode::Skip);
const int kOverwrite = static_cast<int>(ConflictMode::Overwrite);

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineKeysTest,
    ::testing::Values(KeysCase{"NoCliStillReadsKeys", u"c.exe /pattern=x", false,
                               [](RenameOptions& o) { o.pattern = "x"; }},
                      KeysCase{"CliAlone", u"c.exe /cli", true, {}},
                      KeysCase{"CliUpper", u"c.exe /CLI", true, {}},
                      KeysCase{"CliWithValueIsNoSwitch", u"c.exe /cli=yes", false, {}},
                      KeysCase{"DashCliIsNoSwitch", u"c.exe -cli", false, {}},
                      KeysCase{"PatternKeyInOtherCase", u"c.exe /cli /Pattern=x", true,
                               [](RenameOptions& o) { o.pattern = "x"; }},
                      KeysCase{"PatternWithoutEqualsSetsNothing", u"c.exe /cli /pattern", true, {}},
                      KeysCase{"QuotedPatternWithSpace", u"c.exe /cli \"/pattern={name} copy\"",
                               true, [](RenameOptions& o) { o.pattern = "{name} copy"; }},
                      KeysCase{"UnquotedPatternStopsAtSpace", u"c.exe /cli /pattern={name} copy",
                               true, [](RenameOptions& o) { o.pattern = "{name}"; }},
                      KeysCase{"StartAndDigitsUnchecked", u"c.exe /cli /start=abc /digits=12", true,
                               [](RenameOptions& o) {
                                 o.counterStart = "abc";
                                 o.digits = "12";
                               }},
                      KeysCase{"FindAfterFirstEquals", u"c.exe /cli /find=a=b", true,
                               [](RenameOptions& o) { o.find = "a=b"; }},
                      KeysCase{"FirstFindCounts", u"c.exe /cli /find=a /find=b /replace=c", true,
                               [](RenameOptions& o) {
                                 o.find = "a";
                                 o.replace = "c";
                               }},
                      KeysCase{"RegexSwitch", u"c.exe /cli /REGEX", true,
                               [](RenameOptions& o) { o.regex = true; }},
                      KeysCase{"CaseUpper", u"c.exe /cli /case=UPPER", true,
                               [](RenameOptions& o) { o.caseMode = kUpper; }},
                      KeysCase{"CaseLower", u"c.exe /cli /case=lower", true,
                               [](RenameOptions& o) { o.caseMode = kLower; }},
                      KeysCase{"CaseTitle", u"c.exe /cli /case=Title", true,
                               [](RenameOptions& o) { o.caseMode = kTitle; }},
                      KeysCase{"CaseUnknownGivesUnchanged", u"c.exe /cli /case=capital", true,
                               [](RenameOptions& o) { o.caseMode = kUnchanged; }},
                      KeysCase{"CaseEmptyKeepsCurrent", u"c.exe /cli /case=", true, {}},
                      KeysCase{"ConflictOverwrite", u"c.exe /cli /conflict=OVERWRITE", true,
                               [](RenameOptions& o) { o.conflict = kOverwrite; }},
                      KeysCase{"ConflictSkip", u"c.exe /cli /conflict=skip", true,
                               [](RenameOptions& o) { o.conflict = kSkip; }},
                      KeysCase{"ConflictEmptyGivesAutoNumber", u"c.exe /cli /conflict=", true, {}},
                      KeysCase{
                          "ConflictUnknownGivesAutoNumber", u"c.exe /cli /conflict=ask", true, {}},
                      KeysCase{"NewExtEmptyLeavesChangeExtOff", u"c.exe /cli /newext=", true, {}},
                      KeysCase{"NewExtTurnsChangeExtOn", u"c.exe /cli /newext=jpg", true,
                               [](RenameOptions& o) {
                                 o.newExt = "jpg";
                                 o.changeExt = true;
                               }},
                      KeysCase{"SubfoldersSwitch", u"c.exe /cli /subfolders", true,
                               [](RenameOptions& o) { o.includeSubfolders = true; }}),
    [](const auto& info) { return std::string(info.param.name); });

const int kExtLower = static_cast<int>(ExtCaseMode::Lowercase);
const int kExtUnchanged = static_cast<int>(ExtCaseMode::Unchanged);

INSTANTIATE_TEST_SUITE_P(
    ExtCase, CommandLineKeysTest,
    ::testing::Values(KeysCase{"Lower", u"c.exe /cli /extcase=lower", true,
                               [](RenameOptions& o) { o.extCase = kExtLower; }},
                      KeysCase{"UnchangedInCapitals", u"c.exe /cli /EXTCASE=Unchanged", true,
                               [](RenameOptions& o) { o.extCase = kExtUnchanged; }},
                      KeysCase{"UpperBesideNameCase", u"c.exe /cli /case=lower /extcase=upper",
                               true, [](RenameOptions& o) { o.caseMode = kLower; }},
                      KeysCase{"EmptyKeepsCurrent", u"c.exe /cli /extcase=", true, {}},
                      KeysCase{"UnknownKeepsCurrent", u"c.exe /cli /extcase=title", true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExtCaseModeFromTextTest, TakesOnlyItsThreeWords) {
  struct Row {
    const char16_t* text;
    std::optional<ExtCaseMode> mode;
  };
  const Row rows[] = {{u"unchanged", ExtCaseMode::Unchanged},
                      {u"LOWER", ExtCaseMode::Lowercase},
                      {u"Upper", ExtCaseMode::Uppercase},
                      {u"title", std::nullopt},
                      {u"lower ", std::nullopt},
                      {u"", std::nullopt},
                      {u"1", std::nullopt}};
  for (const Row& r : rows) {
    EXPECT_EQ(ExtCaseModeFromText(r.text), r.mode) << QString::fromUtf16(r.text).toStdString();
  }
}

TEST(CommandLineKeysWithPresetTest, AbsentKeysKeepThePresetValues) {
  EXPECT_EQ(ApplyCommandLineKeys({"/cli"}, CurrentOptions(), AbsentKeys::kKeepCurrent),
            CurrentOptions());
}

TEST(CommandLineKeysWithPresetTest, GivenKeysStillCount) {
  RenameOptions expected = CurrentOptions();
  expected.find = "";
  expected.newExt = "";
  expected.changeExt = false;
  expected.conflict = static_cast<int>(ConflictMode::Overwrite);
  expected.pattern = "p";
  EXPECT_EQ(
      ApplyCommandLineKeys({"/cli", "/find=", "/newext=", "/conflict=overwrite", "/pattern=p"},
                           CurrentOptions(), AbsentKeys::kKeepCurrent),
      expected);
}

TEST(PathArgumentsTest, KeepsOnlyWhatIsNeitherSwitchNorKnownValue) {
  const QStringList args{
      "/cli",      "/home/me/a.txt", "/dryrun",     "/Pattern=x", "/preset=p.json",
      "photos",    "/unknown",       "/subfolders", "/undo",      "/help",
      "/regex",    "/newext=",       "/pattern",    "-cli",       "/version",
      "--version", "--help",         "-h",          "--HELP"};
  EXPECT_EQ(PathArguments(args),
            QStringList({"/home/me/a.txt", "photos", "/unknown", "/pattern", "-cli", "--HELP"}));
}

}  // namespace
}  // namespace corvane
