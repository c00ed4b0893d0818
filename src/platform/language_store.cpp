#include "platform/language_store.h"

#include <QSettings>
#include <QVariant>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace corvane {
namespace {

constexpr char kValueName[] = "CurrentLanguage";
#ifdef Q_OS_WIN
constexpr char kUserRegistryKey[] = "HKEY_CURRENT_USER\\Software\\Corvane";
#else
constexpr char kOrganisation[] = "Corvane";
#endif

struct LanguageRow {
  quint8 windowsPrimary;
  QLocale::Language language;
  const char16_t* code;
};

// The codes are those the translation file uses, which for Chinese, Japanese
// and Korean are country-like rather than ISO 639 ("cn", not "zh").
constexpr LanguageRow kLanguageTable[] = {
    {0x01, QLocale::Arabic, u"ar"},  {0x04, QLocale::Chinese, u"cn"},
    {0x05, QLocale::Czech, u"cs"},   {0x07, QLocale::German, u"de"},
    {0x08, QLocale::Greek, u"el"},   {0x0A, QLocale::Spanish, u"es"},
    {0x0C, QLocale::French, u"fr"},  {0x0E, QLocale::Hungarian, u"hu"},
    {0x10, QLocale::Italian, u"it"}, {0x11, QLocale::Japanese, u"jp"},
    {0x12, QLocale::Korean, u"kr"},  {0x13, QLocale::Dutch, u"nl"},
    {0x15, QLocale::Polish, u"pl"},  {0x16, QLocale::Portuguese, u"pt"},
    {0x1F, QLocale::Turkish, u"tr"},
};

constexpr char16_t kFallbackCode[] = u"en";

}  // namespace

LanguageStore LanguageStore::ForUser() { return LanguageStore(Kind::kUser, QString()); }

LanguageStore LanguageStore::InIniFile(const QString& path) {
  return LanguageStore(Kind::kIniFile, path);
}

static std::unique_ptr<QSettings> OpenSettings(bool user, const QString& path) {
  if (!user) return std::make_unique<QSettings>(path, QSettings::IniFormat);
#ifdef Q_OS_WIN
  // Organisation-only settings would land in ...\Corvane\OrganizationDefaults,
  // so the key is named in full.
  return std::make_unique<QSettings>(QString::fromLatin1(kUserRegistryKey),
                                     QSettings::NativeFormat);
#else
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QString::fromLatin1(kOrganisation));
#endif
}

std::optional<QString> LanguageStore::ReadCurrentLanguage() const {
  const auto settings = OpenSettings(kind_ == Kind::kUser, path_);
  if (settings->status() != QSettings::NoError || !settings->contains(kValueName)) {
    return std::nullopt;
  }
  const QVariant value = settings->value(kValueName);
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  return value.toString();
}

bool LanguageStore::WriteCurrentLanguage(const QString& code) const {
  const auto settings = OpenSettings(kind_ == Kind::kUser, path_);
  if (!settings->isWritable()) return false;
  settings->setValue(kValueName, code);
  settings->sync();
  return settings->status() == QSettings::NoError;
}

QString LanguageStore::location() const {
  return OpenSettings(kind_ == Kind::kUser, path_)->fileName();
}

QString LanguageCodeForWindowsLanguageId(quint16 languageId) {
  const quint8 primary = languageId & 0xFF;
  for (const LanguageRow& row : kLanguageTable) {
    if (row.windowsPrimary == primary) return QString::fromUtf16(row.code);
  }
  return QString::fromUtf16(kFallbackCode);
}

QString LanguageCodeForLanguage(QLocale::Language language) {
  for (const LanguageRow& row : kLanguageTable) {
    if (row.language == language) return QString::fromUtf16(row.code);
  }
  return QString::fromUtf16(kFallbackCode);
}

QString SystemLanguageCode() {
#ifdef Q_OS_WIN
  return LanguageCodeForWindowsLanguageId(GetSystemDefaultUILanguage());
#else
  return LanguageCodeForLanguage(QLocale::system().language());
#endif
}

}  // namespace corvane
