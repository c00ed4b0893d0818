// The user's remembered choices (the interface language and live preview),
// and the system's interface language.
//
// UserChoices reads and writes the remembered values: "CurrentLanguage",
// the code of the language the user last picked, and "LivePreview", whether
// the preview follows every edit (the text "1"; anything else is off, and a
// new installation, which remembers nothing, has it on). The user's store is the
// registry key HKEY_CURRENT_USER\Software\Corvane on Windows and the QSettings
// native store of the organisation "Corvane" elsewhere (~/.config/Corvane.conf
// on Linux). A store on an INI file of the caller's choice keeps tests away from
// the user's own settings.
//
// The system language is mapped to a code by one table, also given as pure
// functions of a Windows language identifier and of a QLocale language so that
// the mapping can be tested on any platform.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace corvane {

class UserChoices {
 public:
  // The user's own store (registry on Windows, native settings elsewhere).
  static UserChoices ForUser();
  // A store in the INI file at `path`; the file need not exist yet.
  static UserChoices InIniFile(const QString& path);

  // The remembered code, also when it is empty; nullopt when no value exists,
  // or when the value is not text (a number or binary value written by hand).
  std::optional<QString> ReadCurrentLanguage() const;

  // Remembers `code`, replacing any earlier value; creates the store when
  // needed. Returns false, having written nothing, when the store cannot be
  // opened or written.
  bool WriteCurrentLanguage(const QString& code) const;

  // Whether live preview was left on; on when nothing is remembered, off when
  // anything but "1" is.
  bool ReadLivePreview() const;
  // Remembers the live-preview choice; false, having written nothing, when
  // the store cannot be written.
  bool WriteLivePreview(bool on) const;

  // Where the value lives: a registry path or a file path, for diagnostics.
  QString location() const;

 private:
  enum class Kind { kUser, kIniFile };
  UserChoices(Kind kind, QString path) : kind_(kind), path_(std::move(path)) {}
  std::optional<QString> ReadText(const char16_t* name) const;
  bool WriteText(const char16_t* name, const QString& text) const;

  Kind kind_;
  QString path_;
};

// The language the program opens in: the code remembered in `choices`, else
// the system's (SystemLanguageCode).
QString LanguageToOpenIn(const UserChoices& choices);

// The code for a Windows language identifier: its low 8 bits (the primary
// language) mapped by the table; "en" for every language without a code.
QString LanguageCodeForWindowsLanguageId(quint16 languageId);

// The same table for a QLocale language.
QString LanguageCodeForLanguage(QLocale::Language language);

// The code of the system's default interface language:
// GetSystemDefaultUILanguage on Windows, elsewhere the first interface
// language of QLocale::system() (the language of messages, not of numbers).
QString SystemLanguageCode();

}  // namespace corvane
