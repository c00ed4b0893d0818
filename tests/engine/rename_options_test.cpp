#include "engine/rename_options.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(RenameOptionsTest, FreshValueHasTheStartValues) {
  const RenameOptions o;
  EXPECT_EQ(o.find, "");
  EXPECT_EQ(o.replace, "");
  EXPECT_FALSE(o.regex);
  EXPECT_EQ(o.pattern, "{name}");
  EXPECT_EQ(o.counterStart, "1");
  EXPECT_EQ(o.digits, "3");
  EXPECT_EQ(o.caseMode, 0);
  EXPECT_FALSE(o.changeExt);
  EXPECT_EQ(o.newExt, "");
  EXPECT_EQ(o.conflict, 2);
  EXPECT_EQ(o.insertText, "");
  EXPECT_EQ(o.insertPos, "1");
  EXPECT_EQ(o.removeFirst, "0");
  EXPECT_EQ(o.removeLast, "0");
  EXPECT_EQ(o.removeFromPos, "0");
  EXPECT_EQ(o.removeTillPos, "0");
  EXPECT_EQ(o.charactersToRemove, "");
  EXPECT_FALSE(o.collapseDoubleSpaces);
  EXPECT_EQ(o.cropBefore, "");
  EXPECT_EQ(o.cropAfter, "");
  EXPECT_EQ(o.padNumbers, "0");
  EXPECT_FALSE(o.includeSubfolders);
  EXPECT_EQ(o.batchMode, 0);
  EXPECT_EQ(o.destination, "");
  EXPECT_FALSE(o.touchModifiedNow);
}

TEST(RenameOptionsTest, ChoiceOutsideTheEnumerationMeansNoSelection) {
  EXPECT_EQ(SelectedCaseMode(3), CaseMode::TitleCase);
  EXPECT_EQ(SelectedCaseMode(4), std::nullopt);
  EXPECT_EQ(SelectedCaseMode(-1), std::nullopt);
  EXPECT_EQ(SelectedConflictMode(0), ConflictMode::Skip);
  EXPECT_EQ(SelectedConflictMode(3), std::nullopt);
  EXPECT_EQ(SelectedBatchMode(2), BatchMode::MoveToFolder);
  EXPECT_EQ(SelectedBatchMode(-7), std::nullopt);
}

TEST(RenameOptionsTest, OnlyTheRangeFieldsAreTrimmedBeforeReading) {
  RenameOptions o;
  o.removeFromPos = " 2 ";
  o.removeTillPos = "\t4\n";
  o.removeFirst = " 2 ";
  o.removeLast = "3 ";
  o.insertPos = " 2 ";
  o.padNumbers = "2 ";
  EXPECT_EQ(RemoveFromPosValue(o), 2);
  EXPECT_EQ(RemoveTillPosValue(o), 4);
  EXPECT_EQ(RemoveFirstValue(o), 0);
  EXPECT_EQ(RemoveLastValue(o), 0);
  EXPECT_EQ(InsertPosValue(o), 1);
  EXPECT_EQ(PadNumbersValue(o), 0);
}

TEST(RenameOptionsTest, CounterFieldsTakeTheirDefaultsAndDigitsIsClamped) {
  RenameOptions o;
  o.counterStart = "abc";
  EXPECT_EQ(CounterStartValue(o), 1);
  const std::pair<const char*, int32_t> digits[] = {{"x", 3}, {"0", 1},   {"-4", 1},
                                                    {"7", 7}, {"12", 10}, {"", 3}};
  for (const auto& [text, expected] : digits) {
    o.digits = text;
    EXPECT_EQ(DigitsValue(o), expected) << text;
  }
}

}  // namespace
}  // namespace corvane
