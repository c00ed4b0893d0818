#include "engine/name_edits.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

struct EditCase {
  const char* label;
  const char* name;
  std::function<void(RenameOptions&)> set;
  const char* expected;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.label; }
std::string CaseName(const ::testing::TestParamInfo<EditCase>& info) { return info.param.label; }

class ApplyNameEditsTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(ApplyNameEditsTest, Edits) {
  const EditCase& c = GetParam();
  RenameOptions options;
  c.set(options);
  EXPECT_EQ(ApplyNameEdits(QString::fromUtf8(c.name), options), QString::fromUtf8(c.expected));
}

using O = RenameOptions;

INSTANTIATE_TEST_SUITE_P(
    Steps, ApplyNameEditsTest,
    ::testing::Values(
        EditCase{"NoOptionsKeepsTheName", "IMG 0001", [](O&) {}, "IMG 0001"},
        // 1. remove first
        EditCase{"RemoveFirst", "IMG_0001", [](O& o) { o.removeFirst = "4"; }, "0001"},
        EditCase{"RemoveFirstThree", "IMG_0001", [](O& o) { o.removeFirst = "3"; }, "_0001"},
        EditCase{"RemoveFirstPastEnd", "IMG_0001", [](O& o) { o.removeFirst = "20"; }, ""},
        EditCase{"RemoveFirstNegative", "abc", [](O& o) { o.removeFirst = "-2"; }, "abc"},
        EditCase{"RemoveFirstUnreadable", "abc", [](O& o) { o.removeFirst = "1 "; }, "abc"},
        // 2. remove last
        EditCase{"RemoveLast", "report", [](O& o) { o.removeLast = "3"; }, "rep"},
        EditCase{"RemoveLastWhole", "report", [](O& o) { o.removeLast = "6"; }, ""},
        EditCase{"RemoveLastPastEnd", "report", [](O& o) { o.removeLast = "10"; }, "report"},
        // 3. remove a range
        EditCase{"Range", "abcdef", [](O& o) { o.removeFromPos = "2"; o.removeTillPos = "4"; }, "aef"},
        EditCase{"RangeTillClamped", "abcdef", [](O& o) { o.removeFromPos = "2"; o.removeTillPos = "99"; }, "a"},
        EditCase{"RangeFromPastEnd", "abcdef", [](O& o) { o.removeFromPos = "7"; o.removeTillPos = "9"; }, "abcdef"},
        EditCase{"RangeFromZero", "abcdef", [](O& o) { o.removeFromPos = "0"; o.removeTillPos = "3"; }, "abcdef"},
        EditCase{"RangeBackwards", "abcdef", [](O& o) { o.removeFromPos = "4"; o.removeTillPos = "2"; }, "abcdef"},
        EditCase{"RangeTrimmed", "abcdef", [](O& o) { o.removeFromPos = " 2 "; o.removeTillPos = "\t2"; }, "acdef"},
        EditCase{"RangeLastChar", "abcdef", [](O& o) { o.removeFromPos = "6"; o.removeTillPos = "6"; }, "abcde"},
        // 4. remove characters
        EditCase{"CharacterSet", "a-b_c d", [](O& o) { o.charactersToRemove = "-_ "; }, "abcd"},
        EditCase{"CharacterSetIsCaseSensitive", "AaBb", [](O& o) { o.charactersToRemove = "ab"; }, "AB"},
        EditCase{"CharacterSetNonAscii", "Äpfel", [](O& o) { o.charactersToRemove = "ä"; }, "Äpfel"},
        // 5. collapse spaces
        EditCase{"Collapse", "a   b", [](O& o) { o.collapseDoubleSpaces = true; }, "a b"},
        EditCase{"CollapseKeepsEnds", "  a  b  ", [](O& o) { o.collapseDoubleSpaces = true; }, " a b "},
        EditCase{"CollapseSpacesOnly", "a\t\tb", [](O& o) { o.collapseDoubleSpaces = true; }, "a\t\tb"},
        EditCase{"CollapseOff", "a   b", [](O&) {}, "a   b"},
        // 6. and 7. trim at texts
        EditCase{"CropBefore", "Holiday - Copy (2)", [](O& o) { o.cropBefore = " - "; }, "Holiday"},
        EditCase{"CropAfter", "2023_Holiday", [](O& o) { o.cropAfter = "_"; }, "Holiday"},
        EditCase{"CropBoth", "2023_Holiday_final", [](O& o) { o.cropBefore = "_final"; o.cropAfter = "2023_"; }, "Holiday"},
        EditCase{"CropAfterSeesCropBeforeResult", "a_b_c", [](O& o) { o.cropBefore = "_"; o.cropAfter = "a"; }, ""},
        EditCase{"CropIsCaseSensitive", "Copy of x", [](O& o) { o.cropAfter = "copy "; }, "Copy of x"},
        EditCase{"CropFirstOccurrence", "a_b_c", [](O& o) { o.cropAfter = "_"; }, "b_c"},
        // 8. insert
        EditCase{"InsertAt1", "photo", [](O& o) { o.insertText = "X"; o.insertPos = "1"; }, "Xphoto"},
        EditCase{"InsertAt3", "photo", [](O& o) { o.insertText = "X"; o.insertPos = "3"; }, "phXoto"},
        EditCase{"InsertAtEnd", "photo", [](O& o) { o.insertText = "X"; o.insertPos = "6"; }, "photoX"},
        EditCase{"InsertPastEnd", "photo", [](O& o) { o.insertText = "X"; o.insertPos = "100"; }, "photoX"},
        EditCase{"InsertAt0", "photo", [](O& o) { o.insertText = "X"; o.insertPos = "0"; }, "Xphoto"},
        EditCase{"InsertNegative", "photo", [](O& o) { o.insertText = "X"; o.insertPos = "-5"; }, "Xphoto"},
        EditCase{"InsertUnreadable", "photo", [](O& o) { o.insertText = "X"; o.insertPos = "two"; }, "Xphoto"},
        EditCase{"InsertIntoEmpty", "", [](O& o) { o.insertText = "X"; o.insertPos = "5"; }, "X"},
        // 9. zero-fill
        EditCase{"Pad3", "track7-part12", [](O& o) { o.padNumbers = "3"; }, "track007-part012"},
        EditCase{"Pad2DropsZeros", "7 007 123", [](O& o) { o.padNumbers = "2"; }, "07 07 123"},
        EditCase{"Pad1", "007", [](O& o) { o.padNumbers = "1"; }, "7"},
        EditCase{"PadZeroRun", "a000b", [](O& o) { o.padNumbers = "2"; }, "a00b"},
        EditCase{"PadOnlyAsciiDigits", "x١٢", [](O& o) { o.padNumbers = "3"; }, "x١٢"},
        EditCase{"PadLongRunKeepsDigits", "id_0012345678901234567890", [](O& o) { o.padNumbers = "3"; }, "id_12345678901234567890"},
        EditCase{"PadLongRunPadded", "n99999999999", [](O& o) { o.padNumbers = "14"; }, "n00099999999999"},
        EditCase{"PadOff", "7", [](O& o) { o.padNumbers = "0"; }, "7"}),
    CaseName);

