#include "presets/preset_file.h"

#include "preset_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(WritePresetTest, StartValuesGiveTheExactFile) {
  const QByteArray bytes = WritePreset(RenameOptions());
  EXPECT_EQ(bytes, kStartValuesFile);
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
  EXPECT_TRUE(bytes.endsWith("}\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), 28);
  EXPECT_EQ(bytes.count('\n'), 28);
}

TEST(WritePresetTest, EscapesOnlyBackslashAndQuoteAndWritesNoSelectionAsMinusOne) {
  RenameOptions o;
  o.find = u"a\\b\"c\td\u00e9\\"_s;
  o.counterStart = u"1\"2"_s;
  o.caseMode = kNoSelection;
  o.changeExt = true;
  const QByteArray bytes = WritePreset(o);
  EXPECT_TRUE(bytes.contains("\r\n\"find\":\"a\\\\b\\\"c\td\xC3\xA9\\\\\",\r\n")) << bytes.data();
  EXPECT_TRUE(bytes.contains("\r\n\"counterStart\":\"1\\\"2\",\r\n")) << bytes.data();
  EXPECT_TRUE(bytes.contains("\r\n\"case\":-1,\r\n")) << bytes.data();
  EXPECT_TRUE(bytes.contains("\r\n\"changeExt\":true,\r\n")) << bytes.data();
}

// Every field differs between the two sets, so a field the writer or the
// reader drops shows up whichever set is read over the other.
RenameOptions Awkward() {
  RenameOptions o;
  o.find = u"back\\slash \"quoted\" tab\there \u00e9\u65e5\u672c"_s;
  o.replace = u"ends in a backslash\\"_s;
  o.regex = true;
  o.pattern = u"{name} \"pattern\":\"x\" %1 %2 \\\\"_s;
  o.counterStart = u"1\"2\\"_s;
  o.digits = u"\t7 "_s;
  o.caseMode = kNoSelection;
  o.changeExt = true;
  o.newExt = u".t\u00e4r"_s;
  o.conflict = 0;
  o.insertText = u"two\r\nlines"_s;
  o.insertPos = u"$1F"_s;
  o.removeFirst = u"-3"_s;
  o.removeLast = u"abc"_s;
  o.removeFromPos = u" 2 "_s;
  o.removeTillPos = u"\\"_s;
  o.charactersToRemove = u"\\\""_s;
  o.collapseDoubleSpaces = true;
  o.cropBefore = u"}"_s;
  o.cropAfter = u","_s;
  o.padNumbers = u"\U0001F600"_s;
  o.includeSubfolders = true;
  o.batchMode = 2;
  o.destination = u"C:\\Temp\\"_s;
  o.touchModifiedNow = true;
  o.extCase = 2;
  return o;
}

RenameOptions AllEmptyAndOff() {
  RenameOptions o;
  o.pattern = o.counterStart = o.digits = o.insertPos = u""_s;
  o.removeFirst = o.removeLast = o.removeFromPos = o.removeTillPos = o.padNumbers = u""_s;
  o.caseMode = 3;
  o.conflict = 1;
  o.batchMode = 1;
  o.extCase = kNoSelection;
  return o;
}

TEST(PresetRoundTripTest, EveryFieldComesBackFromTheFile) {
  EXPECT_EQ(ReadPreset(WritePreset(Awkward()), AllEmptyAndOff()), Awkward());
  EXPECT_EQ(ReadPreset(WritePreset(AllEmptyAndOff()), Awkward()), AllEmptyAndOff());
}

// The options in place before a hand-made file is read: every check box on
// except changeExt, so that the rule for missing check boxes shows.
RenameOptions Current() {
  RenameOptions o;
  o.find = u"old find"_s;
  o.replace = u"old replace"_s;
  o.regex = true;
  o.pattern = u"{name}-old"_s;
  o.counterStart = u"5"_s;
  o.digits = u"4"_s;
  o.caseMode = 1;
  o.changeExt = false;
  o.newExt = u".old"_s;
  o.conflict = 0;
  o.insertText = u"ins"_s;
  o.insertPos = u"2"_s;
  o.removeFirst = u"1"_s;
  o.removeLast = u"1"_s;
  o.removeFromPos = u"3"_s;
  o.removeTillPos = u"4"_s;
  o.charactersToRemove = u"#"_s;
  o.collapseDoubleSpaces = true;
  o.cropBefore = u"["_s;
  o.cropAfter = u"]"_s;
  o.padNumbers = u"2"_s;
  o.includeSubfolders = true;
  o.batchMode = 1;
  o.destination = u"/old"_s;
  o.touchModifiedNow = true;
  o.extCase = 1;
  return o;
}

// Current() after a file without any key: texts and choices kept, missing
// check boxes off, a missing changeExt on, a missing extCase unchanged (as
// files written before it existed renamed).
RenameOptions NothingFound() {
  RenameOptions o = Current();
  o.regex = false;
  o.changeExt = true;
  o.extCase = 0;
  o.collapseDoubleSpaces = false;
  o.includeSubfolders = false;
  o.touchModifiedNow = false;
  return o;
}

struct HandMadeCase {
  const char* name;
  const char* file;
  std::function<void(RenameOptions&)> change;  // applied to NothingFound()
};

void PrintTo(const HandMadeCase& c, std::ostream* os) { *os << c.name; }

class HandMadePresetTest : public ::testing::TestWithParam<HandMadeCase> {};

TEST_P(HandMadePresetTest, Reads) {
  const HandMadeCase& c = GetParam();
  RenameOptions expected = NothingFound();
  c.change(expected);
  EXPECT_EQ(ReadPreset(QByteArrayView(c.file), Current()), expected) << c.file;
}

const HandMadeCase kHandMadeCases[] = {
    {"NoKeys", "just some text, {not: a preset}", [](RenameOptions&) {}},
    {"EmptyFile", "", [](RenameOptions&) {}},
    {"SpaceBeforeColonIsNoMatch", "{\"pattern\" :\"x\"}", [](RenameOptions&) {}},
    {"KeysAreCaseSensitive", "{\"Find\":\"x\",\"REGEX\":true}", [](RenameOptions&) {}},
    {"SpaceAfterColonIsAllowed", "{\"pattern\": \t\r\n \"x\"}",
     [](RenameOptions& o) { o.pattern = u"x"_s; }},
    {"FirstOccurrenceWins", "{\"find\":\"see \"pattern\":\"one\"\",\"pattern\":\"two\"}",
     [](RenameOptions& o) {
       o.find = u"see "_s;
       o.pattern = u"one"_s;
     }},
    {"EscapedQuotesHideAKey", "{\"find\":\"a\\\"pattern\\\":\\\"b\",\"pattern\":\"two\"}",
     [](RenameOptions& o) {
       o.find = u"a\"pattern\":\"b"_s;
       o.pattern = u"two"_s;
     }},
    {"OrderAndNestingDoNotMatter", "[{\"x\":{\"case\":3}}, \"find\":\"f\"]",
     [](RenameOptions& o) {
       o.caseMode = 3;
       o.find = u"f"_s;
     }},
    {"StringFeedsBoolean", "{\"regex\":\"true\",\"touchModifiedNow\":\"tRuE\"}",
     [](RenameOptions& o) {
       o.regex = true;
       o.touchModifiedNow = true;
     }},
    {"BareTrueInCapitals", "{\"regex\":TRUE}", [](RenameOptions& o) { o.regex = true; }},
    {"BareOneIsNotTrue", "{\"regex\":1,\"changeExt\":1}",
     [](RenameOptions& o) { o.changeExt = false; }},
    {"ChangeExtFalse", "{\"changeExt\":false}", [](RenameOptions& o) { o.changeExt = false; }},
    {"CaseOutOfRangeMeansNoSelection", "{\"case\":7}",
     [](RenameOptions& o) { o.caseMode = kNoSelection; }},
    {"CaseAsString", "{\"case\":\"2\"}", [](RenameOptions& o) { o.caseMode = 2; }},
    {"CaseUnreadableKeepsTheSelection", "{\"case\":x}", [](RenameOptions&) {}},
    {"ChoicesReadAsWholeNumbers", "{\"conflict\":0x1,\"batchMode\":\" 2\"}",
     [](RenameOptions& o) {
       o.conflict = 1;
       o.batchMode = 2;
     }},
    {"NegativeAndTooLargeChoices", "{\"batchMode\":-1,\"conflict\":3}",
     [](RenameOptions& o) {
       o.batchMode = kNoSelection;
       o.conflict = kNoSelection;
     }},
    {"ExtCaseRead", "{\"extCase\":2}", [](RenameOptions& o) { o.extCase = 2; }},
    {"ExtCaseOutOfRangeMeansNoSelection", "{\"extCase\":3}",
     [](RenameOptions& o) { o.extCase = kNoSelection; }},
    {"ExtCaseUnreadableKeepsTheSelection", "{\"extCase\":x}",
     [](RenameOptions& o) { o.extCase = 1; }},
    {"CutOffWithoutClosingQuote", "{\"find\":\"abc", [](RenameOptions&) {}},
    {"EscapedQuoteDoesNotClose", "{\"destination\":\"abc\\\"}", [](RenameOptions&) {}},
    {"TrailingBackslash", "{\"destination\":\"C:\\\\Temp\\\\\"}",
     [](RenameOptions& o) { o.destination = u"C:\\Temp\\"_s; }},
    {"OtherBackslashesStay", "{\"find\":\"a\\tb\\\\c\\x\"}",
     [](RenameOptions& o) { o.find = u"a\\tb\\c\\x"_s; }},
    {"BareFeedsText", "{\"counterStart\": abc ,\"find\":12}",
     [](RenameOptions& o) {
       o.counterStart = u"abc"_s;
       o.find = u"12"_s;
     }},
    {"BareEndsAtLineBreakOrEnd", "\"pattern\":a b\r\n\"replace\":  tail \t",
     [](RenameOptions& o) {
       o.pattern = u"a b"_s;
       o.replace = u"tail"_s;
     }},
    {"EmptyValuesEmptyTheText", "{\"pattern\":\"\",\"newExt\":}",
     [](RenameOptions& o) {
       o.pattern = u""_s;
       o.newExt = u""_s;
     }},
    {"ByteOrderMarkAndUtf8", "\xEF\xBB\xBF{\"find\":\"\xC3\xA9\xF0\x9F\x98\x80\"}",
     [](RenameOptions& o) { o.find = u"\u00e9\U0001F600"_s; }},
    {"InvalidUtf8BecomesReplacementCharacter", "{\"find\":\"a\xFFz\"}",
     [](RenameOptions& o) { o.find = u"a\uFFFDz"_s; }},
};

INSTANTIATE_TEST_SUITE_P(Cases, HandMadePresetTest, ::testing::ValuesIn(kHandMadeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
