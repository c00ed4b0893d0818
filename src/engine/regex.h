// Regex: a compiled PCRE2 expression over UTF-16 text (QString's own units).
//
// Compile once, search many times: a Regex is cheap to copy (the compiled code
// is shared) and is only read while searching, so one Regex serves a whole
// preview. Every expression is compiled in UTF mode, with any Unicode line
// break as line end, and tolerates subjects that are not valid UTF-16: a lone
// surrogate (such as a byte of a Linux name that is not UTF-8,
// platform/native_name.h) is never an error, and no item of an expression
// matches it, not even "." or a negated class; the text around it matches as
// usual.
// \d, \w and \s stay ASCII-only: no Unicode properties are switched on.
#pragma once

#include "base/error.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>

#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 16
#endif
#include <pcre2.h>

namespace corvane {

class RegexMatch;

class Regex {
 public:
  // Compiles `pattern` with PCRE2 compile `flags` (for example PCRE2_CASELESS)
  // added to the fixed ones. An invalid expression gives an Error with the
  // code kRegex and the text "Error in regular expression at offset %d: %s"
  // filled with PCRE2's offset and its own description.
  static Result<Regex> Compile(QStringView pattern, uint32_t flags = 0);

  // What a search ended with. kGaveUp: PCRE2 stopped before it could tell
  // whether there is a match, at one of its resource limits (match, depth or
  // heap limit, the JIT stack, memory), as an expression with nested
  // repetitions does on a subject it fails on; no match can be assumed then.
  enum class Found { kMatch, kNoMatch, kGaveUp };

  // Finds the first match that starts at or after `start` (a UTF-16 offset)
  // and stores it in `match`, which must have been made for this Regex.
  // `flags` are PCRE2 match options such as PCRE2_NOTEMPTY.
  Found Search(QStringView subject, qsizetype start, uint32_t flags, RegexMatch& match) const;

  // Resource limits below PCRE2's defaults, which are used until this is
  // called, for tests that reach a limit quickly; 0 keeps a default. The heap
  // limit is in KiB. The JIT machine code knows no depth or heap limit; the
  // match option PCRE2_NO_JIT reaches the interpreter, which knows all three.
  struct Limits {
    uint32_t match = 0;
    uint32_t depth = 0;
    uint32_t heapKiB = 0;
  };
  void SetLimits(const Limits& limits);

  // The number of capturing groups of the expression.
  int captureCount() const { return captureCount_; }

  // The number of the group named `name`, or -1 when the expression has none.
  int GroupNumber(QStringView name) const;

 private:
  friend class RegexMatch;
  explicit Regex(std::shared_ptr<pcre2_code> code);

  std::shared_ptr<pcre2_code> code_;
  std::shared_ptr<pcre2_match_context> limits_;  // null: PCRE2's defaults
  int captureCount_ = 0;
  bool jit_ = false;  // whether the code was compiled to machine code
};

// The groups of the last successful Regex::Search. Offsets are UTF-16 offsets
// into the subject that was searched; group 0 is the whole match.
class RegexMatch {
 public:
  explicit RegexMatch(const Regex& regex);

  // Whether `group` took part in the match.
  bool IsSet(int group) const {
    return group >= 0 && group < pairs_ && ovector_[2 * group] != PCRE2_UNSET;
  }
  qsizetype Start(int group) const { return IsSet(group) ? qsizetype(ovector_[2 * group]) : -1; }
  qsizetype End(int group) const { return IsSet(group) ? qsizetype(ovector_[2 * group + 1]) : -1; }
  // The text of `group`; empty when it did not take part.
  QStringView Captured(QStringView subject, int group) const {
    if (!IsSet(group)) return {};
    return subject.mid(qsizetype(ovector_[2 * group]),
                       qsizetype(ovector_[2 * group + 1] - ovector_[2 * group]));
  }
  // The highest-numbered group that took part (0 when only the whole match).
  int HighestSetGroup() const;

 private:
  friend class Regex;
  std::unique_ptr<pcre2_match_data, void (*)(pcre2_match_data*)> data_;
  PCRE2_SIZE* ovector_;  // the offsets in data_, which stay where they are
  int pairs_ = 0;        // the pairs that PCRE2 filled for the last match
};

}  // namespace corvane