// The order of the steps shows where one step sees another's result.
INSTANTIATE_TEST_SUITE_P(Order, ApplyNameEditsTest,
                         ::testing::Values(EditCase{"RemoveFirstBeforeLast", "abcdef",
                                                    [](O& o) {
                                                      o.removeFirst = "4";
                                                      o.removeLast = "3";
                                                    },
                                                    "ef"},
                                           EditCase{"RangeCountsAfterRemovals", "abcdef",
                                                    [](O& o) {
                                                      o.removeFirst = "1";
                                                      o.removeFromPos = "1";
                                                      o.removeTillPos = "1";
                                                    },
                                                    "cdef"},
                                           EditCase{"CharactersBeforeCollapse", "a - b",
                                                    [](O& o) {
                                                      o.charactersToRemove = "-";
                                                      o.collapseDoubleSpaces = true;
                                                    },
                                                    "a b"},
                                           EditCase{"InsertAfterCrop", "abc_x",
                                                    [](O& o) {
                                                      o.cropBefore = "_";
                                                      o.insertText = "Z";
                                                      o.insertPos = "99";
                                                    },
                                                    "abcZ"},
                                           EditCase{"PadSeesInsertedDigits", "a",
                                                    [](O& o) {
                                                      o.insertText = "5";
                                                      o.insertPos = "9";
                                                      o.padNumbers = "2";
                                                    },
                                                    "a05"},
                                           EditCase{"InsertedTextNotCharacterFiltered", "a-b",
                                                    [](O& o) {
                                                      o.charactersToRemove = "-";
                                                      o.insertText = "-";
                                                    },
                                                    "-ab"}),
                         CaseName);

// One NameEdits, read from the options once, serves every name; it keeps its
// own copies, so later changes of the options do not reach it.
TEST(NameEditsTest, PreparedEditsServeManyNames) {
  RenameOptions o;
  o.removeFirst = "4";
  o.removeFromPos = " 2 ";
  o.removeTillPos = "3";
  o.charactersToRemove = "_";
  o.collapseDoubleSpaces = true;
  o.cropBefore = " photo";
  o.insertText = "x";
  o.insertPos = "3";
  o.padNumbers = "6";
  const NameEdits edits(o);
  o.insertText = "y";
  o.padNumbers = "0";
  EXPECT_EQ(edits.Apply("IMG_00042 holiday photo"), "000004x000002 holiday");
  EXPECT_EQ(edits.Apply("DSC  1__2   photo 3"), " 000002x");
  EXPECT_EQ(edits.Apply("ab"), "x");
  EXPECT_EQ(edits.Apply(""), "x");
}

TEST(ZeroFillNumbersTest, HugeWidthIsBoundedByTheLongestFileName) {
  RenameOptions o;
  o.padNumbers = "2000000000";
  const QString result = ApplyNameEdits("x7", o);
  EXPECT_EQ(result.size(), 256);
  EXPECT_TRUE(result.endsWith("07"));
}

}  // namespace
}  // namespace corvane
