// Names as the POSIX system calls take and give them: bytes, which Linux does
// not require to be UTF-8.
//
// Decoding reads valid UTF-8 as its characters and each byte that is not part
// of valid UTF-8 as the lone surrogate U+DC00 + byte (U+DC80 to U+DCFF);
// encoding writes such a surrogate back as its byte. So every byte string
// without a zero byte decodes and encodes back exactly, and a name that is not
// UTF-8 never reads as one that holds U+FFFD, or as any other name.
//
// Valid means strict UTF-8: no overlong forms, nothing above U+10FFFF, and no
// encoded surrogates. The UTF-8 form of U+DC80 (ED B2 80) is therefore three
// escaped bytes, and an escape cannot be confused with a decoded character.
//
// Texts no byte string decodes to are encoded as follows (they cannot come from
// the system, only from text typed or edited):
// - a lone surrogate outside U+DC80 to U+DCFF (a high one, or U+DC00 to
//   U+DC7F) is written as U+FFFD (EF BF BD), as a UTF-8 encoder writes it;
// - escapes that an edit has put side by side and whose bytes happen to form
//   UTF-8 are written as those bytes, so they read back as that character.
//
// Pure and platform-independent; Linux paths go through it (NativePath), on
// Windows the system takes UTF-16 and nothing needs it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace corvane {

// The text of `bytes`. Writes at most bytes.size() units at `out` and returns
// the end of what it wrote.
char16_t* DecodeNativeNameTo(QByteArrayView bytes, char16_t* out);
QString DecodeNativeName(QByteArrayView bytes);

// The bytes of `text`. Writes at most 3 * text.size() bytes at `out` (no
// terminating zero) and returns the end of what it wrote.
char* EncodeNativeNameTo(QStringView text, char* out);
QByteArray EncodeNativeName(QStringView text);

}  // namespace corvane
