#include "engine/letter_case.h"

#include "engine/rename_options.h"

#include <algorithm>

namespace corvane {
namespace {

bool IsAsciiLower(char16_t c) { return c >= u'a' && c <= u'z'; }
bool IsAsciiUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char16_t AsciiUpper(char16_t c) { return IsAsciiLower(c) ? char16_t(c - 32) : c; }
char16_t AsciiLower(char16_t c) { return IsAsciiUpper(c) ? char16_t(c + 32) : c; }

bool IsAscii(QStringView text) {
  char16_t any = 0;  // every unit or'ed together: a tight loop without an early exit
  for (const QChar c : text) any |= c.unicode();
  return any < 0x80;
}

// Only Turkish and Azerbaijani map ASCII letters differently from the plain
// Unicode rules (I to dotless ı, i to dotted İ). For every other locale ASCII
// text can skip the locale-aware mapping, which costs a library call and a
// locale-name lookup per name.
bool AsciiMapsPlainly(const QLocale& locale) {
  const QLocale::Language language = locale.language();
  return language != QLocale::Turkish && language != QLocale::Azerbaijani;
}

template <typename Map>
QString MapAscii(QStringView text, Map map) {
  QString result(text.size(), Qt::Uninitialized);
  std::transform(text.begin(), text.end(), result.begin(),
                 [map](QChar c) { return QChar(map(c.unicode())); });
  return result;
}

bool IsWordBreak(char16_t c) {
  switch (c) {
    case u'(':
    case u'*':
    case u'+':
    case u',':
    case u'-':
    case u'.':
    case u'<':
    case u'?':
    case u'[':
    case u'{':
    case 0x00B7:
      return true;
    default:
      return c <= 0x0026;
  }
}

// The length of the character (one code unit, or a surrogate pair) at `i`.
qsizetype CharacterLength(QStringView text, qsizetype i) {
  return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

// The word-start scan of title case, in place, on text already in lower case.
void CapitaliseWordStarts(QString& text) {
  bool wordStart = true;
  char16_t* u = reinterpret_cast<char16_t*>(text.data());
  for (char16_t* end = u + text.size(); u != end; ++u) {
    const bool lower = IsAsciiLower(*u);
    const bool wordCharacter = lower || IsAsciiDigit(*u) || IsAsciiUpper(*u);
    if (wordStart && lower) *u = AsciiUpper(*u);
    wordStart = !wordCharacter;
  }
}

// Title case of ASCII text for a locale whose ASCII mapping is plain: the
// lowering and the word-start scan in one pass. A letter becomes a capital at
// a word start and a small letter elsewhere.
void TitleCaseAscii(QString& text) {
  bool wordStart = true;
  char16_t* u = reinterpret_cast<char16_t*>(text.data());
  for (char16_t* end = u + text.size(); u != end; ++u) {
    const char16_t c = *u;
    const bool letter =
        IsAsciiLower(char16_t(c | 0x20));  // exact for ASCII: only A-Z and a-z map there
    if (letter) *u = wordStart ? char16_t(c & ~0x20) : char16_t(c | 0x20);
    wordStart = !letter && !IsAsciiDigit(c);
  }
}

}  // namespace

QString LowerCase(QStringView text, const QLocale& locale) {
  if (IsAscii(text) && AsciiMapsPlainly(locale)) return MapAscii(text, AsciiLower);
  return locale.toLower(text.toString());
}

QString UpperCase(QStringView text, const QLocale& locale) {
  if (IsAscii(text) && AsciiMapsPlainly(locale)) return MapAscii(text, AsciiUpper);
  return locale.toUpper(text.toString());
}

QString AsciiTitleCase(QStringView text, const QLocale& locale) {
  return ApplyLetterCase(text.toString(), static_cast<int>(CaseMode::TitleCase), locale);
}

QString ApplyLetterCase(QString text, int caseMode, const QLocale& locale) {
  switch (SelectedCaseMode(caseMode).value_or(CaseMode::Unchanged)) {
    case CaseMode::Lowercase:
      return LowerCase(text, locale);
    case CaseMode::Uppercase:
      return UpperCase(text, locale);
    case CaseMode::TitleCase:
      if (IsAscii(text) && AsciiMapsPlainly(locale)) {
        TitleCaseAscii(text);
      } else {
        text = LowerCase(text, locale);
        CapitaliseWordStarts(text);
      }
      return text;
    case CaseMode::Unchanged:
      break;
  }
  return text;
}

QString ApplyExtensionCase(QString extension, int extCase, const QLocale& locale) {
  switch (SelectedExtCaseMode(extCase).value_or(ExtCaseMode::Unchanged)) {
    case ExtCaseMode::Lowercase:
      return LowerCase(extension, locale);
    case ExtCaseMode::Uppercase:
      return UpperCase(extension, locale);
    case ExtCaseMode::Unchanged:
      break;
  }
  return extension;
}

QString FirstCapital(QStringView text, const QLocale& locale) {
  if (text.isEmpty()) return {};
  const qsizetype first = CharacterLength(text, 0);
  QString result = text.left(first).toString();
  if (first == 1) result[0] = QChar(AsciiUpper(result[0].unicode()));
  result += LowerCase(text.mid(first), locale);
  return result;
}

QString InitialCapitals(QStringView text, const QLocale& locale) {
  const QString lower = LowerCase(text, locale);
  const QStringView view(lower);
  QString result;
  result.reserve(lower.size());
  bool wordStart = true;
  for (qsizetype i = 0; i < view.size();) {
    const qsizetype length = CharacterLength(view, i);
    const QStringView character = view.mid(i, length);
    const char16_t u = character[0].unicode();
    i += length;
    if (u == u'\'') {
      result += character;  // passes the word start on
      continue;
    }
    if (wordStart) {
      result += UpperCase(character, locale);
    } else {
      result += character;
    }
    wordStart = length == 1 && IsWordBreak(u);
  }
  return result;
}

}  // namespace corvane
