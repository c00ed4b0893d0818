#include "cli/argument_check.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/temp_folder.h"

namespace corvane {

void PrintTo(const ArgumentFault& fault, std::ostream* os) {
  const char* kinds[] = {"unknown switch ", "not found ", "bad value "};
  *os << kinds[static_cast<int>(fault.kind)] << '"' << fault.argument.toStdString() << '"';
  if (fault.suggestion) *os << ", suggesting " << fault.suggestion->toStdString();
  if (!fault.key.isEmpty()) {
    *os << ", key " << fault.key.toStdString() << " value " << fault.value.toStdString();
  }
}

namespace {

using testing::TempFolder;

struct SuggestionCase {
  const char* arg;
  const char* suggestion;  // nullptr: none
};

TEST(SuggestedNameTest, NamesTheSwitchOrKeyThatIsClose) {
  const QString longArgument = "/" + QString(1000, u'x');
  const SuggestionCase cases[] = {
      // Another program's spelling, dashes and case.
      {"--dryrun", "/dryrun"},
      {"-dryrun", "/dryrun"},
      {"/dry-run", "/dryrun"},
      {"--Dry_Run", "/dryrun"},
      // One or two edits away.
      {"/dryrn", "/dryrun"},
      {"/drryun", "/dryrun"},
      {"/subfolder", "/subfolders"},
      {"/regx", "/regex"},
      {"/hlep", "/help"},
      {"--verison", "/version"},
      {"/cl", "/cli"},
      // Keys come with their "=", whatever followed the name.
      {"/patern=x", "/pattern="},
      {"/pattern", "/pattern="},
      {"--pattern={name}", "/pattern="},
      {"/conflcit=overwrite", "/conflict="},
      {"/cas=upper", "/case="},
      {"/fnd=a", "/find="},
      {"/newext", "/newext="},
      {"/extcse=lower", "/extcase="},
      {"--ext-case=upper", "/extcase="},
      // Only the name counts, not the value.
      {"/patern=dryrun", "/pattern="},
      {"/dryrun=yes", "/dryrun"},
      // Too far from every name, or too short to tell.
      {"-n", nullptr},
      {"/redo", nullptr},
      {"/recursive", nullptr},
      {"/dry", nullptr},
      {"/x", nullptr},
      {"--", nullptr},
      {"/=x", nullptr},
  };
  for (const SuggestionCase& c : cases) {
    const std::optional<QString> got = SuggestedName(QString::fromUtf8(c.arg));
    EXPECT_EQ(got ? got->toStdString() : "(none)", c.suggestion ? c.suggestion : "(none)") << c.arg;
  }
  EXPECT_EQ(SuggestedName(longArgument), std::nullopt);
}

// One command line in a fresh folder holding o/a.txt, real/g.txt, h.txt,
// a file named "--dryrun", the link lnk to real/sub and a link to nothing. In
// the arguments "@x" stands for the absolute path of x.
struct FaultCase {
  const char* name;
  QStringList args;
  std::optional<ArgumentFault> fault;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class FindArgumentFaultTest : public ::testing::TestWithParam<FaultCase> {};

const auto kUnknown = ArgumentFault::Kind::kUnknownSwitch;
const auto kNotFound = ArgumentFault::Kind::kFileNotFound;
const auto kBadValue = ArgumentFault::Kind::kBadValue;

TEST_P(FindArgumentFaultTest, FindsTheFirstArgumentThatNamesNothing) {
  const FaultCase& c = GetParam();
  TempFolder folder;
  folder.Create({"o/a.txt", "real/g.txt", "h.txt", "--dryrun"});
  folder.CreateFolder("real/sub");
  ASSERT_TRUE(QFile::link(folder.file("real/sub"), folder.file("lnk")));
  ASSERT_TRUE(QFile::link(folder.file("gone.txt"), folder.file("dangling")));
  const auto inFolder = [&](QString arg) {
    return arg.startsWith(u'@') ? folder.file(arg.mid(1)) : arg;
  };
  QStringList args;
  for (const QString& arg : c.args) args << inFolder(arg);
  std::optional<ArgumentFault> expected = c.fault;
  if (expected) expected->argument = inFolder(expected->argument);
  EXPECT_EQ(FindArgumentFault(args, folder.path(), RealFileSystem()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindArgumentFaultTest,
    ::testing::Values(
        FaultCase{"KnownNamesAndFiles",
                  {"/cli", "/DryRun", "/Pattern=x", "/find=", "/regex", "/undo", "/help",
                   "/version", "--help", "-h", "--version", "o/a.txt", "o", "@h.txt", "."},
                  std::nullopt},
        FaultCase{"MistypedSwitch",
                  {"/cli", "/dryrn", "o/a.txt"},
                  ArgumentFault{kUnknown, "/dryrn", "/dryrun"}},
        FaultCase{"KeyWithoutItsEquals",
                  {"/cli", "/pattern"},
                  ArgumentFault{kUnknown, "/pattern", "/pattern="}},
        FaultCase{"UnknownSwitchWithNothingClose",
                  {"/cli", "-n"},
                  ArgumentFault{kUnknown, "-n", std::nullopt}},
        FaultCase{"DashedCliIsNoSwitch", {"/cli", "-cli"}, ArgumentFault{kUnknown, "-cli", "/cli"}},
        FaultCase{"AFileNamedLikeASwitchIsAFile", {"/cli", "--dryrun"}, std::nullopt},
        FaultCase{"MissingRelativeFile",
                  {"/cli", "o/a.txt", "o/c.txt"},
                  ArgumentFault{kNotFound, "o/c.txt", std::nullopt}},
        FaultCase{"MissingAbsoluteFileIsNoSwitch",
                  {"/cli", "@o/c.txt"},
                  ArgumentFault{kNotFound, "@o/c.txt", std::nullopt}},
        FaultCase{"MissingFileBeginningWithADash",
                  {"/cli", "-draft/a.txt"},
                  ArgumentFault{kNotFound, "-draft/a.txt", std::nullopt}},
        FaultCase{"EmptyArgument", {"/cli", ""}, ArgumentFault{kNotFound, "", std::nullopt}},
        FaultCase{"LinkToNothing",
                  {"/cli", "dangling"},
                  ArgumentFault{kNotFound, "dangling", std::nullopt}},
        // "lnk/.." is real/, where g.txt lies and h.txt does not.
        FaultCase{"DotDotAfterALinkIsResolvedByTheSystem", {"/cli", "lnk/../g.txt"}, std::nullopt},
        FaultCase{"DotDotAfterALinkIsNotFoldedAsText",
                  {"/cli", "lnk/../h.txt"},
                  ArgumentFault{kNotFound, "lnk/../h.txt", std::nullopt}},
        FaultCase{"ExtCaseValuesInAnyLetterCase",
                  {"/cli", "/extcase=lower", "/EXTCASE=Upper", "/ExtCase=unchanged", "/extcase="},
                  std::nullopt},
        FaultCase{"ExtCaseValueItDoesNotTake",
                  {"/cli", "o/a.txt", "/extcase=title"},
                  ArgumentFault{kBadValue, "/extcase=title", std::nullopt, "extcase", "title"}},
        FaultCase{"ExtCaseValueReadWithoutItsQuotes",
                  {"/cli", "/ExtCase=\"low\""},
                  ArgumentFault{kBadValue, "/ExtCase=\"low\"", std::nullopt, "extcase", "low"}},
        FaultCase{"ABadValueBeforeAMissingFileCounts",
                  {"/cli", "/extcase=x", "o/c.txt"},
                  ArgumentFault{kBadValue, "/extcase=x", std::nullopt, "extcase", "x"}},
        FaultCase{"FirstFaultCounts",
                  {"/cli", "o/c.txt", "--dryrn"},
                  ArgumentFault{kNotFound, "o/c.txt", std::nullopt}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FaultLinesTest, NamesTheArgumentAndTheSuggestion) {
  EXPECT_EQ(FaultLines({kUnknown, "--dryrun", "/dryrun"}),
            QStringList({"Unknown switch: --dryrun", "Did you mean /dryrun?"}));
  EXPECT_EQ(FaultLines({kUnknown, "-n", std::nullopt}), QStringList({"Unknown switch: -n"}));
  EXPECT_EQ(FaultLines({kNotFound, "o/c.txt", std::nullopt}),
            QStringList({"File not found: o/c.txt"}));
  EXPECT_EQ(
      FaultLines({kBadValue, "/EXTCASE=Title", std::nullopt, "extcase", "Title"}),
      QStringList({"Unknown value for /extcase: Title", "Choose one of: unchanged, lower, upper"}));
}

}  // namespace
}  // namespace corvane
