// Replacement: the replacement text of a regular-expression find and replace,
// parsed once and expanded for every match.
//
// Sequences (all other characters are copied):
//   $$ \\ \$            one $ or \ ($$ and \$ give $)
//   $n \n               group n; with a second digit, group nn when the match
//                       has set a group numbered nn or higher
//   ${n}                group n (any number of digits)
//   ${name}             the named group; an unknown name stays as written
//   \g<name>            the named group (letters and underscores); an unknown
//                       name inserts nothing
//   $& \&               the whole match
//   $+ \+               the highest-numbered group that took part
//   $` \`  $' \'        the text before, after the match
//   $_                  the whole text being searched
//   \L \U \F \I + n     group n (two digits as above) in lower case, upper case,
//                       first capital, initial capitals (either letter case)
// Any other $ or \ (and one that ends the text) is copied as it stands. A group
// that did not take part, or does not exist, inserts nothing.
//
// A Replacement keeps a copy of the locale it was parsed with; it is read-only
// after parsing and may be shared.
#pragma once

#include "engine/regex.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <vector>

namespace corvane {

class Replacement {
 public:
  // Parses `text` for matches of `regex` (for the numbers of named groups).
  // `caseLocale` maps the case of \L, \U, \F and \I.
  static Replacement Parse(QStringView text, const Regex& regex, const QLocale& caseLocale);

  // Appends to `out` what replaces `match`, found in `subject`.
  void AppendExpansion(QString& out, QStringView subject, const RegexMatch& match) const;

  // What replaces `match` in `subject`.
  QString Expand(QStringView subject, const RegexMatch& match) const;

 private:
  enum class Kind { kLiteral, kGroup, kWholeMatch, kLastGroup, kBefore, kAfter, kWholeText };
  enum class Conversion { kNone, kLower, kUpper, kFirstCapital, kInitialCapitals };

  struct Piece {
    Kind kind = Kind::kLiteral;
    QString literal;                            // kLiteral
    int group = 0;                              // kGroup
    int secondDigit = -1;                       // kGroup: a digit that may make `group` two-digit
    Conversion conversion = Conversion::kNone;  // kGroup
  };

  class Parser;

  void AppendGroup(QString& out, QStringView subject, const RegexMatch& match,
                   const Piece& piece) const;
  QString Convert(QStringView text, Conversion conversion) const;

  std::vector<Piece> pieces_;
  QLocale caseLocale_;
};

}  // namespace corvane
