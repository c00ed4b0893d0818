// Letter-case conversions of new names and of replacement groups.
//
// Lower and upper case follow the Unicode rules of a locale (linguistic
// casing: Turkish maps I to dotless ı, and so on), so the result may differ in
// length from the input. Title case and the first-capital form capitalise the
// ASCII letters a to z only; every other character keeps the case that the
// lower-case mapping gave it.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

namespace corvane {

// The text mapped to lower (upper) case by the rules of `locale`.
QString LowerCase(QStringView text, const QLocale& locale);
QString UpperCase(QStringView text, const QLocale& locale);

// The text in lower case, then scanned once with a word-start flag that is
// true before the first character: a word start that is an ASCII letter a to z
// becomes A to Z; after that, the flag is false after an ASCII letter or digit
// and true after any other character. So "élan vital" gives "éLan Vital".
QString AsciiTitleCase(QStringView text, const QLocale& locale);

// The conversion of the option `case` (a CaseMode value): 1 lower case, 2 upper
// case, 3 AsciiTitleCase; any other value leaves the text as it is.
QString ApplyLetterCase(QString text, int caseMode, const QLocale& locale);

// The conversion of the option `extCase` (an ExtCaseMode value) on an
// extension: 1 lower case, 2 upper case; any other value leaves it as it is.
QString ApplyExtensionCase(QString extension, int extCase, const QLocale& locale);

// The first character made upper case when it is an ASCII letter (any other
// first character is kept as it is), the rest in lower case.
QString FirstCapital(QStringView text, const QLocale& locale);

// Every word start in upper case and the rest in lower case. A word start is
// the first character, and any character after one of U+0000 to U+0026,
// ( * + , - . < ? [ { and U+00B7; an apostrophe passes the word start on to
// the character after it, so "x 'ab" gives "X 'Ab".
QString InitialCapitals(QStringView text, const QLocale& locale);

}  // namespace corvane
