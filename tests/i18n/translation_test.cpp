// The program-wide catalogue: loading with a remembered language and saving it.
// Every store here is an INI file in a temporary folder, never the user's own.
#include "i18n/translation.h"

#include <gtest/gtest.h>

#include <QSettings>

#include "platform/user_choices.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

constexpr char kThreeLanguages[] =
    "3\nEnglish\nDeutsch\nFrançais\nen\nde\nfr\nFile\nDatei\nFichier\nExit\nBeenden\nQuitter\n";

class TranslationTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // Leave the program-wide catalogue empty for the next test.
    static_cast<void>(LoadTranslationsFrom(folder_.file("none.dt"), LanguageToOpenIn(Store())));
  }

  QString File() const { return folder_.Create({"transl.dt"}, kThreeLanguages).first(); }
  UserChoices Store() const { return UserChoices::InIniFile(folder_.file("Corvane.conf")); }
  void Remember(const QString& code) const { ASSERT_TRUE(Store().WriteCurrentLanguage(code)); }

  testing::TempFolder folder_;
};

TEST_F(TranslationTest, TranslateBeforeLoadingReturnsItsInput) {
  EXPECT_EQ(Translate("File"), "File");
  EXPECT_EQ(Translations().languageCount(), 0);
}

TEST_F(TranslationTest, RememberedCodeInCapitalsSelectsItsColumn) {
  Remember("DE");
  ASSERT_TRUE(LoadTranslationsFrom(File(), LanguageToOpenIn(Store())).ok());
  EXPECT_EQ(Translations().currentIndex(), 1);
  EXPECT_EQ(Translate("Exit"), "Beenden");
}

TEST_F(TranslationTest, RememberedEnglishWinsOverTheSystemLanguage) {
  Remember("en");
  ASSERT_TRUE(LoadTranslationsFrom(File(), LanguageToOpenIn(Store())).ok());
  EXPECT_EQ(Translations().currentCode(), "en");
  EXPECT_EQ(Translate("Exit"), "Exit");
}

TEST_F(TranslationTest, UnmatchedRememberedCodeGivesEnglishAndStaysStored) {
  Remember("sv");
  ASSERT_TRUE(LoadTranslationsFrom(File(), LanguageToOpenIn(Store())).ok());
  EXPECT_EQ(Translations().currentIndex(), 0);
  EXPECT_EQ(Translations().currentCode(), "sv");
  EXPECT_EQ(Translate("Exit"), "Exit");
  EXPECT_EQ(Store().ReadCurrentLanguage(), std::optional<QString>("sv"));
}

TEST_F(TranslationTest, EmptyRememberedCodeCountsAsACode) {
  Remember("");
  ASSERT_TRUE(LoadTranslationsFrom(File(), LanguageToOpenIn(Store())).ok());
  EXPECT_EQ(Translations().currentCode(), "");
  EXPECT_EQ(Translations().currentIndex(), 0);
}

TEST_F(TranslationTest, WithoutARememberedCodeTheDefaultIsUsed) {
  ASSERT_TRUE(LoadTranslationsFrom(File(), LanguageToOpenIn(Store())).ok());
  EXPECT_EQ(Translations().currentCode(), SystemLanguageCode());
  EXPECT_FALSE(folder_.Exists("Corvane.conf"));  // loading never writes the store
}

TEST_F(TranslationTest, MissingFileLeavesEnglishAndAnEmptyCatalogue) {
  Remember("de");
  const Status status = LoadTranslationsFrom(folder_.file("transl.dt"), LanguageToOpenIn(Store()));
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().message(), "Cannot find translation file:" + folder_.file("transl.dt"));
  EXPECT_EQ(Translations().languageCount(), 0);
  EXPECT_EQ(Translate("Exit"), "Exit");
}

// An error keeps its program text apart from its values, so it is looked up
// before they are filled in; a value is never read as a placeholder, and a
// message without values is shown as it stands.
TEST_F(TranslationTest, ErrorsAreLookedUpThenFilledIn) {
  folder_.Create({"errors.dt"},
                 "2\nEnglish\nDeutsch\nen\nde\nToo complex for %s\nZu komplex für %s\n"
                 "50% done\n50 % erledigt\n");
  Remember("de");
  ASSERT_TRUE(LoadTranslationsFrom(folder_.file("errors.dt"), LanguageToOpenIn(Store())).ok());
  struct Case {
    const char* name;
    Error error;
    QString expected;
  };
  const Case cases[] = {
      {"translated, then filled in",
       Error("Too complex for %s", {"/p/a%d.txt"}, Error::Code::kRegex),
       QString::fromUtf16(u"Zu komplex für /p/a%d.txt")},
      {"untranslated, filled in", Error("Not in the file %s", {"/p"}, Error::Code::kGeneric),
       "Not in the file /p"},
      {"without values, looked up as is", Error("50% done"), "50 % erledigt"},
      {"without values, placeholders stay", Error("100%% of %s"), "100%% of %s"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Translate(c.error), c.expected) << c.name;
  }
}

TEST_F(TranslationTest, SelectingAndSavingALanguage) {
  Remember("de");
  ASSERT_TRUE(LoadTranslationsFrom(File(), LanguageToOpenIn(Store())).ok());
  SelectLanguage(2);
  EXPECT_EQ(Translate("File"), "Fichier");
  ASSERT_TRUE(Store().WriteCurrentLanguage(Translations().currentCode()));
  EXPECT_EQ(Store().ReadCurrentLanguage(), std::optional<QString>("fr"));
  EXPECT_EQ(QSettings(folder_.file("Corvane.conf"), QSettings::IniFormat).value("CurrentLanguage"),
            "fr");
}

TEST_F(TranslationTest, SavingIntoAStoreThatCannotBeCreatedWritesNothing) {
  ASSERT_TRUE(LoadTranslationsFrom(File(), LanguageToOpenIn(Store())).ok());
  folder_.Create({"blocker"});
  // A regular file stands where the store's folder would have to be.
  const UserChoices blocked = UserChoices::InIniFile(folder_.file("blocker/Corvane.conf"));
  EXPECT_FALSE(blocked.WriteCurrentLanguage(Translations().currentCode()));
  EXPECT_EQ(blocked.ReadCurrentLanguage(), std::nullopt);
}

}  // namespace
}  // namespace corvane
