// FindReplace: the find-and-replace step of a new name, prepared once from the
// options and applied to every name of a preview.
//
// With `regex` off, every exact (case-sensitive) occurrence of `find` is
// replaced by `replace` taken literally, left to right, without overlap. With
// `regex` on, `find` is a PCRE2 expression and `replace` is read in the
// Replacement syntax; matches are found from left to right, each replacement is
// made in the text at once and the search goes on right after it, so
// look-behinds, $` and $_ see earlier replacements. Empty matches are never
// replaced. An empty `find` changes nothing.
//
// Apply() reuses match and text storage held inside, so one FindReplace serves one
// thread at a time.
#pragma once

#include "base/error.h"
#include "engine/regex.h"
#include "engine/rename_options.h"
#include "engine/replacement.h"

#include <QLocale>
#include <QString>

#include <memory>
#include <optional>

namespace corvane {

class FindReplace {
 public:
  // Prepares the step from `options` (find, replace, regex). An invalid
  // expression gives the Error of Regex::Compile ("Error in regular expression
  // at offset %d: %s").
  static Result<FindReplace> Create(const RenameOptions& options, const QLocale& caseLocale);

  // Replaces in `text`, in place. False when a search of the expression gave
  // up (Regex::Found::kGaveUp): whether it matches there is unknown, so
  // `text`, replaced only in part, is no new name.
  [[nodiscard]] bool Apply(QString& text) const;

 private:
  FindReplace() = default;
  bool ApplyExpression(QString& text) const;

  QString find_;
  QString replace_;
  std::optional<Regex> regex_;
  std::optional<Replacement> replacement_;
  std::unique_ptr<RegexMatch> match_;  // scratch space of Apply
  mutable QString expansion_;          // scratch space of Apply, kept for its capacity
};

}  // namespace corvane
