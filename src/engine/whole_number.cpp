#include "engine/whole_number.h"

#include <limits>
#include <optional>

namespace corvane {
namespace {

std::optional<int> DigitValue(QChar c, int base) {
  const char16_t u = c.unicode();
  int v = -1;
  if (u >= u'0' && u <= u'9')
    v = u - u'0';
  else if (base == 16 && u >= u'a' && u <= u'f')
    v = u - u'a' + 10;
  else if (base == 16 && u >= u'A' && u <= u'F')
    v = u - u'A' + 10;
  if (v < 0) return std::nullopt;
  return v;
}

// Length of the hexadecimal prefix at the start of `text`, or 0.
qsizetype HexPrefixLength(QStringView text) {
  if (text.startsWith(u"0x") || text.startsWith(u"0X")) return 2;
  if (text.startsWith(u'$') || text.startsWith(u'x') || text.startsWith(u'X')) return 1;
  return 0;
}

}  // namespace

int32_t ReadWholeNumber(QStringView text, int32_t fallback) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  const qsizetype prefix = HexPrefixLength(text.mid(i));
  const int base = prefix > 0 ? 16 : 10;
  i += prefix;
  if (i >= text.size()) return fallback;

  // Accumulate the magnitude in 64 bits and stop as soon as it cannot fit.
  const int64_t limit = negative ? int64_t(std::numeric_limits<int32_t>::max()) + 1
                                 : std::numeric_limits<int32_t>::max();
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const std::optional<int> digit = DigitValue(text[i], base);
    if (!digit) return fallback;
    magnitude = magnitude * base + *digit;
    if (magnitude > limit) return fallback;
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

QString TrimControl(QStringView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin].unicode() <= 0x20) ++begin;
  while (end > begin && text[end - 1].unicode() <= 0x20) --end;
  return text.mid(begin, end - begin).toString();
}

}  // namespace corvane
