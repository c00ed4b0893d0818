#include "engine/new_name.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

// 17 October 2026, 14:07:09 UTC.
QDateTime FixedNow() { return QDateTime(QDate(2026, 10, 17), QTime(14, 7, 9), QTimeZone::utc()); }

TRenameItem Item(const QString& path) {
  TRenameItem item;
  AssignPath(item, path);
  item.Size = 123456;
  item.CreatedUtc = QDateTime(QDate(2025, 12, 31), QTime(23, 30), QTimeZone::utc());
  item.ModifiedUtc = QDateTime(QDate(2025, 3, 2), QTime(9, 5, 3), QTimeZone::utc());
  return item;
}

struct NameCase {
  const char* label;
  const char16_t* path;
  std::function<void(RenameOptions&)> set;
  const char16_t* expected;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.label; }
std::string CaseName(const ::testing::TestParamInfo<NameCase>& info) { return info.param.label; }

class NewNameTest : public ::testing::TestWithParam<NameCase> {};

// Every case runs in a zone one hour ahead of UTC, with counter text 001.
TEST_P(NewNameTest, Builds) {
  const NameCase& c = GetParam();
  RenameOptions options;
  c.set(options);
  const EngineContext context = EngineContext::Fixed(FixedNow(), QTimeZone(3600));
  Result<QString> name =
      ComputeNewName(Item(QString::fromUtf16(c.path)), options, QStringLiteral("001"), context);
  ASSERT_TRUE(name.ok()) << name.error().message().toStdString();
  EXPECT_EQ(*name, QString::fromUtf16(c.expected));
}

using O = RenameOptions;

