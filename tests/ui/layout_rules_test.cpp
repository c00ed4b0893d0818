#include "ui/layout_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(LayoutRulesTest, HalvesRoundToTheEvenNumber) {
  struct Case {
    int n;
    int half;
  };
  const Case cases[] = {{25, 12}, {19, 10}, {24, 12}, {21, 10}, {23, 12},
                        {1, 0},   {3, 2},   {0, 0},   {-3, -2}, {-5, -2}};
  for (const Case& c : cases) EXPECT_EQ(HalfRoundedToEven(c.n), c.half) << c.n;
}

TEST(LayoutRulesTest, FolderTakesTheRestOfTheListButNeverLessThan150) {
  struct Case {
    const char* name;
    int innerWidth;
    int folder;
  };
  const Case cases[] = {{"wide", 1000, 344},
                        {"narrow", 700, 150},
                        {"at the edge", 806, 150},
                        {"one above", 807, 151},
                        {"none at all", 0, 150}};
  for (const Case& c : cases) {
    const auto widths = ColumnWidths(c.innerWidth, 4);
    ASSERT_TRUE(widths.has_value()) << c.name;
    EXPECT_EQ(*widths, (std::array<int, 4>{280, 280, c.folder, 90})) << c.name;
  }
}

TEST(LayoutRulesTest, NoWidthsBeforeTheFourColumnsExist) {
  for (const int columns : {0, 1, 3}) EXPECT_FALSE(ColumnWidths(1000, columns)) << columns;
}

TEST(LayoutRulesTest, LinkSitsThreePixelsUnderTheStatusLineTopAndLeftOfTheRightEdge) {
  EXPECT_EQ(HomepageLinkTop(632, 25, 19), 635);
  EXPECT_EQ(HomepageLinkLeft(1262, 262), 975);
}

TEST(LayoutRulesTest, ProgramFiltersBecomeQtFilters) {
  struct Case {
    const char* program;
    const char* qt;
  };
#ifdef Q_OS_WIN
  const char* everything = "All files (*.*)";
#else
  const char* everything = "All files (*)";
#endif
  const Case cases[] = {
      {"All files (*.*)|*.*", everything},
      {"Preset JSON|*.json", "Preset JSON (*.json)"},
      {"Images|*.jpg;*.png|Texts (*.txt)|*.txt", "Images (*.jpg *.png);;Texts (*.txt)"},
      {"Description without patterns", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DialogFilter(QString::fromUtf8(c.program)), c.qt) << c.program;
}

TEST(LayoutRulesTest, ASavedNameWithoutAnExtensionGetsTheDefaultOne) {
  struct Case {
    const char* typed;
    const char* saved;
  };
  const Case cases[] = {
      {"/home/ann/mine", "/home/ann/mine.json"},    {"/home/ann/mine.json", "/home/ann/mine.json"},
      {"/home/ann/mine.txt", "/home/ann/mine.txt"}, {"/home/ann.d/mine", "/home/ann.d/mine.json"},
      {"/home/ann/.hidden", "/home/ann/.hidden"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithDefaultExtension(QString::fromLatin1(c.typed), u"json"), c.saved) << c.typed;
  }
}

}  // namespace
}  // namespace corvane
