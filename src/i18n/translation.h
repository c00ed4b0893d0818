// The program-wide translation lookup and its catalogue.
//
// Every user-visible English text passes through Translate just before it is
// shown: callers look up the unformatted text (placeholders "%s", "%d" still in
// it) and format the result. Translate never fails and returns its input
// unchanged until a catalogue has been loaded, while English is current, and
// for any text the catalogue does not translate.
//
// LoadTranslations runs once at start-up, after the application title is set:
// it reads "transl.dt" (TranslationFilePath) and picks the remembered language,
// or else the system's. It never shows anything and never stops start-up; any
// failure leaves English in force. The language menu lists the catalogue's
// languages, calls SelectLanguage and then SaveCurrentLanguage.
//
// Everything here runs on the one user-interface thread.
#pragma once

#include <QString>

#include "base/error.h"
#include "i18n/translation_catalogue.h"
#include "platform/language_store.h"

namespace corvane {

// The text in the current language, or `english` itself.
QString Translate(const QString& english);

// The message of `error` in the current language: its program text looked up,
// then its values filled in (Error::text, Error::args).
QString Translate(const Error& error);

// Loads the catalogue from TranslationFilePath(the executable's folder) and
// picks the language remembered in the user's store, else DefaultLanguageCode().
void LoadTranslations();

// Where the program reads "transl.dt": beside the executable, as in a build
// folder, else in the installed data folder relative to it (bin/ and
// share/corvane/). Names the first place when neither holds the file.
QString TranslationFilePath(const QString& executableFolder);

// The same with the file and the store named, for tests and tools. Returns why
// the file was rejected (the catalogue is then empty and English current).
Status LoadTranslationsFrom(const QString& filePath, const LanguageStore& store);

// The code of the system's default interface language ("en" for languages
// without a code of their own).
QString DefaultLanguageCode();

// The loaded catalogue: its languages, their names and codes, the current one.
const TranslationCatalogue& Translations();

// Makes `column` of the catalogue the current language (ignored when there is
// no such column). Lookups made afterwards use it at once.
void SelectLanguage(int column);

// Remembers the current language code in the user's store. Says nothing when
// the store cannot be written.
void SaveCurrentLanguage();

// The same into `store`; false when nothing could be written.
bool SaveCurrentLanguageTo(const LanguageStore& store);

}  // namespace corvane
