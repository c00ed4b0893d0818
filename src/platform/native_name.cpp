#include "platform/native_name.h"

#include <algorithm>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace corvane {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Paths are mostly ASCII, often wholly, and a batch codes several for every
// file: the ASCII run at the start of a text is copied sixteen bytes (eight
// units) at a time where the processor allows. Both return the length of the
// run, which they have copied.
qsizetype WidenAscii(const uint8_t* in, qsizetype size, char16_t* out) {
  qsizetype i = 0;
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    if (_mm_movemask_epi8(bytes) != 0) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(bytes, zero));
  }
#endif
  for (; i < size && in[i] < 0x80; ++i) out[i] = in[i];
  return i;
}

qsizetype NarrowAscii(const char16_t* in, qsizetype size, char* out) {
  qsizetype i = 0;
#ifdef __SSE2__
  const __m128i notAscii = _mm_set1_epi16(short(0xFF80));
  for (; i + 8 <= size; i += 8) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i high = _mm_and_si128(units, notAscii);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) != 0xFFFF) break;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(units, units));
  }
#endif
  for (; i < size && in[i] < 0x80; ++i) out[i] = char(in[i]);
  return i;
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
  const qsizetype ascii = WidenAscii(in, bytes.size(), out);
  in += ascii;
  out += ascii;
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
  const qsizetype ascii = NarrowAscii(in, text.size(), out);
  in += ascii;
  out += ascii;
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
