// TranslationCatalogue: the table of a translation file and the current language.
//
// The file is UTF-8 (a leading byte-order mark is skipped) split into lines at
// CR LF, LF or CR; a break after the last line adds no empty line. Line 1 holds
// N, the number of languages. The other lines are the cells, row by row, N
// lines per row in column order: row 1 the languages' display names, row 2
// their codes, each further row one English text (column 1) and its
// translations. R = (lines - 1) div N; lines after the last complete row are
// ignored. An empty cell means "not translated".
//
// A catalogue is either complete or empty: a file that cannot be read, whose
// first line is no number of languages, or that ends before its two header
// rows leaves no columns at all, so no caller can read a column beyond its end.
// The current language is a column position (0, English, translates nothing)
// and a code, which is kept even when it matches no column.
//
// Not thread-safe; the program uses one catalogue on its user-interface thread.
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include "base/error.h"

namespace corvane {

class TranslationCatalogue {
 public:
  // Empty: no columns; Translate returns its input.
  TranslationCatalogue() = default;

  // Replaces the table with the file at `path` and makes `languageCode` the
  // current code, selecting the first column whose code equals it with the
  // letters A to Z compared without case (column 0 when none does). On failure
  // the table is empty, English is current, and the error says why; the code is
  // kept either way.
  Status LoadFromFile(const QString& path, const QString& languageCode);

  // The same from the bytes of a file.
  Status LoadFromBytes(QByteArrayView bytes, const QString& languageCode);

  // The translation of `english` into the current language: the cell of the
  // first row whose English cell equals `english` exactly (case and spaces
  // count; the header rows take part). `english` itself when English is
  // current, no row matches, or the cell is empty.
  QString Translate(const QString& english) const;

  int languageCount() const { return columns_; }
  int rowCount() const { return rows_; }
  // Row 1 and row 2 of `column` (0-based); empty for a column that does not exist.
  QString LanguageName(int column) const { return Cell(0, column); }
  QString LanguageCode(int column) const { return Cell(1, column); }

  int currentIndex() const { return currentIndex_; }
  const QString& currentCode() const { return currentCode_; }

  // Makes `column` current, with its row-2 code as the current code. A column
  // that does not exist changes nothing.
  void SelectLanguage(int column);

 private:
  QString Cell(int row, int column) const;
  void SelectByCode(const QString& code);
  Status BuildTable(const QStringList& lines);
  void Clear();

  int columns_ = 0;
  int rows_ = 0;
  QStringList cells_;               // row-major, rows_ * columns_ cells
  QHash<QString, int> firstRowOf_;  // English cell -> first row holding it
  int currentIndex_ = 0;            // always 0 or a valid column
  QString currentCode_;
};

// The lines of a text split at CR LF, LF or CR; a break at the very end adds
// no empty line, and an empty text has no lines.
QStringList SplitTranslationLines(QStringView text);

}  // namespace corvane
