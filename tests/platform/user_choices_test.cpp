#include "platform/user_choices.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/temp_folder.h"

namespace corvane {
namespace {

TEST(LanguageCodeTest, WindowsLanguageIdentifiersUseTheirPrimaryLanguage) {
  const struct {
    const char* name;
    quint16 id;
    const char* code;
  } cases[] = {
      {"Portuguese (Brazil)", 0x0416, "pt"},
      {"Portuguese (Portugal)", 0x0816, "pt"},
      {"Chinese (PRC)", 0x0804, "cn"},
      {"Chinese (Taiwan)", 0x0404, "cn"},
      {"Japanese", 0x0411, "jp"},
      {"Korean", 0x0412, "kr"},
      {"Swedish", 0x041D, "en"},
      {"English (United States)", 0x0409, "en"},
      {"German (Austria)", 0x0C07, "de"},
      {"Spanish (Mexico)", 0x080A, "es"},
      {"Arabic (Egypt)", 0x0C01, "ar"},
      {"Czech", 0x0405, "cs"},
      {"Greek", 0x0408, "el"},
      {"French (Canada)", 0x0C0C, "fr"},
      {"Hungarian", 0x040E, "hu"},
      {"Italian", 0x0410, "it"},
      {"Dutch (Belgium)", 0x0813, "nl"},
      {"Polish", 0x0415, "pl"},
      {"Turkish", 0x041F, "tr"},
      {"Russian", 0x0419, "en"},
      {"neutral", 0x0000, "en"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LanguageCodeForWindowsLanguageId(c.id), c.code) << c.name;
  }
}

TEST(LanguageCodeTest, QtLanguagesUseTheSameTable) {
  const struct {
    const char* locale;
    const char* code;
  } cases[] = {
      {"pt_BR", "pt"}, {"pt_PT", "pt"}, {"zh_CN", "cn"}, {"zh_TW", "cn"},
      {"ja_JP", "jp"}, {"ko_KR", "kr"}, {"sv_SE", "en"}, {"de_CH", "de"},
      {"nl_BE", "nl"}, {"tr_TR", "tr"}, {"en_GB", "en"}, {"C", "en"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LanguageCodeForLanguage(QLocale(c.locale).language()), c.code) << c.locale;
  }
}

TEST(UserChoicesTest, ReadsWhatWasWritten) {
  testing::TempFolder folder;
  const UserChoices store = UserChoices::InIniFile(folder.file("Corvane.conf"));
  EXPECT_EQ(store.ReadCurrentLanguage(), std::nullopt);
  ASSERT_TRUE(store.WriteCurrentLanguage("de"));
  ASSERT_TRUE(store.WriteCurrentLanguage("it"));  // replaces the earlier value
  EXPECT_EQ(store.ReadCurrentLanguage(), std::optional<QString>("it"));
  EXPECT_TRUE(folder.Read("Corvane.conf").contains("CurrentLanguage=it"));
}

TEST(UserChoicesTest, HandWrittenValues) {
  const struct {
    const char* name;
    QByteArray content;
    std::optional<QString> expected;
  } cases[] = {
      {"text", "[General]\nCurrentLanguage=pt\n", QString("pt")},
      {"empty text", "[General]\nCurrentLanguage=\n", QString("")},
      {"no value", "[General]\nOther=pt\n", std::nullopt},
      {"a list, not one text", "[General]\nCurrentLanguage=de, fr\n", std::nullopt},
  };
  for (const auto& c : cases) {
    testing::TempFolder folder;
    const QString path = folder.Create({"Corvane.conf"}, c.content).first();
    EXPECT_EQ(UserChoices::InIniFile(path).ReadCurrentLanguage(), c.expected) << c.name;
  }
}

TEST(UserChoicesTest, LivePreviewIsOnUntilTheUserChooses) {
  struct Case {
    const char* name;
    const char* file;  // nullptr: no file at all
    bool on;
  };
  const Case cases[] = {
      {"no file", nullptr, true},
      {"nothing remembered", "[General]\nCurrentLanguage=de\n", true},
      {"left on", "[General]\nLivePreview=1\n", true},
      {"left off", "[General]\nLivePreview=0\n", false},
      {"written by hand", "[General]\nLivePreview=yes\n", false},
  };
  for (const Case& c : cases) {
    testing::TempFolder folder;
    if (c.file) folder.Create({"Corvane.conf"}, c.file);
    EXPECT_EQ(UserChoices::InIniFile(folder.file("Corvane.conf")).ReadLivePreview(), c.on)
        << c.name;
  }
}

TEST(UserChoicesTest, LivePreviewChoiceIsRemembered) {
  testing::TempFolder folder;
  const UserChoices store = UserChoices::InIniFile(folder.file("Corvane.conf"));
  ASSERT_TRUE(store.WriteCurrentLanguage("de"));
  ASSERT_TRUE(store.WriteLivePreview(false));
  EXPECT_FALSE(store.ReadLivePreview());
  ASSERT_TRUE(store.WriteLivePreview(true));
  EXPECT_TRUE(store.ReadLivePreview());
  EXPECT_EQ(store.ReadCurrentLanguage(), std::optional<QString>("de"));  // kept beside it
  ASSERT_TRUE(store.WriteLivePreview(false));
  EXPECT_FALSE(store.ReadLivePreview());
}

#ifndef Q_OS_WIN
TEST(UserChoicesTest, UserStoreIsTheOrganisationsNativeFile) {
  // Only the location is checked: the user's own settings are never touched.
  EXPECT_TRUE(UserChoices::ForUser().location().endsWith("/Corvane.conf"))
      << UserChoices::ForUser().location().toStdString();
}
#endif

}  // namespace
}  // namespace corvane
