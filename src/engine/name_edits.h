// ApplyNameEdits: turns a file's name without extension into its base name,
// the value of the pattern keyword {name}.
#pragma once

#include "engine/rename_options.h"

#include <QString>

#include <cstdint>

namespace corvane {

// The name edits of one set of options, with the numbers read once: a preview
// applies the same edits to every name. Apply applies, in this order: remove
// first, remove last, remove a range, remove a set of characters, collapse
// double spaces, trim from a text, trim until a text, insert a text, zero-fill
// numbers. Positions are 1-based and count UTF-16 code units; every position
// is clamped, so no input fails.
class NameEdits {
 public:
  explicit NameEdits(const RenameOptions& options);

  QString Apply(const QString& name) const;

 private:
  int32_t removeFirst_;
  int32_t removeLast_;
  int32_t removeFromPos_;
  int32_t removeTillPos_;
  QString charactersToRemove_;
  bool collapseDoubleSpaces_;
  QString cropBefore_;
  QString cropAfter_;
  QString insertText_;
  int32_t insertPos_;
  int32_t padNumbers_;
};

// One-off form of NameEdits(options).Apply(name).
QString ApplyNameEdits(const QString& name, const RenameOptions& options);

// Every maximal run of ASCII digits rewritten with at least `digits` digits:
// leading zeros of the run dropped, then zeros added in front. Runs of any
// length keep their digits (a run beyond 32 bits is not read as a number).
QString ZeroFillNumbers(const QString& text, int digits);

}  // namespace corvane
