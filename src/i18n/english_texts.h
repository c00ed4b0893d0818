// The one list of every English text the program passes through Translate.
//
// Each text is written exactly as its callers hold it: the same letters and
// case, punctuation, ellipsis dots, spaces and unformatted placeholders. The
// shipped "transl.dt" must hold a row for each of them, which a test checks.
// Adding a text is one line in english_texts.cpp and one row in data/transl.dt.
#pragma once

#include <QStringList>

namespace corvane {

// The texts in a stable order (grouped by where they are shown), each once.
const QStringList& EnglishTexts();

}  // namespace corvane
