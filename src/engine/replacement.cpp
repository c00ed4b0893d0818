#include "engine/replacement.h"

#include "engine/letter_case.h"

#include <algorithm>

namespace corvane {
namespace {

// Above PCRE2's own limit of capturing groups, so a larger number can only
// mean a group that does not exist.
constexpr int kNoSuchGroup = 1 << 20;

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool IsLetterOrUnderscore(QChar c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}
int DigitValue(QChar c) { return c.unicode() - u'0'; }

}  // namespace

// Reads the replacement text from left to right into pieces. Each sequence
// reader returns how many code units it consumed, or 0 when the text at that
// point is no sequence it knows, in which case the $ or \ is copied and the
// scan goes on with the character after it.
class Replacement::Parser {
 public:
  Parser(QStringView text, const Regex& regex, std::vector<Piece>& pieces)
      : text_(text), regex_(regex), pieces_(pieces) {}

  void Run() {
    qsizetype i = 0;
    while (i < text_.size()) {
      const QChar c = text_[i];
      qsizetype used = 0;
      if (i + 1 < text_.size()) {
        if (c == u'$') used = Dollar(i);
        if (c == u'\\') used = Backslash(i);
      }
      if (used == 0) {
        literal_ += c;
        ++i;
      } else {
        i += used;
      }
    }
    FlushLiteral();
  }

 private:
  qsizetype Dollar(qsizetype i) {
    const QChar next = text_[i + 1];
    if (next == u'$') return Literal(u"$", 2);
    if (IsDigit(next)) return GroupDigits(i + 1, Conversion::kNone) + 1;
    if (next == u'{') return BracedGroup(i);
    if (next == u'_') return Add(Kind::kWholeText, 2);
    return Common(next);
  }

  qsizetype Backslash(qsizetype i) {
    const QChar next = text_[i + 1];
    if (next == u'\\') return Literal(u"\\", 2);
    if (next == u'$') return Literal(u"$", 2);
    if (IsDigit(next)) return GroupDigits(i + 1, Conversion::kNone) + 1;
    if (next == u'g') return NamedGroupInAngles(i);
    const Conversion conversion = ConversionOf(next);
    if (conversion != Conversion::kNone && i + 2 < text_.size() && IsDigit(text_[i + 2])) {
      return GroupDigits(i + 2, conversion) + 2;
    }
    return Common(next);
  }

  // The sequences that $ and \ share.
  qsizetype Common(QChar next) {
    switch (next.unicode()) {
      case u'&':
        return Add(Kind::kWholeMatch, 2);
      case u'+':
        return Add(Kind::kLastGroup, 2);
      case u'`':
        return Add(Kind::kBefore, 2);
      case u'\'':
        return Add(Kind::kAfter, 2);
      default:
        return 0;
    }
  }

  static Conversion ConversionOf(QChar c) {
    switch (c.toLatin1()) {
      case 'L':
      case 'l':
        return Conversion::kLower;
      case 'U':
      case 'u':
        return Conversion::kUpper;
      case 'F':
      case 'f':
        return Conversion::kFirstCapital;
      case 'I':
      case 'i':
        return Conversion::kInitialCapitals;
      default:
        return Conversion::kNone;
    }
  }

  // One digit at `at`, and a second one that may join it when the match has
  // enough groups; which of the two applies is decided for each match.
  qsizetype GroupDigits(qsizetype at, Conversion conversion) {
    Piece piece = GroupPiece(DigitValue(text_[at]));
    piece.conversion = conversion;
    qsizetype used = 1;
    if (at + 1 < text_.size() && IsDigit(text_[at + 1])) {
      piece.secondDigit = DigitValue(text_[at + 1]);
      used = 2;
    }
    AddPiece(std::move(piece));
    return used;
  }

  // ${n} or ${name}, starting at the $.
  qsizetype BracedGroup(qsizetype i) {
    qsizetype end = i + 2;
    if (end < text_.size() && IsDigit(text_[end])) {
      int number = 0;
      for (; end < text_.size() && IsDigit(text_[end]); ++end) {
        number = std::min(number * 10 + DigitValue(text_[end]), kNoSuchGroup);
      }
      if (end >= text_.size() || text_[end] != u'}') return 0;
      AddPiece(GroupPiece(number));
      return end + 1 - i;
    }
    if (end >= text_.size() || !IsLetterOrUnderscore(text_[end])) return 0;
    while (end < text_.size() && (IsLetterOrUnderscore(text_[end]) || IsDigit(text_[end]))) ++end;
    if (end >= text_.size() || text_[end] != u'}') return 0;
    const int number = regex_.GroupNumber(text_.mid(i + 2, end - i - 2));
    if (number < 0) return Literal(text_.mid(i, end + 1 - i), end + 1 - i);
    AddPiece(GroupPiece(number));
    return end + 1 - i;
  }

