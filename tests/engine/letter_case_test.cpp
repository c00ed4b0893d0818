#include "engine/letter_case.h"

#include "engine/rename_options.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct CaseCase {
  const char* name;
  int mode;
  const char16_t* text;
  const char16_t* expected;
};

TEST(LetterCaseTest, ModesInTheCLocale) {
  const CaseCase cases[] = {
      {"unchanged", 0, u"MiXeD é", u"MiXeD é"},
      {"no selection", -1, u"MiXeD", u"MiXeD"},
      {"out of range", 4, u"MiXeD", u"MiXeD"},
      {"lower", 1, u"PHOTO ÄÖ", u"photo äö"},
      {"upper", 2, u"photo äö", u"PHOTO ÄÖ"},
      {"upper expands sharp s", 2, u"straße", u"STRASSE"},
      {"title", 3, u"hello WORLD-again", u"Hello World-Again"},
      {"title apostrophe", 3, u"o'neil", u"O'Neil"},
      {"title digits", 3, u"2nd place", u"2nd Place"},
      {"title non-ASCII letter starts a word", 3, u"élan vital", u"éLan Vital"},
      {"title underscore", 3, u"snake_case_NAME", u"Snake_Case_Name"},
      {"title lowers non-ASCII", 3, u"ÄBC", u"äBc"},
  };
  for (const CaseCase& c : cases) {
    EXPECT_EQ(ApplyLetterCase(QString::fromUtf16(c.text), c.mode, QLocale::c()),
              QString::fromUtf16(c.expected))
        << c.name;
  }
}

TEST(LetterCaseTest, FollowsTheLocale) {
  const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
  EXPECT_EQ(ApplyLetterCase("istanbul", 2, turkish), QString::fromUtf16(u"İSTANBUL"));
  EXPECT_EQ(ApplyLetterCase("ISPARTA", 1, turkish), QString::fromUtf16(u"ısparta"));
  EXPECT_EQ(ApplyLetterCase("istanbul", 2, QLocale::c()), "ISTANBUL");
  EXPECT_EQ(ApplyLetterCase("ISPARTA", 1, QLocale::c()), "isparta");
}

// Bytes of a Linux name that are not UTF-8 come as lone surrogates U+DC80 to
// U+DCFF (platform/native_name.h); no case mapping of any locale changes them.
TEST(LetterCaseTest, EscapedBytesKeepTheirUnitsInEveryLocale) {
  const QLocale locales[] = {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                             QLocale(QLocale::Turkish, QLocale::Turkey),
                             QLocale(QLocale::German, QLocale::Germany)};
  const CaseCase cases[] = {
      {"lower", 1, u"AB\xDCC3\xDCA9XY\xDCFF", u"ab\xDCC3\xDCA9xy\xDCFF"},
      {"upper", 2, u"ab\xDCC3\xDCA9xy\xDCFF", u"AB\xDCC3\xDCA9XY\xDCFF"},
      {"title", 3, u"ab\xDCE9xy ef", u"Ab\xDCE9Xy Ef"},
  };
  for (const QLocale& locale : locales) {
    for (const CaseCase& c : cases) {
      EXPECT_EQ(ApplyLetterCase(QString::fromUtf16(c.text), c.mode, locale),
                QString::fromUtf16(c.expected))
          << c.name << " in " << locale.name().toStdString();
    }
  }
  EXPECT_EQ(FirstCapital(u"\xDCE9xy", QLocale::c()), QString::fromUtf16(u"\xDCE9xy"));
  EXPECT_EQ(InitialCapitals(u"\xDCE9xy \xDCFF", QLocale::c()),
            QString::fromUtf16(u"\xDCE9xy \xDCFF"));
}

TEST(LetterCaseTest, CapitalFormsOfReplacementGroups) {
  EXPECT_EQ(FirstCapital(u"aBC dEF", QLocale::c()), "Abc def");
  EXPECT_EQ(FirstCapital(u"ÉCOLE", QLocale::c()), QString::fromUtf16(u"École"));
  EXPECT_EQ(FirstCapital(u"", QLocale::c()), "");
  EXPECT_EQ(InitialCapitals(u"the QUICK_brown (fox)", QLocale::c()), "The Quick_brown (Fox)");
  EXPECT_EQ(InitialCapitals(u"a·b{c}d", QLocale::c()), QString::fromUtf16(u"A·B{C}d"));
  EXPECT_EQ(InitialCapitals(u"été à", QLocale::c()), QString::fromUtf16(u"Été À"));
}

}  // namespace
}  // namespace corvane
