// The list of every English text the program passes through Translate.
//
// The build writes it from the texts marked EN_TEXT under src/ (base/
// english_text.h), exactly as they are written there: the same letters and
// case, punctuation, ellipsis dots, spaces and unformatted placeholders. The
// shipped "transl.dt" must hold a row for each of them, which a test checks.
// Adding a text is marking it where it is used and one row in data/transl.dt.
#pragma once

#include <QStringList>

namespace corvane {

// The texts in the order of their files and of their places there, each once.
const QStringList& EnglishTexts();

}  // namespace corvane
