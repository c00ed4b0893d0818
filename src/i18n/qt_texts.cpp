#include "i18n/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

#include "i18n/translation.h"

namespace corvane {
namespace {

std::unique_ptr<QTranslator>& Installed() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

// QLocale's fallbacks find "qtbase_pt_BR" for "pt", the only Portuguese Qt
// ships.
std::unique_ptr<QTranslator> LoadQtBase(const QString& languageCode) {
  auto translator = std::make_unique<QTranslator>();
  for (const QString& folder : QtTranslationFolders()) {
    if (translator->load(QLocale(languageCode), QStringLiteral("qtbase"), QStringLiteral("_"),
                         folder)) {
      return translator;
    }
  }
  return nullptr;
}

}  // namespace

QStringList QtTranslationFolders() {
  return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

bool UseQtTextsIn(const QString& languageCode) {
  std::unique_ptr<QTranslator>& installed = Installed();
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  if (languageCode.isEmpty() || languageCode.startsWith(u"en", Qt::CaseInsensitive)) return false;
  installed = LoadQtBase(languageCode);
  return installed && QCoreApplication::installTranslator(installed.get());
}

bool UseQtTextsInCurrentLanguage() {
  const TranslationCatalogue& catalogue = Translations();
  return UseQtTextsIn(catalogue.LanguageCode(catalogue.currentIndex()));
}

}  // namespace corvane
