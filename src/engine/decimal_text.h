// AppendDecimal: writes whole numbers into names without QString::number,
// straight into the text being built (this runs several times per file of a
// preview).
#pragma once

#include <QString>

#include <algorithm>
#include <cstdint>

namespace corvane {

// Appends `value` in decimal with at least `minDigits` digits, zeros added in
// front of the digits and a minus sign, when negative, in front of the zeros
// (-5 with 3 digits gives -005). Every 64-bit value, the smallest included.
inline void AppendDecimal(QString& out, int64_t value, int minDigits) {
  // Unsigned, so that even the smallest 64-bit value has a magnitude.
  uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
  char16_t reversed[20];
  int count = 0;
  do {
    reversed[count++] = char16_t(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const int sign = value < 0 ? 1 : 0;
  const int zeros = std::max(0, minDigits - count);
  const qsizetype at = out.size();
  out.resize(at + sign + zeros + count);
  char16_t* u = reinterpret_cast<char16_t*>(out.data()) + at;
  if (sign != 0) *u++ = u'-';
  for (int i = 0; i < zeros; ++i) *u++ = u'0';
  while (count > 0) *u++ = reversed[--count];
}

}  // namespace corvane
