#include "i18n/translation_catalogue.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace corvane {
namespace {

// Two languages, three texts, eleven lines.
constexpr char kWorkedExample[] =
    "2\nEnglish\nDeutsch\nen\nde\nFile\nDatei\nExit\nBeenden\nFiles: %d\nDateien: %d\n";

TranslationCatalogue Loaded(QByteArrayView bytes, const QString& code) {
  TranslationCatalogue catalogue;
  const Status status = catalogue.LoadFromBytes(bytes, code);
  EXPECT_TRUE(status.ok()) << status.error().message().toStdString();
  return catalogue;
}

TEST(TranslationCatalogueTest, WorkedExampleWithGermanCurrent) {
  const TranslationCatalogue catalogue = Loaded(kWorkedExample, "de");
  EXPECT_EQ(catalogue.languageCount(), 2);
  EXPECT_EQ(catalogue.rowCount(), 5);
  EXPECT_EQ(catalogue.LanguageName(0), "English");
  EXPECT_EQ(catalogue.LanguageName(1), "Deutsch");
  EXPECT_EQ(catalogue.currentIndex(), 1);
  EXPECT_EQ(catalogue.Translate("Exit"), "Beenden");
  EXPECT_EQ(catalogue.Translate("Files: %d"), "Dateien: %d");
  EXPECT_EQ(catalogue.Translate("View"), "View");
}

TEST(TranslationCatalogueTest, EmptyCellMeansNotTranslated) {
  const TranslationCatalogue catalogue =
      Loaded("2\nEnglish\nDeutsch\nen\nde\nFile\nDatei\nExit\n\nFiles: %d\nDateien: %d", "de");
  EXPECT_EQ(catalogue.Translate("Exit"), "Exit");
  EXPECT_EQ(catalogue.Translate("File"), "Datei");
}

TEST(TranslationCatalogueTest, PartialLastRowIsIgnored) {
  // Three languages: 13 lines give four rows; 12 lines give three, and the two
  // lines after the third row are not a row.
  const QByteArray thirteen =
      "3\nEnglish\nDeutsch\nFrancais\nen\nde\nfr\nYes\nJa\nOui\nNo\nNein\nNon\n";
  const TranslationCatalogue full = Loaded(thirteen, "fr");
  EXPECT_EQ(full.rowCount(), 4);
  EXPECT_EQ(full.Translate("No"), "Non");

  const TranslationCatalogue cut =
      Loaded(thirteen.left(thirteen.size() - 4), "de");  // drop "Non\n"
  EXPECT_EQ(cut.rowCount(), 3);
  EXPECT_EQ(cut.Translate("Yes"), "Ja");
  EXPECT_EQ(cut.Translate("No"), "No");

  // A twelfth line after the worked example is ignored as well.
  const TranslationCatalogue twelve = Loaded(QByteArray(kWorkedExample) + "View\n", "de");
  EXPECT_EQ(twelve.rowCount(), 5);
  EXPECT_EQ(twelve.Translate("View"), "View");
}

TEST(TranslationCatalogueTest, CodeIsComparedWithoutLetterCase) {
  const TranslationCatalogue catalogue = Loaded(kWorkedExample, "DE");
  EXPECT_EQ(catalogue.currentIndex(), 1);
  EXPECT_EQ(catalogue.currentCode(), "DE");
  EXPECT_EQ(catalogue.Translate("File"), "Datei");
}

TEST(TranslationCatalogueTest, UnmatchedCodeSelectsEnglishAndIsKept) {
  const TranslationCatalogue catalogue = Loaded(kWorkedExample, "sv");
  EXPECT_EQ(catalogue.currentIndex(), 0);
  EXPECT_EQ(catalogue.currentCode(), "sv");
  EXPECT_EQ(catalogue.Translate("Exit"), "Exit");
}

TEST(TranslationCatalogueTest, HeaderRowsTakePartInLookups) {
  const TranslationCatalogue catalogue = Loaded(kWorkedExample, "de");
  EXPECT_EQ(catalogue.Translate("English"), "Deutsch");
  EXPECT_EQ(catalogue.Translate("en"), "de");
}

TEST(TranslationCatalogueTest, ComparisonIsExact) {
  const TranslationCatalogue catalogue = Loaded(
      "2\nEnglish\nDeutsch\nen\nde\nExit\nBeenden\nOK \nOK (Leerzeichen)\nExit\nVerlassen\n", "de");
  EXPECT_EQ(catalogue.Translate("exit"), "exit");
  EXPECT_EQ(catalogue.Translate("OK"), "OK");
  EXPECT_EQ(catalogue.Translate("OK "), "OK (Leerzeichen)");
  EXPECT_EQ(catalogue.Translate("Exit"), "Beenden");  // the first of two equal rows wins
}

TEST(TranslationCatalogueTest, LineEndsAndByteOrderMark) {
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"LF", "2\nEnglish\nDeutsch\nen\nde\nFile\nDatei"},
      {"CR LF", "2\r\nEnglish\r\nDeutsch\r\nen\r\nde\r\nFile\r\nDatei\r\n"},
      {"CR", "2\rEnglish\rDeutsch\ren\rde\rFile\rDatei\r"},
      {"byte-order mark",
       "\xEF\xBB\xBF"
       "2\nEnglish\nDeutsch\nen\nde\nFile\nDatei\n"},
  };
  for (const auto& c : cases) {
    const TranslationCatalogue catalogue = Loaded(c.bytes, "de");
    EXPECT_EQ(catalogue.rowCount(), 3) << c.name;
    EXPECT_EQ(catalogue.Translate("File"), "Datei") << c.name;
  }
}