const NameCase kCases[] = {
    NameCase{"DefaultPattern", u"/p/photo.jpg", [](O&) {}, u"photo.jpg"},
    NameCase{"EmptyPatternKeepsExtension", u"/p/photo.jpg", [](O& o) { o.pattern = ""; }, u".jpg"},
    NameCase{"EmptyPatternNoExtension", u"/p/photo.jpg",
             [](O& o) {
               o.pattern = "";
               o.changeExt = true;
             },
             u""},
    NameCase{"PatternNotTrimmed", u"/p/photo.jpg", [](O& o) { o.pattern = " {name} "; },
             u" photo .jpg"},
    // 1. and 3. name edits, and the keywords with arguments that use the unedited name
    NameCase{"NameEditsOnlyInName", u"/p/Holiday2023.jpg",
             [](O& o) {
               o.removeFirst = "2";
               o.pattern = "{name}-{name:1:3}";
             },
             u"liday2023-Hol.jpg"},
    NameCase{"FormattedDateInZone", u"/p/a.txt",
             [](O& o) { o.pattern = "{date:yyyy-mm-dd}_{created:yyyy}"; }, u"2026-10-17_2026.txt"},
    // 4. plain keywords
    NameCase{"CounterAndName", u"/p/photo.jpg", [](O& o) { o.pattern = "{counter}_{name}"; },
             u"001_photo.jpg"},
    NameCase{"KeywordsInAnyCase", u"/p/photo.jpg",
             [](O& o) { o.pattern = "{NAME}_{Counter}_{eXt}"; }, u"photo_001_jpg.jpg"},
    NameCase{"UnknownBracesStay", u"/p/photo.jpg", [](O& o) { o.pattern = "{foo}{name"; },
             u"{foo}{name.jpg"},
    NameCase{"UnknownFormWithColon", u"/p/photo.jpg", [](O& o) { o.pattern = "{foo:bar}"; },
             u"{foo_bar}.jpg"},
    NameCase{"OnlyAsciiLettersFoldForKeywords", u"/p/photo.jpg",
             [](O& o) { o.pattern = QString::fromUtf16(u"{ſize}"); }, u"{ſize}.jpg"},
    NameCase{"ListIsEmpty", u"/p/photo.jpg", [](O& o) { o.pattern = "a{list}b"; }, u"ab.jpg"},
    NameCase{"ExtensionWord", u"/p/photo.tar.gz", [](O& o) { o.pattern = "{ext}"; }, u"gz.gz"},
    NameCase{"ExtensionWordEmpty", u"/p/README", [](O& o) { o.pattern = "[{ext}]"; }, u"[]"},
    NameCase{"DateAndTimeOfTheClockInZone", u"/p/a.txt", [](O& o) { o.pattern = "{date}_{time}"; },
             u"20261017_150709.txt"},
    NameCase{"ItemDatesInZone", u"/p/a.txt", [](O& o) { o.pattern = "{created}_{modified}"; },
             u"20260101_20250302.txt"},
    NameCase{"ParentAndFolder", u"/p/holiday/a.txt", [](O& o) { o.pattern = "{parent}-{folder}"; },
             u"holiday-holiday.txt"},
    NameCase{"ParentOfRootFileIsEmpty", u"/a.txt", [](O& o) { o.pattern = "[{parent}]"; },
             u"[].txt"},
    NameCase{"Size", u"/p/a.txt", [](O& o) { o.pattern = "{size}"; }, u"123456.txt"},
    NameCase{"LaterKeywordInsideInsertedName", u"/p/a{ext}b.txt", [](O&) {}, u"atxtb.txt"},
    NameCase{"SameKeywordNotSearchedAgain", u"/p/x{NAME}y.txt", [](O&) {}, u"x{NAME}y.txt"},
    NameCase{"EarlierKeywordNotInsideLaterText", u"/{name}/a.txt",
             [](O& o) { o.pattern = "{parent}"; }, u"{name}.txt"},
    // 5. find and replace on the expanded pattern, before the extension
    NameCase{"ReplaceActsOnExpandedPattern", u"/p/photo.jpg",
             [](O& o) {
               o.pattern = "{counter}_{name}";
               o.find = "_";
               o.replace = "-";
             },
             u"001-photo.jpg"},
    NameCase{"ReplaceIsCaseSensitive", u"/p/Banana.txt",
             [](O& o) {
               o.find = "a";
               o.replace = "b";
             },
             u"Bbnbnb.txt"},
    NameCase{"ReplaceLeavesExtension", u"/p/photo.jpg",
             [](O& o) {
               o.find = "jpg";
               o.replace = "x";
               o.pattern = "{ext}";
             },
             u"x.jpg"},
    NameCase{"RegexGroup", u"/p/IMG_1234.jpg",
             [](O& o) {
               o.regex = true;
               o.find = "(\\d+)";
               o.replace = "[$1]";
             },
             u"IMG_[1234].jpg"},
    NameCase{"RegexUpperRuns", u"/p/photo_abc.jpg",
             [](O& o) {
               o.regex = true;
               o.find = "([a-z]+)";
               o.replace = "\\U1";
             },
             u"PHOTO_ABC.jpg"},
    NameCase{"RegexEmptyMatchesOnly", u"/p/photo.jpg",
             [](O& o) {
               o.regex = true;
               o.find = "x*";
               o.replace = "-";
             },
             u"photo.jpg"},
    // 6. letter case, before the extension is attached
    NameCase{"Lowercase", u"/p/PHOTO.JPG", [](O& o) { o.caseMode = 1; }, u"photo.JPG"},
    NameCase{"Uppercase", u"/p/photo.jpg", [](O& o) { o.caseMode = 2; }, u"PHOTO.jpg"},
    NameCase{"TitleCase", u"/p/hello WORLD-again.txt", [](O& o) { o.caseMode = 3; },
             u"Hello World-Again.txt"},
    NameCase{"TitleCaseApostrophe", u"/p/o'neil.txt", [](O& o) { o.caseMode = 3; }, u"O'Neil.txt"},
    NameCase{"TitleCaseDigits", u"/p/2nd place.txt", [](O& o) { o.caseMode = 3; },
             u"2nd Place.txt"},
    NameCase{"TitleCaseNonAscii", u"/p/élan vital.txt", [](O& o) { o.caseMode = 3; },
             u"éLan Vital.txt"},
    NameCase{"CaseAfterReplace", u"/p/abc.txt",
             [](O& o) {
               o.regex = true;
               o.find = "(b)";
               o.replace = "\\U1";
               o.caseMode = 1;
             },
             u"abc.txt"},
    NameCase{"NoCaseSelected", u"/p/MiXed.txt", [](O& o) { o.caseMode = -1; }, u"MiXed.txt"},
    // 7. extension
    NameCase{"NewExtension", u"/p/photo.jpg",
             [](O& o) {
               o.changeExt = true;
               o.newExt = "png";
             },
             u"photo.png"},
    NameCase{"NewExtensionWithDot", u"/p/photo.jpg",
             [](O& o) {
               o.changeExt = true;
               o.newExt = ".png";
             },
             u"photo.png"},
    NameCase{"NewExtensionPadded", u"/p/photo.jpg",
             [](O& o) {
               o.changeExt = true;
               o.newExt = " \tpng  ";
             },
             u"photo.png"},
    NameCase{"NewExtensionEmpty", u"/p/photo.jpg",
             [](O& o) {
               o.changeExt = true;
               o.newExt = "  ";
             },
             u"photo"},
    NameCase{"NewExtensionIgnoredWhenOff", u"/p/photo.jpg", [](O& o) { o.newExt = "png"; },
             u"photo.jpg"},
    NameCase{"ExtensionNotCased", u"/p/photo.JPG",
             [](O& o) {
               o.caseMode = 1;
               o.changeExt = true;
               o.newExt = "PNG";
             },
             u"photo.PNG"},
    // 8. forbidden characters
    NameCase{"ForbiddenFromReplacement", u"/p/photo.jpg",
             [](O& o) {
               o.find = "o";
               o.replace = "/?";
             },
             u"ph__t__.jpg"},
    NameCase{"ForbiddenFromTimeSeparator", u"/p/a.txt", [](O& o) { o.pattern = "{time:hh:nn}"; },
             u"15_07.txt"},
    NameCase{"AllNineForbidden", u"/p/a.txt", [](O& o) { o.pattern = "<>:\"/\\|?*"; },
             u"_________.txt"},
    NameCase{"ForbiddenInExtension", u"/p/a.txt",
             [](O& o) {
               o.changeExt = true;
               o.newExt = "t|t";
             },
             u"a.t_t"},
    // A Linux name's bytes that are not UTF-8 stand for themselves as lone
    // surrogates U+DC80 to U+DCFF; every step keeps them where they are.
    NameCase{"EscapedBytesInLowercase", u"/p/CAF\xDCE9 X.TXT", [](O& o) { o.caseMode = 1; },
             u"caf\xDCE9 x.TXT"},
    NameCase{"EscapedBytesInUppercase", u"/p/caf\xDCE9 x\xDCFF.txt", [](O& o) { o.caseMode = 2; },
             u"CAF\xDCE9 X\xDCFF.txt"},
    NameCase{"EscapedBytesBreakTitleCaseWords", u"/p/caf\xDCE9x y.txt",
             [](O& o) { o.caseMode = 3; }, u"Caf\xDCE9X Y.txt"},
    NameCase{"EscapedBytesInNameEdits", u"/p/abc\xDCE9\xDCFF_7.bin",
             [](O& o) {
               o.removeFirst = "3";
               o.insertText = "-";
               o.insertPos = "2";
               o.padNumbers = "3";
             },
             u"\xDCE9-\xDCFF_007.bin"},
    NameCase{"EscapedBytesInANamePiece", u"/p/a\xDCE9\xDCFFz.txt",
             [](O& o) { o.pattern = "{name:2:2}|{counter}"; }, u"\xDCE9\xDCFF_001.txt"},
    NameCase{"EscapedBytesInPlainReplace", u"/p/caf\xDCE9.txt",
             [](O& o) {
               o.find = "f";
               o.replace = "F";
             },
             u"caF\xDCE9.txt"},
    // Invalid UTF-16 matches no item of an expression, not even ".".
    NameCase{"EscapedBytesStayOutsideRegexMatches", u"/p/xy\xDCE9z.txt",
             [](O& o) {
               o.regex = true;
               o.find = ".";
               o.replace = "[$0]";
             },
             u"[x][y]\xDCE9[z].txt"},
};

