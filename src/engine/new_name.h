// The new name of one item: its name without extension through the name edits,
// the pattern with its keywords, find and replace, letter case, the extension,
// and the characters that file names may not hold.
//
// NewNameBuilder prepares, once per preview, everything that depends only on
// the options: the compiled find expression and its parsed replacement, the
// keyword expressions, the case mode and the new extension. Compute() then
// builds each item's name in eight steps:
//   1. the base name: ApplyNameEdits on the item's OriginalName;
//   2. the extension word: Ext without its leading dot;
//   3. the pattern (as typed) through the keywords with arguments and
//      {imgw}/{imgh} (KeywordExpander);
//   4. the plain keywords {name} {list} {ext} {counter} {date} {time} {created}
//      {modified} {taken} {parent} {folder} {size}, in that order, each at every
//      occurrence, without regard to case; a later keyword is also found in
//      text inserted by an earlier one, never the same one again;
//   5. find and replace (FindReplace) on the whole text;
//   6. letter case by the option `case`;
//   7. the extension: Ext as stored, or the trimmed `newExt` with a dot put in
//      front when it lacks one (none when it is empty), then in the letter
//      case of the option `extCase`;
//   8. each of < > : " / \ | ? * becomes _, extension included.
// The clock is read anew for each of {date} and {time}; item times are turned
// into local time in the context's zone. A builder keeps its own copies of the
// options and the context; Compute() reuses scratch space held inside, so a
// builder serves one thread at a time.
#pragma once

#include "base/error.h"
#include "engine/date_format.h"
#include "engine/engine_context.h"
#include "engine/find_replace.h"
#include "engine/name_edits.h"
#include "engine/pattern_keywords.h"
#include "engine/rename_item.h"
#include "engine/rename_options.h"

#include <QString>

namespace corvane {

class NewNameBuilder {
 public:
  // Fails only for an invalid regular expression in `find` (with `regex` on):
  // "Error in regular expression at offset %d: %s", already filled in.
  static Result<NewNameBuilder> Create(const RenameOptions& options, const EngineContext& context);

  // The complete new file name of `item` (name and extension, no folder);
  // `counterText` is the item's formatted counter. NewName is not read. Fails
  // when a search of the find expression gave up on this item's text
  // (FindReplace::Apply), with the code kRegex and the text "Regular
  // expression too complex for %s" filled with the item's OriginalPath.
  Result<QString> Compute(const TRenameItem& item, const QString& counterText) const;
  // Whether a name computed so far depends on an item's Size or times.
  bool UsedSizesOrTimes() const { return usedSizesOrTimes_ || keywords_.UsedItemTimes(); }
  // The date taken that the last Compute of `item` read from its file (an
  // invalid one for none), for the caller to keep in the item; nullopt when
  // nothing was read for it.
  std::optional<QDateTime> TakenTimeRead(const TRenameItem& item) const {
    return keywords_.TakenTimeRead(item);
  }

 private:
  NewNameBuilder(const RenameOptions& options, const EngineContext& context,
                 FindReplace findReplace);

  void ExpandPlainKeywords(QString& text, const TRenameItem& item,
                           const QString& counterText) const;
  QString PlainKeywordValue(int keyword, const TRenameItem& item, const QString& counterText) const;
  QString LocalDate(const QDateTime& utc) const;
  QString MomentText(QStringView format, const QDateTime& utc) const;
  QString MomentText(QStringView format, const LocalMoment& moment) const;

  RenameOptions options_;
  EngineContext context_;
  mutable LocalTimeConverter localTime_;
  NameEdits nameEdits_;
  KeywordExpander keywords_;
  bool patternMayChange_;  // KeywordExpander::MayChange(options_.pattern)
  mutable bool usedSizesOrTimes_ = false;
  FindReplace findReplace_;
  QString newExtension_;  // used when options_.changeExt is on
};

// One-off form of NewNameBuilder::Create(options, context) and Compute(): for a
// single name, failing as either does. A preview builds the NewNameBuilder
// once instead.
Result<QString> ComputeNewName(const TRenameItem& item, const RenameOptions& options,
                               const QString& counterText, const EngineContext& context);

// Replaces each of the nine characters < > : " / \ | ? * by an underscore.
void ReplaceForbiddenCharacters(QString& text);

}  // namespace corvane
