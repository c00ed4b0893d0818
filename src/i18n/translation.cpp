#include "i18n/translation.h"

#include "base/format.h"

namespace corvane {
namespace {

TranslationCatalogue& Catalogue() {
  static TranslationCatalogue catalogue;
  return catalogue;
}

// A text without values is shown as it stands: an operating-system text may
// hold a "%" that is no placeholder.
QString Filled(const QString& text, const QStringList& args) {
  if (args.isEmpty()) return Translate(text);
  return FormatText(Translate(text), args);
}

}  // namespace

QString Translate(const QString& english) { return Catalogue().Translate(english); }

QString Translate(const Error& error) {
  return error.args().isEmpty() ? Translate(error.message()) : Filled(error.text(), error.args());
}

QString Translate(const ProgramText& text) { return Filled(text.text, text.args); }

QStringList Translate(const QList<ProgramText>& texts) {
  QStringList shown;
  shown.reserve(texts.size());
  for (const ProgramText& text : texts) shown.append(Translate(text));
  return shown;
}

Status LoadTranslationsFrom(const QString& filePath, const QString& languageCode) {
  return Catalogue().LoadFromFile(filePath, languageCode);
}

const TranslationCatalogue& Translations() { return Catalogue(); }

void SelectLanguage(int column) { Catalogue().SelectLanguage(column); }

}  // namespace corvane
