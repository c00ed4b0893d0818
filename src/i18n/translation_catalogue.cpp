#include "i18n/translation_catalogue.h"

#include <QFile>
#include <QFileInfo>

#include "base/ascii_case.h"

namespace corvane {
namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

QStringList SplitTranslationLines(QStringView text) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    lines.append(text.sliced(start, i - start).toString());
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.append(text.sliced(start).toString());
  return lines;
}

Status TranslationCatalogue::LoadFromFile(const QString& path, const QString& languageCode) {
  Clear();
  currentCode_ = languageCode;
  if (!QFileInfo(path).isFile()) {
    return Error(QStringLiteral("Cannot find translation file:") + path,
                 Error::Code::kFileNotFound);
  }
  QFile file(path);
  QByteArray bytes;
  if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
  if (!file.isOpen() || file.error() != QFileDevice::NoError) {
    return Error(
        QStringLiteral("Cannot read translation file %1: %2").arg(path, file.errorString()));
  }
  return LoadFromBytes(bytes, languageCode);
}

Status TranslationCatalogue::LoadFromBytes(QByteArrayView bytes, const QString& languageCode) {
  Clear();
  currentCode_ = languageCode;
  if (bytes.startsWith(kUtf8ByteOrderMark)) bytes = bytes.sliced(3);
  const Status built = BuildTable(SplitTranslationLines(QString::fromUtf8(bytes)));
  if (!built.ok()) {
    Clear();
    return built;
  }
  SelectByCode(languageCode);
  return Status::Ok();
}

Status TranslationCatalogue::BuildTable(const QStringList& lines) {
  if (lines.isEmpty()) {
    return Error(QStringLiteral("The translation file is empty"), Error::Code::kInvalidArgument);
  }
  bool isNumber = false;
  const int languages = QStringView(lines.first()).trimmed().toInt(&isNumber, 10);
  if (!isNumber) {
    return Error(QStringLiteral("The first line of the translation file is not a number"),
                 Error::Code::kInvalidArgument);
  }
  if (languages < 0) {
    return Error(QStringLiteral("The translation file has a negative number of languages"),
                 Error::Code::kInvalidArgument);
  }
  if (languages == 0) return Status::Ok();  // a catalogue without columns

  const qint64 cellLines = lines.size() - 1;
  if (cellLines < 2 * qint64(languages)) {
    return Error(QStringLiteral("The translation file ends before its header rows"),
                 Error::Code::kInvalidArgument);
  }
  columns_ = languages;
  rows_ = int(cellLines / languages);
  cells_ = lines.sliced(1, qsizetype(rows_) * columns_);
  for (int row = 0; row < rows_; ++row) {
    const QString& english = cells_[qsizetype(row) * columns_];
    if (!firstRowOf_.contains(english)) firstRowOf_.insert(english, row);
  }
  return Status::Ok();
}

QString TranslationCatalogue::Translate(const QString& english) const {
  if (currentIndex_ <= 0) return english;
  const auto found = firstRowOf_.constFind(english);
  if (found == firstRowOf_.constEnd()) return english;
  const QString& cell = cells_[qsizetype(*found) * columns_ + currentIndex_];
  return cell.isEmpty() ? english : cell;
}

void TranslationCatalogue::SelectLanguage(int column) {
  if (column < 0 || column >= columns_) return;
  currentIndex_ = column;
  currentCode_ = LanguageCode(column);
}

void TranslationCatalogue::SelectByCode(const QString& code) {
  currentIndex_ = 0;
  for (int column = 0; column < columns_; ++column) {
    if (EqualIgnoringAsciiCase(LanguageCode(column), code)) {
      currentIndex_ = column;
      return;
    }
  }
}

QString TranslationCatalogue::Cell(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return QString();
  return cells_[qsizetype(row) * columns_ + column];
}

void TranslationCatalogue::Clear() {
  columns_ = 0;
  rows_ = 0;
  cells_.clear();
  firstRowOf_.clear();
  currentIndex_ = 0;
}

}  // namespace corvane