TEST(TranslationCatalogueTest, EmptyLinesAreCells) {
  EXPECT_EQ(SplitTranslationLines(u"a\n\nb\r\n\r\n"), QStringList({"a", "", "b", ""}));
  EXPECT_EQ(SplitTranslationLines(u""), QStringList());
  EXPECT_EQ(SplitTranslationLines(u"\n"), QStringList({""}));
  EXPECT_EQ(SplitTranslationLines(u"a\r\rb"), QStringList({"a", "", "b"}));
}

TEST(TranslationCatalogueTest, RejectedFilesLeaveEnglishAndNoColumns) {
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"empty", ""},
      {"first line not a number", "two\nEnglish\nDeutsch\nen\nde\nFile\nDatei\n"},
      {"first line empty", "\nEnglish\nen\n"},
      {"negative count", "-2\nEnglish\nDeutsch\nen\nde\nFile\nDatei\n"},
      {"ends inside the name row", "2\nEnglish\n"},
      {"ends inside the code row", "2\nEnglish\nDeutsch\nen\n"},
      {"count far beyond the lines", "2147483647\nEnglish\nen\n"},
  };
  for (const auto& c : cases) {
    TranslationCatalogue catalogue;
    const Status status = catalogue.LoadFromBytes(c.bytes, "de");
    EXPECT_FALSE(status.ok()) << c.name;
    EXPECT_EQ(catalogue.languageCount(), 0) << c.name;
    EXPECT_EQ(catalogue.currentIndex(), 0) << c.name;
    EXPECT_EQ(catalogue.currentCode(), "de") << c.name;
    EXPECT_EQ(catalogue.LanguageName(0), "") << c.name;
    EXPECT_EQ(catalogue.Translate("English"), "English") << c.name;
  }
}

TEST(TranslationCatalogueTest, ZeroLanguagesGiveAnEmptyCatalogue) {
  const TranslationCatalogue catalogue = Loaded("0\nEnglish\nen\n", "en");
  EXPECT_EQ(catalogue.languageCount(), 0);
  EXPECT_EQ(catalogue.Translate("English"), "English");
}

TEST(TranslationCatalogueTest, FailedReloadForgetsTheEarlierTable) {
  TranslationCatalogue catalogue = Loaded(kWorkedExample, "de");
  ASSERT_EQ(catalogue.Translate("File"), "Datei");
  EXPECT_FALSE(catalogue.LoadFromBytes("x\n", "de").ok());
  EXPECT_EQ(catalogue.languageCount(), 0);
  EXPECT_EQ(catalogue.Translate("File"), "File");
}

TEST(TranslationCatalogueTest, MissingFileNamesItsPath) {
  testing::TempFolder folder;
  const QString path = folder.file("transl.dt");
  TranslationCatalogue catalogue;
  const Status status = catalogue.LoadFromFile(path, "de");
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().message(), "Cannot find translation file:" + path);
  EXPECT_EQ(status.error().code(), Error::Code::kFileNotFound);
  EXPECT_EQ(catalogue.Translate("File"), "File");
}

TEST(TranslationCatalogueTest, FolderInPlaceOfTheFileCountsAsMissing) {
  testing::TempFolder folder;
  TranslationCatalogue catalogue;
  EXPECT_FALSE(catalogue.LoadFromFile(folder.CreateFolder("transl.dt"), "de").ok());
  EXPECT_EQ(catalogue.languageCount(), 0);
}

TEST(TranslationCatalogueTest, LoadsFromAFile) {
  testing::TempFolder folder;
  const QString path = folder.Create({"transl.dt"}, kWorkedExample).first();
  TranslationCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadFromFile(path, "de").ok());
  EXPECT_EQ(catalogue.Translate("Exit"), "Beenden");
}

TEST(TranslationCatalogueTest, LookupBeforeLoadingReturnsItsInput) {
  const TranslationCatalogue catalogue;
  EXPECT_EQ(catalogue.languageCount(), 0);
  EXPECT_EQ(catalogue.Translate("File"), "File");
}

TEST(TranslationCatalogueTest, SelectLanguageTakesTheColumnsCode) {
  TranslationCatalogue catalogue = Loaded(kWorkedExample, "en");
  EXPECT_EQ(catalogue.Translate("File"), "File");
  catalogue.SelectLanguage(1);
  EXPECT_EQ(catalogue.currentCode(), "de");
  EXPECT_EQ(catalogue.Translate("File"), "Datei");
  catalogue.SelectLanguage(2);  // no such column: nothing changes
  catalogue.SelectLanguage(-1);
  EXPECT_EQ(catalogue.currentIndex(), 1);
  catalogue.SelectLanguage(0);
  EXPECT_EQ(catalogue.currentCode(), "en");
  EXPECT_EQ(catalogue.Translate("File"), "File");
}

}  // namespace
}  // namespace corvane
