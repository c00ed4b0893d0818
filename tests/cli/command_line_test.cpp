#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <string_view>

namespace corvane {
namespace {

using namespace std::string_view_literals;

struct SplitCase {
  const char* name;
  std::u16string_view raw;
  QStringList expected;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitWindowsCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitWindowsCommandLineTest, Splits) {
  EXPECT_EQ(SplitWindowsCommandLine(QStringView(GetParam().raw)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitWindowsCommandLineTest,
    ::testing::Values(
        SplitCase{"Empty", u"", {}}, SplitCase{"ProgramOnly", u"corvane.exe", {"corvane.exe"}},
        SplitCase{"QuotedProgramPath",
                  u"\"C:\\Program Files\\Corvane\\corvane.exe\" /cli",
                  {"C:\\Program Files\\Corvane\\corvane.exe", "/cli"}},
        SplitCase{"QuotedPatternWithSpace",
                  u"corvane.exe /cli \"/pattern={name} copy\"",
                  {"corvane.exe", "/cli", "/pattern={name} copy"}},
        SplitCase{"UnquotedPatternWithSpace",
                  u"corvane.exe /cli /pattern={name} copy",
                  {"corvane.exe", "/cli", "/pattern={name}", "copy"}},
        SplitCase{"QuoteInsideArgument",
                  u"corvane.exe /pattern=\"{name} copy\"x",
                  {"corvane.exe", "/pattern={name} copyx"}},
        SplitCase{"ControlCharactersSeparate",
                  u"a\tb\x01"
                  u"c\r\nd",
                  {"a", "b", "c", "d"}},
        SplitCase{"RunsOfSeparators", u"  a   b  ", {"a", "b"}},
        SplitCase{"TwoQuotesBeforeArgumentPassedOver", u"a \"\" b \"\"\"\"c", {"a", "b", "c"}},
        SplitCase{"TwoQuotesInsideArgumentRemoved", u"a b\"\"c", {"a", "bc"}},
        SplitCase{"UnclosedQuoteRunsToEnd", u"a \"b c", {"a", "b c"}},
        SplitCase{"LoneQuoteAtEndGivesNothing", u"a \"", {"a"}},
        SplitCase{"NoEscapeCharacter", u"a \\\"b c\"", {"a", "\\b c"}},
        SplitCase{"NulEndsTheLine", u"a b\0c d"sv, {"a", "b"}},
        SplitCase{"NonBreakingSpaceIsNoSeparator", u"a\u00a0b", {"a\u00a0b"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SwitchCase {
  const char* name;
  QStringList args;
  bool expected;
};

void PrintTo(const SwitchCase& c, std::ostream* os) { *os << c.name; }

class HasSwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(HasSwitchTest, FindsTheSwitchCli) {
  EXPECT_EQ(HasSwitch(GetParam().args, u"cli"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HasSwitchTest,
    ::testing::Values(SwitchCase{"NoArguments", {}, false},
                      SwitchCase{"NoCliAmongOthers", {"/pattern=x", "/dryrun"}, false},
                      SwitchCase{"Lower", {"/cli"}, true}, SwitchCase{"Upper", {"/CLI"}, true},
                      SwitchCase{"Mixed", {"a.txt", "/Cli"}, true},
                      SwitchCase{"WithValue", {"/cli=yes"}, false},
                      SwitchCase{"Dash", {"-cli"}, false}, SwitchCase{"Bare", {"cli"}, false},
                      SwitchCase{"TrailingSpace", {"/cli "}, false},
                      // Only A to Z fold: a dotless i is another letter.
                      SwitchCase{"NonAsciiLetter", {QString::fromUtf8("/clı")}, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct ValueCase {
  const char* name;
  QStringList args;
  const char* key;
  std::optional<QString> expected;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class FindSwitchValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(FindSwitchValueTest, ReadsTheFirstValue) {
  const ValueCase& c = GetParam();
  EXPECT_EQ(FindSwitchValue(c.args, QString::fromLatin1(c.key)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindSwitchValueTest,
    ::testing::Values(ValueCase{"Absent", {"/cli"}, "pattern", std::nullopt},
                      ValueCase{"Plain", {"/cli", "/pattern=x"}, "pattern", "x"},
                      ValueCase{"KeyInOtherCase", {"/Pattern=x"}, "pattern", "x"},
                      ValueCase{"ValueKeepsItsCase", {"/PATTERN=AbC"}, "pattern", "AbC"},
                      ValueCase{"WithoutEquals", {"/pattern"}, "pattern", std::nullopt},
                      ValueCase{"AfterTheFirstEquals", {"/find=a=b"}, "find", "a=b"},
                      ValueCase{"FirstOfTwoCounts", {"/find=a", "/find=b"}, "find", "a"},
                      ValueCase{"Empty", {"/newext="}, "newext", ""},
                      ValueCase{"QuotesStrippedAtBothEnds", {"/find=\"\"a\"b\"\""}, "find", "a\"b"},
                      ValueCase{"OnlyQuotes", {"/find=\"\"\""}, "find", ""},
                      ValueCase{"PrefixOfAnotherKey", {"/patterns=x"}, "pattern", std::nullopt},
                      ValueCase{"DashIsNoValue", {"-pattern=x"}, "pattern", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

#ifndef Q_OS_WIN
// The shell hands over bytes; a file name among them that is not UTF-8 must
// name that file (platform/native_name.h), the program's own path is left out.
TEST(ProgramArgumentsTest, DecodesEachArgumentAsANameAfterTheProgramPath) {
  const char* const argv[] = {
      "/usr/bin/corvane", "/cli", "/pattern=caf\xC3\xA9", "/tmp/caf\xE9.txt", "\xFF\xFE",
      "\xEF\xBF\xBD",     nullptr};
  EXPECT_EQ(ProgramArguments(6, argv),
            QStringList({"/cli", QString::fromUtf16(u"/pattern=caf\u00E9"),
                         QString::fromUtf16(u"/tmp/caf\xDCE9.txt"),
                         QString::fromUtf16(u"\xDCFF\xDCFE"), QString::fromUtf16(u"\uFFFD")}));
  EXPECT_EQ(ProgramArguments(1, argv), QStringList());
}
#endif

TEST(GetSwitchValueTest, GivesTheFallbackOnlyWhenNoArgumentCarriesTheKey) {
  EXPECT_EQ(GetSwitchValue({"/cli"}, u"start", "7"), "7");
  EXPECT_EQ(GetSwitchValue({"/start="}, u"start", "7"), "");
  EXPECT_EQ(GetSwitchValue({"/START=12"}, u"start", "7"), "12");
}

}  // namespace
}  // namespace corvane
