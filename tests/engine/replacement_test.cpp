// The replacement syntax of regular-expression find and replace, one named
// row per sequence, run through FindReplace as a preview runs it.
#include "engine/find_replace.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct ReplacementCase {
  const char* name;
  const char16_t* find;
  const char16_t* replace;
  const char16_t* text;
  const char16_t* expected;
};

void PrintTo(const ReplacementCase& c, std::ostream* os) { *os << c.name; }

class ReplacementTest : public ::testing::TestWithParam<ReplacementCase> {};

TEST_P(ReplacementTest, ExpandsSequence) {
  const ReplacementCase& c = GetParam();
  RenameOptions options;
  options.regex = true;
  options.find = QString::fromUtf16(c.find);
  options.replace = QString::fromUtf16(c.replace);
  Result<FindReplace> step = FindReplace::Create(options, QLocale::c());
  ASSERT_TRUE(step.ok()) << step.error().message().toStdString();
  QString text = QString::fromUtf16(c.text);
  ASSERT_TRUE(step->Apply(text));
  EXPECT_EQ(text, QString::fromUtf16(c.expected));
}

constexpr char16_t kTwelveGroups[] = u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)";

const ReplacementCase kCases[] = {
    {"DoubleDollar", u"b", u"<$$>", u"abc", u"a<$>c"},
    {"DoubleBackslash", u"b", u"<\\\\>", u"abc", u"a<\\>c"},
    {"BackslashDollar", u"b", u"<\\$>", u"abc", u"a<$>c"},
    {"DollarDigit", u"(b)(c)", u"[$2$1]", u"abcd", u"a[cb]d"},
    {"BackslashDigit", u"(b)(c)", u"[\\2\\1]", u"abcd", u"a[cb]d"},
    {"GroupZeroIsWholeMatch", u"b(c)", u"[$0]", u"abcd", u"a[bc]d"},
    {"TwoDigitsWhenMatchHasTheGroup", kTwelveGroups, u"$12", u"abcdefghijkl", u"l"},
    {"TwoDigitsBackslash", kTwelveGroups, u"\\11", u"abcdefghijkl", u"k"},
    {"OneDigitWhenGroupTooHigh", kTwelveGroups, u"$13", u"abcdefghijkl", u"a3"},
    {"OneDigitWithFewGroups", u"(a)(b)", u"$12", u"ab", u"a2"},
    {"OneDigitWhenHighGroupUnset", u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(x)?", u"$11|$10", u"abcdefghij",
     u"a1|j"},
    {"BracedNumber", u"(a)(b)", u"${2}${1}0", u"ab", u"ba0"},
    {"BracedNumberTooHigh", u"(a)(b)", u"<${12}>", u"ab", u"<>"},
    {"BracedHugeNumber", u"(a)", u"<${99999999999999}>", u"a", u"<>"},
    {"BracedName", u"(?<first>a)(?<second_2>b)", u"${second_2}${first}", u"ab", u"ba"},
    {"BracedUnknownNameStays", u"(?<first>a)", u"${nope}${first}", u"a", u"${nope}a"},
    {"BracedMalformedStays", u"(a)", u"${1x}${}${", u"a", u"${1x}${}${"},
    {"AngleName", u"(?<first>a)(?<second>b)", u"\\g<second>\\g<first>", u"ab", u"ba"},
    {"AngleUnknownNameInsertsNothing", u"(?<first>a)", u"<\\g<nope>>", u"a", u"<>"},
    {"AngleNameWithDigitStays", u"(?<n1>a)", u"\\g<n1>", u"a", u"\\g<n1>"},
    {"WholeMatch", u"b", u"[$&\\&]", u"abc", u"a[bb]c"},
    {"LastSetGroup", u"(x)?(b)(c)?", u"[$+\\+]", u"abd", u"a[bb]d"},
    {"LastGroupWithoutGroupsIsMatch", u"b", u"[$+]", u"abc", u"a[b]c"},
    {"TextBefore", u"c", u"[$`\\`]", u"abcd", u"ab[abab]d"},
    {"TextAfter", u"b", u"[$'\\']", u"abcd", u"a[cdcd]cd"},
    {"WholeText", u"b", u"[$_]", u"abc", u"a[abc]c"},
    {"TextBeforeSeesEarlierReplacements", u"b", u"$`", u"abab", u"aaaaaa"},
    {"WholeTextSeesEarlierReplacements", u"b", u"$_", u"abab", u"aababaaababab"},
    {"Lower", u"(.+)", u"\\L1", u"hELLO wORLD", u"hello world"},
    {"Upper", u"(.+)", u"\\U1", u"hELLO wORLD", u"HELLO WORLD"},
    {"UpperSmallLetter", u"(.+)", u"\\u1", u"hELLO wORLD", u"HELLO WORLD"},
    {"FirstCapital", u"(.+)", u"\\F1", u"hELLO wORLD", u"Hello world"},
    {"FirstCapitalKeepsNonAsciiFirst", u"(.+)", u"\\f1", u"éCOLE", u"école"},
    {"InitialCapitals", u"(.+)", u"\\I1", u"hELLO wORLD", u"Hello World"},
    {"InitialCapitalsWordStarts", u"(.+)", u"\\I1", u"o'neil-mc(x)y.z", u"O'neil-Mc(X)y.Z"},
    {"InitialCapitalsApostropheAtWordStart", u"(.+)", u"\\i1", u"x 'ab", u"X 'Ab"},
    {"CaseWithTwoDigits", kTwelveGroups, u"\\U12", u"abcdefghijkl", u"L"},
    {"CaseWithoutDigitStays", u"b", u"\\Lx\\U", u"abc", u"a\\Lx\\Uc"},
    {"LoneTrailingDollar", u"b", u"x$", u"abc", u"ax$c"},
    {"LoneTrailingBackslash", u"b", u"x\\", u"abc", u"ax\\c"},
    {"OtherSequencesStay", u"b", u"\\q$q\\_", u"abc", u"a\\q$q\\_c"},
    {"DollarBeforeBackslashReference", u"(b)", u"$\\1", u"abc", u"a$bc"},
    {"UnsetGroupInsertsNothing", u"(x)?b", u"[$1]", u"abc", u"a[]c"},
    {"MissingGroupInsertsNothing", u"(b)", u"[$9]", u"abc", u"a[]c"},
    {"EmptyMatchesNotReplaced", u"x*", u"-", u"abc", u"abc"},
    {"OnlyNonEmptyMatchesReplaced", u"x*", u"-", u"axxb", u"a-b"},
    {"LookBehindSeesEarlierReplacements", u"(?<=X)a|^a", u"X", u"aaa", u"XXX"},
    {"AsciiWordClass", u"\\w+", u"[$&]", u"é1", u"é[1]"},
    {"CaseSensitive", u"a", u"b", u"Banana", u"Bbnbnb"},
    {"ExampleDigits", u"(\\d+)", u"[$1]", u"IMG_1234", u"IMG_[1234]"},
    {"ExampleUpperRuns", u"([a-z]+)", u"\\U1", u"photo_abc", u"PHOTO_ABC"},
};

INSTANTIATE_TEST_SUITE_P(Sequences, ReplacementTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
