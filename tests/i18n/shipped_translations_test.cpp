// The translation file that ships beside the executable: well formed, complete
// for every language, and holding a row for each English text of the program.
#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include "i18n/english_texts.h"
#include "i18n/translation_catalogue.h"

namespace corvane {
namespace {

constexpr int kLanguages = 6;

QStringList ShippedLines() {
  QFile file(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray bytes = file.readAll();
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
  return SplitTranslationLines(QString::fromUtf8(bytes));
}

// Rows 1 to R of the file, each a list of its kLanguages cells.
QList<QStringList> ShippedRows() {
  const QStringList lines = ShippedLines();
  QList<QStringList> rows;
  for (qsizetype first = 1; first + kLanguages <= lines.size(); first += kLanguages) {
    rows.append(lines.mid(first, kLanguages));
  }
  return rows;
}

// The "%s" and "%d" placeholders of a text in order, and any other "%" as "%?".
std::string Placeholders(const QString& text) {
  QString found;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    const bool known = i + 1 < text.size() && (text[i + 1] == u's' || text[i + 1] == u'd');
    found += known ? text.mid(i, 2) : QStringLiteral("%?");
  }
  return found.toStdString();
}

bool IsBlank(QChar c) { return c.isSpace(); }

TEST(ShippedTranslationsTest, FileIsWellFormed) {
  const QStringList lines = ShippedLines();
  ASSERT_FALSE(lines.isEmpty()) << CORVANE_SHIPPED_TRANSLATIONS;
  EXPECT_EQ(lines.first(), "6");
  EXPECT_EQ((lines.size() - 1) % kLanguages, 0) << "a partial last row";

  const QList<QStringList> rows = ShippedRows();
  ASSERT_GE(rows.size(), 3);
  EXPECT_EQ(rows[0],
            QStringList({"English", "Deutsch", "Français", "Español", "Italiano", "Português"}));
  EXPECT_EQ(rows[1], QStringList({"en", "de", "fr", "es", "it", "pt"}));
  for (qsizetype r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < kLanguages; ++c) {
      EXPECT_FALSE(rows[r][c].isEmpty())
          << "row " << r + 1 << " (" << rows[r][0].toStdString() << "), language " << c + 1;
    }
  }
}

TEST(ShippedTranslationsTest, EveryEnglishTextHasExactlyOneRow) {
  QHash<QString, int> rowsOf;
  const QList<QStringList> rows = ShippedRows();
  for (qsizetype r = 2; r < rows.size(); ++r) ++rowsOf[rows[r][0]];
  for (const QString& text : EnglishTexts()) {
    EXPECT_EQ(rowsOf.value(text), 1) << text.toStdString();
  }
}

TEST(ShippedTranslationsTest, EveryRowIsAnEnglishTextOfTheProgram) {
  const QSet<QString> texts(EnglishTexts().begin(), EnglishTexts().end());
  EXPECT_EQ(texts.size(), EnglishTexts().size()) << "a text is listed twice";
  const QList<QStringList> rows = ShippedRows();
  for (qsizetype r = 2; r < rows.size(); ++r) {
    EXPECT_TRUE(texts.contains(rows[r][0]))
        << "stale row " << r + 1 << ": " << rows[r][0].toStdString();
  }
}

TEST(ShippedTranslationsTest, TranslationsKeepPlaceholdersSpacesAndFilters) {
  const QList<QStringList> rows = ShippedRows();
  for (qsizetype r = 2; r < rows.size(); ++r) {
    const QString& english = rows[r][0];
    for (int c = 1; c < kLanguages; ++c) {
      const QString& cell = rows[r][c];
      const std::string where = rows[0][c].toStdString() + " of \"" + english.toStdString() + "\"";
      EXPECT_EQ(Placeholders(cell), Placeholders(english)) << where;
      if (cell.isEmpty()) continue;
      EXPECT_EQ(IsBlank(cell.front()), IsBlank(english.front())) << where;
      EXPECT_EQ(IsBlank(cell.back()), IsBlank(english.back())) << where;
      // A file-dialog filter: only the description before "|" is translated.
      if (english.contains(u'|')) {
        EXPECT_EQ(cell.section(u'|', 1).toStdString(), english.section(u'|', 1).toStdString())
            << where;
      }
      if (english.contains(QStringLiteral("{counter}"))) {
        EXPECT_TRUE(cell.contains(QStringLiteral("{counter}"))) << where;
      }
    }
  }
}

TEST(ShippedTranslationsTest, AbortButtonCaptionDiffersFromSkipAndExit) {
  // The new-version dialog tells a running download by its button caption.
  TranslationCatalogue catalogue;
  QFile file(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  for (const char* code : {"de", "fr", "es", "it", "pt"}) {
    ASSERT_TRUE(catalogue.LoadFromBytes(bytes, code).ok());
    const QString abort = catalogue.Translate("Abort");
    EXPECT_NE(abort, catalogue.Translate("Skip")) << code;
    EXPECT_NE(abort, catalogue.Translate("Exit")) << code;
  }
}

TEST(ShippedTranslationsTest, LoadsThroughTheCatalogue) {
  TranslationCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadFromFile(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS), "pt").ok());
  EXPECT_EQ(catalogue.languageCount(), 6);
  EXPECT_EQ(catalogue.Translate("Files: %d"), "Arquivos: %d");
  catalogue.SelectLanguage(1);
  EXPECT_EQ(catalogue.Translate("Exit"), "Beenden");
  EXPECT_EQ(catalogue.Translate("Add Files..."), "Dateien hinzufügen...");
}

}  // namespace
}  // namespace corvane