  // \g<name>, starting at the backslash.
  qsizetype NamedGroupInAngles(qsizetype i) {
    qsizetype end = i + 2;
    if (end >= text_.size() || text_[end] != u'<') return 0;
    ++end;
    const qsizetype nameStart = end;
    while (end < text_.size() && IsLetterOrUnderscore(text_[end])) ++end;
    if (end == nameStart || end >= text_.size() || text_[end] != u'>') return 0;
    const int number = regex_.GroupNumber(text_.mid(nameStart, end - nameStart));
    if (number >= 0) AddPiece(GroupPiece(number));
    return end + 1 - i;
  }

  qsizetype Literal(QStringView text, qsizetype used) {
    literal_ += text;
    return used;
  }

  qsizetype Add(Kind kind, qsizetype used) {
    Piece piece;
    piece.kind = kind;
    AddPiece(std::move(piece));
    return used;
  }

  void AddPiece(Piece piece) {
    FlushLiteral();
    pieces_.push_back(std::move(piece));
  }

  void FlushLiteral() {
    if (literal_.isEmpty()) return;
    Piece piece;
    piece.literal = std::move(literal_);
    pieces_.push_back(std::move(piece));
    literal_.clear();
  }

  static Piece GroupPiece(int group) {
    Piece piece;
    piece.kind = Kind::kGroup;
    piece.group = group;
    return piece;
  }

  QStringView text_;
  const Regex& regex_;
  std::vector<Piece>& pieces_;
  QString literal_;
};

Replacement Replacement::Parse(QStringView text, const Regex& regex, const QLocale& caseLocale) {
  Replacement replacement;
  replacement.caseLocale_ = caseLocale;
  Parser(text, regex, replacement.pieces_).Run();
  return replacement;
}

QString Replacement::Expand(QStringView subject, const RegexMatch& match) const {
  QString out;
  AppendExpansion(out, subject, match);
  return out;
}

void Replacement::AppendExpansion(QString& out, QStringView subject,
                                  const RegexMatch& match) const {
  for (const Piece& piece : pieces_) {
    switch (piece.kind) {
      case Kind::kLiteral:
        out += piece.literal;
        break;
      case Kind::kGroup:
        AppendGroup(out, subject, match, piece);
        break;
      case Kind::kWholeMatch:
        out += match.Captured(subject, 0);
        break;
      case Kind::kLastGroup:
        out += match.Captured(subject, match.HighestSetGroup());
        break;
      case Kind::kBefore:
        out += subject.left(match.Start(0));
        break;
      case Kind::kAfter:
        out += subject.mid(match.End(0));
        break;
      case Kind::kWholeText:
        out += subject;
        break;
    }
  }
}

void Replacement::AppendGroup(QString& out, QStringView subject, const RegexMatch& match,
                              const Piece& piece) const {
  int group = piece.group;
  bool secondDigitIsText = false;
  if (piece.secondDigit >= 0) {
    const int twoDigits = group * 10 + piece.secondDigit;
    if (match.HighestSetGroup() >= twoDigits) {
      group = twoDigits;
    } else {
      secondDigitIsText = true;
    }
  }
  const QStringView captured = match.Captured(subject, group);
  if (piece.conversion == Conversion::kNone) {
    out += captured;
  } else if (!captured.isEmpty()) {
    out += Convert(captured, piece.conversion);
  }
  if (secondDigitIsText) out += QChar(u'0' + piece.secondDigit);
}

QString Replacement::Convert(QStringView text, Conversion conversion) const {
  switch (conversion) {
    case Conversion::kNone:
      return text.toString();
    case Conversion::kLower:
      return LowerCase(text, caseLocale_);
    case Conversion::kUpper:
      return UpperCase(text, caseLocale_);
    case Conversion::kFirstCapital:
      return FirstCapital(text, caseLocale_);
    case Conversion::kInitialCapitals:
      return InitialCapitals(text, caseLocale_);
  }
  return text.toString();
}

}  // namespace corvane
