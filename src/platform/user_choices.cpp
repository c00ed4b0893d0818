#include "platform/user_choices.h"

#include <QSettings>
#include <QVariant>
#include <memory>

#ifdef Q_OS_WIN
#include "platform/win32/win32_system.h"
#endif

namespace corvane {
namespace {

constexpr char16_t kLanguageValue[] = u"CurrentLanguage";
constexpr char16_t kLivePreviewValue[] = u"LivePreview";
#ifdef Q_OS_WIN
constexpr wchar_t kUserRegistryKey[] = L"Software\\Corvane";
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

UserChoices UserChoices::ForUser() { return UserChoices(Kind::kUser, QString()); }

UserChoices UserChoices::InIniFile(const QString& path) {
  return UserChoices(Kind::kIniFile, path);
}

// On Windows the user's store is the registry, read and written by the Win32
// layer, so that its rules are tested with the rest of that layer.
static std::unique_ptr<QSettings> OpenSettings(bool user, const QString& path) {
#ifndef Q_OS_WIN
  if (user) {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(kOrganisation));
  }
#else
  Q_UNUSED(user);
#endif
  return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

std::optional<QString> UserChoices::ReadText(const char16_t* name) const {
  const QString valueName = QString::fromUtf16(name);
#ifdef Q_OS_WIN
  if (kind_ == Kind::kUser) {
    std::wstring text;
    if (win32::ReadUserRegistryText(kUserRegistryKey, valueName.toStdWString(), &text) !=
        win32::kOk) {
      return std::nullopt;
    }
    return QString::fromStdWString(text);
  }
#endif
  const auto settings = OpenSettings(kind_ == Kind::kUser, path_);
  if (settings->status() != QSettings::NoError || !settings->contains(valueName)) {
    return std::nullopt;
  }
  const QVariant value = settings->value(valueName);
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  return value.toString();
}

bool UserChoices::WriteText(const char16_t* name, const QString& text) const {
  const QString valueName = QString::fromUtf16(name);
#ifdef Q_OS_WIN
  if (kind_ == Kind::kUser) {
    return win32::WriteUserRegistryText(kUserRegistryKey, valueName.toStdWString(),
                                        text.toStdWString()) == win32::kOk;
  }
#endif
  const auto settings = OpenSettings(kind_ == Kind::kUser, path_);
  if (!settings->isWritable()) return false;
  settings->setValue(valueName, text);
  settings->sync();
  return settings->status() == QSettings::NoError;
}

std::optional<QString> UserChoices::ReadCurrentLanguage() const { return ReadText(kLanguageValue); }

bool UserChoices::WriteCurrentLanguage(const QString& code) const {
  return WriteText(kLanguageValue, code);
}

bool UserChoices::ReadLivePreview() const {
  const std::optional<QString> remembered = ReadText(kLivePreviewValue);
  return !remembered || *remembered == QStringLiteral("1");
}

bool UserChoices::WriteLivePreview(bool on) const {
  return WriteText(kLivePreviewValue, on ? QStringLiteral("1") : QStringLiteral("0"));
}

QString UserChoices::location() const {
#ifdef Q_OS_WIN
  if (kind_ == Kind::kUser) {
    return QStringLiteral("HKEY_CURRENT_USER\\") + QString::fromWCharArray(kUserRegistryKey);
  }
#endif
  return OpenSettings(kind_ == Kind::kUser, path_)->fileName();
}

QString LanguageToOpenIn(const UserChoices& choices) {
  return choices.ReadCurrentLanguage().value_or(SystemLanguageCode());
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
  return LanguageCodeForWindowsLanguageId(win32::SystemUiLanguage());
#else
  // The language of the desktop's texts (LANGUAGE, LC_ALL, LC_MESSAGES, LANG),
  // not that of its numbers, which QLocale::system().language() follows.
  const QStringList languages = QLocale::system().uiLanguages();
  if (languages.isEmpty()) return LanguageCodeForLanguage(QLocale::system().language());
  return LanguageCodeForLanguage(QLocale(languages.first()).language());
#endif
}

}  // namespace corvane
