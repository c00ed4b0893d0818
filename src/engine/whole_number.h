// Reading option text as numbers, and the trimming rule that goes with it.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace corvane {

// Reads `text` as a signed 32-bit whole number, or returns `fallback`.
// Accepted: leading spaces (U+0020 only), an optional + or -, then decimal
// digits, or hexadecimal digits of either case after "$", "x", "X", "0x" or
// "0X". Nothing may follow the digits (not even a space); empty text, any other
// character or a value outside the 32-bit range gives `fallback`.
int32_t ReadWholeNumber(QStringView text, int32_t fallback);

// `text` without its leading and trailing characters U+0000 to U+0020.
QString TrimControl(QStringView text);

}  // namespace corvane
