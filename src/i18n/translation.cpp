#include "i18n/translation.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "base/build_info.h"
#include "base/format.h"
#include "platform/paths.h"

namespace corvane {
namespace {

constexpr char16_t kTranslationFileName[] = u"transl.dt";

TranslationCatalogue& Catalogue() {
  static TranslationCatalogue catalogue;
  return catalogue;
}

}  // namespace

QString Translate(const QString& english) { return Catalogue().Translate(english); }

QString Translate(const Error& error) {
  // A message without values is shown as it stands: an operating-system text
  // may hold a "%" that is no placeholder.
  if (error.args().isEmpty()) return Translate(error.message());
  return FormatText(Translate(error.text()), error.args());
}

void LoadTranslations() {
  const QString path = TranslationFilePath(QCoreApplication::applicationDirPath());
  // Start-up goes on in English whatever went wrong; the user is not told.
  static_cast<void>(LoadTranslationsFrom(path, LanguageStore::ForUser()));
}

QString TranslationFilePath(const QString& executableFolder) {
  const QString beside = JoinPath(executableFolder, kTranslationFileName);
  if (QFileInfo(beside).isFile()) return beside;
  const QString installed =
      JoinPath(JoinPath(executableFolder, kInstalledDataFolder), kTranslationFileName);
  return QFileInfo(installed).isFile() ? installed : beside;
}

Status LoadTranslationsFrom(const QString& filePath, const LanguageStore& store) {
  QString code = DefaultLanguageCode();
  if (const std::optional<QString> remembered = store.ReadCurrentLanguage()) code = *remembered;
  return Catalogue().LoadFromFile(filePath, code);
}

QString DefaultLanguageCode() { return SystemLanguageCode(); }

const TranslationCatalogue& Translations() { return Catalogue(); }

void SelectLanguage(int column) { Catalogue().SelectLanguage(column); }

void SaveCurrentLanguage() { static_cast<void>(SaveCurrentLanguageTo(LanguageStore::ForUser())); }

bool SaveCurrentLanguageTo(const LanguageStore& store) {
  return store.WriteCurrentLanguage(Catalogue().currentCode());
}

}  // namespace corvane
