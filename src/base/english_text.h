// EN_TEXT: the mark of one of the program's English texts where it is written.
//
// EN_TEXT("Add Files...") is the text as a char16_t string literal, so it
// serves a QString (QString::fromUtf16, QStringLiteral), a QStringView and a
// static table alike. The build lists every marked text for the translation
// checks (tools/english_texts.py), so the argument must be one or more
// adjacent plain string literals and nothing else.
#pragma once

#define EN_TEXT(text) u"" text
