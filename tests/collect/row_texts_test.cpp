#include "collect/row_texts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <limits>

#include "i18n/translation.h"
#include "platform/user_choices.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

struct SizeCase {
  const char* name;
  int64_t size;
  QLocale::Language language;
  QLocale::Territory territory;
  const char* expected;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class SizeTextTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeTextTest, WritesGroupsOfThreeWithTheLocaleSeparator) {
  const SizeCase& c = GetParam();
  EXPECT_EQ(SizeText(c.size, QLocale(c.language, c.territory)), QString::fromUtf8(c.expected));
}

constexpr auto kEnglish = QLocale::English;
constexpr auto kUs = QLocale::UnitedStates;

INSTANTIATE_TEST_SUITE_P(
    Sizes, SizeTextTest,
    ::testing::Values(SizeCase{"Zero", 0, kEnglish, kUs, "0"},
                      SizeCase{"ThreeDigits", 999, kEnglish, kUs, "999"},
                      SizeCase{"Thousand", 1000, kEnglish, kUs, "1,000"},
                      SizeCase{"OneAndAHalfKilobytes", 1536, kEnglish, kUs, "1,536"},
                      SizeCase{"Millions", 1234567, kEnglish, kUs, "1,234,567"},
                      SizeCase{"Unreadable", -1, kEnglish, kUs, "-1"},
                      SizeCase{"NegativeThousands", -1234, kEnglish, kUs, "-1,234"},
                      SizeCase{"Largest", std::numeric_limits<int64_t>::max(), kEnglish, kUs,
                               "9,223,372,036,854,775,807"},
                      SizeCase{"Smallest", std::numeric_limits<int64_t>::min(), kEnglish, kUs,
                               "-9,223,372,036,854,775,808"},
                      SizeCase{"GermanDot", 1536, QLocale::German, QLocale::Germany, "1.536"},
                      SizeCase{"IndiaStillInThrees", 1234567, QLocale::Hindi, QLocale::India,
                               "1,234,567"},
                      SizeCase{"CLocale", 1536, QLocale::C, QLocale::AnyTerritory, "1,536"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RowTextsTest, NameWithExtensionAndFolderWithItsSeparator) {
  TRenameItem item;
  AssignPath(item, "/data/my.folder/Report.TXT");
  EXPECT_EQ(OriginalNameText(item), "Report.TXT");
  EXPECT_EQ(FolderText(item), "/data/my.folder/");
  AssignPath(item, "bare");
  EXPECT_EQ(OriginalNameText(item), "bare");
  EXPECT_EQ(FolderText(item), "");
}

TEST(FileCountTextTest, FormatsTheEnglishTextWhileNoLanguageIsLoaded) {
  EXPECT_EQ(FileCountText(0).English(), "Files: 0");
  EXPECT_EQ(Translate(FileCountText(100000)), "Files: 100000");
}

TEST(FileCountTextTest, LooksUpTheTextBeforeFillingInTheCount) {
  testing::TempFolder dir;
  dir.Create({"transl.dt"}, "2\nEnglish\nDeutsch\nen\nde\nFiles: %d\nDateien: %d\n");
  const UserChoices store = UserChoices::InIniFile(dir.file("language.ini"));
  ASSERT_TRUE(store.WriteCurrentLanguage("de"));
  ASSERT_TRUE(LoadTranslationsFrom(dir.file("transl.dt"), LanguageToOpenIn(store)).ok());
  const QString translated = Translate(FileCountText(3));
  SelectLanguage(0);
  EXPECT_EQ(translated, "Dateien: 3");
  EXPECT_EQ(Translate(FileCountText(3)), "Files: 3");
}

}  // namespace
}  // namespace corvane
