#include "platform/native_name.h"

#include "platform/native_path.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace corvane {
namespace {

// The bytes of a name and the text they decode to, written unit by unit.
struct CodecCase {
  const char* name;
  QByteArray bytes;
  std::u16string text;
};

void PrintTo(const CodecCase& c, std::ostream* os) { *os << c.name; }

std::u16string Units(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
}

QString Text(const std::u16string& units) {
  return QString::fromUtf16(units.data(), qsizetype(units.size()));
}

class NativeNameCodecTest : public ::testing::TestWithParam<CodecCase> {};

TEST_P(NativeNameCodecTest, DecodesAndEncodesBackExactly) {
  const CodecCase& c = GetParam();
  const QString decoded = DecodeNativeName(c.bytes);
  EXPECT_EQ(Units(decoded), c.text);
  EXPECT_EQ(EncodeNativeName(decoded), c.bytes);
  EXPECT_EQ(EncodeNativeName(Text(c.text)), c.bytes);
  EXPECT_STREQ(NativePath(Text(c.text)).c_str(), c.bytes.constData());
}

INSTANTIATE_TEST_SUITE_P(
    Names, NativeNameCodecTest,
    ::testing::Values(
        CodecCase{"empty", "", u""}, CodecCase{"ascii", "photo_01.jpg", u"photo_01.jpg"},
        CodecCase{"two_bytes", "caf\xC3\xA9.txt", u"caf\u00E9.txt"},
        CodecCase{"three_bytes", "\xE2\x82\xAC", u"\u20AC"},
        CodecCase{"last_before_surrogates", "\xED\x9F\xBF", u"\uD7FF"},
        CodecCase{"four_bytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
        CodecCase{"highest_code_point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        CodecCase{"real_replacement_character", "\xEF\xBF\xBD.txt", u"\uFFFD.txt"},
        CodecCase{"latin1_byte", "caf\xE9.txt", u"caf\xDCE9.txt"},
        CodecCase{"two_bad_bytes", "\xFF\xFE.bin", u"\xDCFF\xDCFE.bin"},
        CodecCase{"lone_continuation", "a\x80z", u"a\xDC80z"},
        CodecCase{"overlong_slash", "\xC0\xAF", u"\xDCC0\xDCAF"},
        CodecCase{"overlong_three", "\xE0\x80\xAF", u"\xDCE0\xDC80\xDCAF"},
        CodecCase{"overlong_four", "\xF0\x8F\xBF\xBF", u"\xDCF0\xDC8F\xDCBF\xDCBF"},
        CodecCase{"encoded_escape", "\xED\xB2\x80", u"\xDCED\xDCB2\xDC80"},
        CodecCase{"encoded_high_surrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
        CodecCase{"above_highest", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
        CodecCase{"lead_past_f4", "\xF5\x80", u"\xDCF5\xDC80"},
        CodecCase{"cut_at_the_end", "x\xE2\x82", u"x\xDCE2\xDC82"},
        CodecCase{"cut_before_ascii", "\xF0\x9F\x98.", u"\xDCF0\xDC9F\xDC98."},
        CodecCase{"lead_then_lead", "\xC3\xC3\xA9", u"\xDCC3\u00E9"},
        CodecCase{"mixed", "a\xC3\xA9\xE9\xF0\x9F\x98\x80\xFF", u"a\u00E9\xDCE9\U0001F600\xDCFF"},
        CodecCase{"long_path_past_the_stack_room",
                  QByteArray(600, 'd') + "/\xE9" + QByteArray(600, '\xC3').replace(1, 1, "\xA9"),
                  std::u16string(600, u'd') + u"/\xDCE9\u00E9" + std::u16string(598, u'\xDCC3')}));

// Texts that no bytes decode to: edits and typed text can make them.
TEST(NativeNameEncodeTest, TextsNoNameDecodesTo) {
  struct Case {
    const char* name;
    std::u16string text;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"lone high surrogate", u"a\xD83D", "a\xEF\xBF\xBD"},
      {"high surrogate before ascii", u"\xD83Dx", "\xEF\xBF\xBDx"},
      {"low surrogate below the escapes", u"\xDC41", "\xEF\xBF\xBD"},
      {"low surrogate above the escapes", u"\xDD00", "\xEF\xBF\xBD"},
      {"escapes brought together", u"\xDCC3\xDCA9", "\xC3\xA9"},
      {"a pair wins over an escape", u"\xD800\xDC80", "\xF0\x90\x82\x80"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeNativeName(Text(c.text)), c.bytes) << c.name;
  }
}

// Random names made of an ASCII start, single bytes weighted towards those
// that make or break UTF-8, and whole characters from every length of UTF-8:
// every byte string without a zero byte comes back exactly, and wherever Qt's
// own decoder finds valid UTF-8 the text is the same as Qt's.
TEST(NativeNameSweepTest, RandomBytesComeBackExactly) {
  std::mt19937 random(20261210);
  const uint8_t kPicks[] = {'a',  '.',  '/',  0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0,
                            0xAF, 0xBF, 0xC0, 0xC1, 0xC2, 0xC3, 0xDF, 0xE0, 0xE2,
                            0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFE, 0xFF};
  const char32_t kRanges[][2] = {
      {0x80, 0x7FF}, {0x800, 0xD7FF}, {0xE000, 0xFFFF}, {0x10000, 0x10FFFF}};
  std::uniform_int_distribution<int> length(0, 16);
  std::uniform_int_distribution<int> kind(0, 3);
  std::uniform_int_distribution<int> pick(0, int(std::size(kPicks)) - 1);
  std::uniform_int_distribution<int> anyByte(1, 255);
  std::uniform_int_distribution<int> range(0, int(std::size(kRanges)) - 1);
  std::uniform_int_distribution<int> asciiRun(0, 40);
  for (int round = 0; round < 100000; ++round) {
    // An ASCII start of any length, as paths have, then the pieces.
    QByteArray bytes(asciiRun(random), 'p');
    for (int i = length(random); i > 0; --i) {
      switch (kind(random)) {
        case 0:
          bytes += char(kPicks[pick(random)]);
          break;
        case 1:
          bytes += char(anyByte(random));
          break;
        default: {
          const auto [low, high] = kRanges[range(random)];
          const char32_t code = std::uniform_int_distribution<uint32_t>(low, high)(random);
          bytes += QString::fromUcs4(&code, 1).toUtf8();
        }
      }
    }
    const QString text = DecodeNativeName(bytes);
    ASSERT_LE(text.size(), bytes.size());
    ASSERT_EQ(EncodeNativeName(text), bytes) << bytes.toHex(' ').toStdString();
    bool escaped = false;  // a low surrogate of the escapes that is not the end of a pair
    for (qsizetype i = 0; i < text.size(); ++i) {
      const char16_t u = text[i].unicode();
      escaped |= u >= 0xDC80 && u <= 0xDCFF && (i == 0 || !text[i - 1].isHighSurrogate());
    }
    // Qt marks what it cannot decode with U+FFFD, beside the real ones.
    const QString qtText = QString::fromUtf8(bytes);
    const bool qtReplaced = qtText.count(QChar(0xFFFD)) > text.count(QChar(0xFFFD));
    ASSERT_EQ(escaped, qtReplaced) << bytes.toHex(' ').toStdString();
    if (!escaped) {
      ASSERT_EQ(text, qtText) << bytes.toHex(' ').toStdString();
    }
  }
}

}  // namespace
}  // namespace corvane
