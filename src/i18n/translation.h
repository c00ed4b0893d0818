// The program-wide translation lookup and its catalogue.
//
// Every user-visible English text passes through Translate just before it is
// shown: callers look up the unformatted text (placeholders "%s", "%d" still in
// it) and format the result. Translate never fails and returns its input
// unchanged until a catalogue has been loaded, while English is current, and
// for any text the catalogue does not translate.
//
// The caller loads the catalogue once at start-up with the language to start
// in (the remembered one, else the system's); loading never shows anything,
// and any failure leaves English in force. The language menu lists the
// catalogue's languages, calls SelectLanguage and remembers currentCode().
//
// Everything here runs on the one user-interface thread.
#pragma once

#include <QString>

#include "base/error.h"
#include "base/program_text.h"
#include "i18n/translation_catalogue.h"

namespace corvane {

// The text in the current language, or `english` itself.
QString Translate(const QString& english);

// The message of `error` in the current language: its program text looked up,
// then its values filled in (Error::text, Error::args).
QString Translate(const Error& error);

// A program text in the current language with its values filled in.
QString Translate(const ProgramText& text);
QStringList Translate(const QList<ProgramText>& texts);

// Makes the file at `filePath` the catalogue with `languageCode` current.
// Returns why the file was rejected (the catalogue is then empty and English
// current).
Status LoadTranslationsFrom(const QString& filePath, const QString& languageCode);

// The loaded catalogue: its languages, their names and codes, the current one.
const TranslationCatalogue& Translations();

// Makes `column` of the catalogue the current language (ignored when there is
// no such column). Lookups made afterwards use it at once.
void SelectLanguage(int column);

}  // namespace corvane