INSTANTIATE_TEST_SUITE_P(Steps, NewNameTest, ::testing::ValuesIn(kCases), CaseName);

TEST(ComputeNewNameTest, InvalidExpressionEndsWithItsError) {
  RenameOptions options;
  options.regex = true;
  options.find = "(";
  const EngineContext context = EngineContext::Fixed(FixedNow(), QTimeZone::utc());
  Result<QString> name = ComputeNewName(Item("/p/photo.jpg"), options, "001", context);
  ASSERT_FALSE(name.ok());
  EXPECT_EQ(name.error().code(), Error::Code::kRegex);
  EXPECT_EQ(name.error().message(),
            "Error in regular expression at offset 1: missing closing parenthesis");
}

TEST(ComputeNewNameTest, ExpressionTooComplexForTheNameEndsWithAnErrorNamingTheFile) {
  RenameOptions options;
  options.regex = true;
  options.find = "(\\w+)+$";
  const EngineContext context = EngineContext::Fixed(FixedNow(), QTimeZone::utc());
  const QString path = "/p/" + QString(400, u'w') + "-.txt";
  Result<QString> name = ComputeNewName(Item(path), options, "001", context);
  ASSERT_FALSE(name.ok());
  EXPECT_EQ(name.error().code(), Error::Code::kRegex);
  EXPECT_EQ(name.error().message(), "Regular expression too complex for " + path);
}

