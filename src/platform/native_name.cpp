#include "platform/native_name.h"

#include <algorithm>
#include <cstdint>

namespace corvane {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Every byte or unit or'ed together: a loop without an early exit, which the
// compiler vectorises. Most names are ASCII and then skip the coding loops.
template <typename Unit>
bool AllAscii(const Unit* begin, const Unit* end) {
  Unit any = 0;
  for (const Unit* p = begin; p != end; ++p) any |= *p;
  return any < 0x80;
}

bool IsContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence that starts with the byte at
// `in` (not ASCII), or 0 when there is none. The bounds of the second byte
// rule out overlong forms, encoded surrogates and code points past U+10FFFF.
int SequenceLength(const uint8_t* in, const uint8_t* end) {
  const uint8_t lead = in[0];
  int length = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (end - in < length || in[1] < low || in[1] > high) return 0;
  for (int i = 2; i < length; ++i) {
    if (!IsContinuation(in[i])) return 0;
  }
  return length;
}

}  // namespace

char16_t* DecodeNativeNameTo(QByteArrayView bytes, char16_t* out) {
  const auto* in = reinterpret_cast<const uint8_t*>(bytes.data());
  const uint8_t* const end = in + bytes.size();
  if (AllAscii(in, end)) return std::copy(in, end, out);
  while (in != end) {
    const uint8_t lead = *in;
    if (lead < 0x80) {
      *out++ = lead;
      ++in;
      continue;
    }
    const int length = SequenceLength(in, end);
    if (length == 0) {
      // Continuation bytes of a broken sequence cannot start a valid one, so
      // escaping byte by byte gives each of them an escape of its own.
      *out++ = char16_t(kEscapeBase + lead);
      ++in;
      continue;
    }
    char32_t code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) code = (code << 6) | (in[i] & 0x3F);
    in += length;
    if (code < 0x10000) {
      *out++ = char16_t(code);
    } else {
      *out++ = char16_t(0xD7C0 + (code >> 10));
      *out++ = char16_t(0xDC00 | (code & 0x3FF));
    }
  }
  return out;
}

QString DecodeNativeName(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  char16_t* begin = reinterpret_cast<char16_t*>(text.data());
  text.truncate(DecodeNativeNameTo(bytes, begin) - begin);
  return text;
}

char* EncodeNativeNameTo(QStringView text, char* out) {
  const char16_t* in = text.utf16();
  const char16_t* const end = in + text.size();
  if (AllAscii(in, end)) return std::transform(in, end, out, [](char16_t c) { return char(c); });
  while (in != end) {
    const char16_t unit = *in++;
    if (unit < 0x80) {
      *out++ = char(unit);
    } else if (unit < 0x800) {
      *out++ = char(0xC0 | (unit >> 6));
      *out++ = char(0x80 | (unit & 0x3F));
    } else if (!QChar::isSurrogate(unit)) {
      *out++ = char(0xE0 | (unit >> 12));
      *out++ = char(0x80 | ((unit >> 6) & 0x3F));
      *out++ = char(0x80 | (unit & 0x3F));
    } else if (QChar::isHighSurrogate(unit) && in != end && QChar::isLowSurrogate(*in)) {
      const char32_t code = QChar::surrogateToUcs4(unit, *in++);
      *out++ = char(0xF0 | (code >> 18));
      *out++ = char(0x80 | ((code >> 12) & 0x3F));
      *out++ = char(0x80 | ((code >> 6) & 0x3F));
      *out++ = char(0x80 | (code & 0x3F));
    } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
      *out++ = char(unit - kEscapeBase);
    } else {
      out = std::copy_n("\xEF\xBF\xBD", 3, out);
    }
  }
  return out;
}

QByteArray EncodeNativeName(QStringView text) {
  QByteArray bytes(3 * text.size(), Qt::Uninitialized);
  bytes.truncate(EncodeNativeNameTo(text, bytes.data()) - bytes.constData());
  return bytes;
}

}  // namespace corvane
