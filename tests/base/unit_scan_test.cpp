#include "base/unit_scan.h"

#include <QString>

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Controls and the two separators, as the batch asks of a path.
bool HoldsControlOrSeparator(QStringView text) { return HoldsUnit<u' ', u'/', u'\\'>(text); }

// Finds a unit wherever it stands: in a whole step of eight, in the tail after
// the steps, or in a text shorter than one step.
TEST(HoldsUnitTest, FindsAUnitAtEveryPosition) {
  for (qsizetype length = 1; length <= 19; ++length) {
    for (qsizetype at = 0; at < length; ++at) {
      for (QChar unit : {QChar(u'/'), QChar(u'\\'), QChar(u'\t'), QChar(u'\0'), QChar(u'\x1F')}) {
        QString text(length, u'a');
        text[at] = unit;
        EXPECT_TRUE(HoldsControlOrSeparator(text))
            << length << " " << at << " " << int(unit.unicode());
      }
    }
    EXPECT_FALSE(HoldsControlOrSeparator(QString(length, u'a'))) << length;
  }
}

TEST(HoldsUnitTest, TakesTheBoundAndTheUnitsExactly) {
  EXPECT_FALSE(HoldsControlOrSeparator(u""));
  EXPECT_FALSE(HoldsControlOrSeparator(u"  spaces  and \uFFFE \uFFFF"));
  EXPECT_FALSE(HoldsControlOrSeparator(u"0123456789abcdefghijklmnop.jpg"));
  EXPECT_TRUE((HoldsUnit<0, u':'>(u"c:x")));
  EXPECT_FALSE((HoldsUnit<0, u':'>(QStringView(u"\x01\x02 tab\there"))));
}

}  // namespace
}  // namespace corvane