// {date} and {time} each read the clock when they are replaced, in the order
// of the keyword table ({date} first), whatever their order in the pattern.
TEST(ComputeNewNameTest, EachDateKeywordReadsTheClockAnew) {
  EngineContext context = EngineContext::Fixed(FixedNow(), QTimeZone::utc());
  int readings = 0;
  const QDateTime first(QDate(2026, 10, 17), QTime(23, 59, 59), QTimeZone::utc());
  context.nowUtc = [&readings, first] { return first.addSecs(readings++); };
  RenameOptions options;
  options.pattern = "{time}-{date}-{time}";
  Result<QString> name = ComputeNewName(Item("/p/a.txt"), options, "001", context);
  ASSERT_TRUE(name.ok());
  EXPECT_EQ(*name, "000000-20261017-000000.txt");
  EXPECT_EQ(readings, 2);
}

TEST(ComputeNewNameTest, UnreadableItemTimesWriteTheZeroDate) {
  TRenameItem item = Item("/p/a.txt");
  item.CreatedUtc = ZeroTime();
  item.ModifiedUtc = QDateTime();
  RenameOptions options;
  options.pattern = "{created}_{modified}";
  const EngineContext context = EngineContext::Fixed(FixedNow(), QTimeZone::utc());
  Result<QString> name = ComputeNewName(item, options, "001", context);
  ASSERT_TRUE(name.ok());
  EXPECT_EQ(*name, "18991230_18991230.txt");
}

// A builder prepared once gives every item its own name.
TEST(NewNameBuilderTest, ServesManyItems) {
  RenameOptions options;
  options.pattern = "{counter}_{name}";
  options.regex = true;
  options.find = "(\\d+)";
  options.replace = "[$1]";
  options.caseMode = 2;
  const EngineContext context = EngineContext::Fixed(FixedNow(), QTimeZone::utc());
  Result<NewNameBuilder> builder = NewNameBuilder::Create(options, context);
  ASSERT_TRUE(builder.ok());
  EXPECT_EQ(builder->Compute(Item("/p/img7.jpg"), "01").value(), "[01]_IMG[7].jpg");
  EXPECT_EQ(builder->Compute(Item("/p/b.png"), "02").value(), "[02]_B.png");
}

}  // namespace
}  // namespace corvane
