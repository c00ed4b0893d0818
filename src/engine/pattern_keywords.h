// Pattern keywords with arguments and the image-size keywords: the first pass
// of pattern expansion, run before the plain keywords ({name}, {ext}...).
//
// Three steps, in this order, keywords matched without regard to case:
//   1. {date:FMT}, {time:FMT} (the present), {created:FMT}, {modified:FMT}
//      (the item's times), {taken:FMT} (the date taken, or else the modified
//      time), each written by FormatMoment in local time;
//   2. {name:A:B}: B characters of the item's OriginalName from position A
//      (A below 0 counts from the end; both clamped, so nothing fails);
//   3. {imgw}, {imgh}: the image's width and height, or empty text.
// A form that does not match exactly stays as written. Expansion always ends,
// even when an inserted piece is itself a complete form (the search then goes
// on after that piece). The file is read only when the text holds {imgw} or
// {imgh}, and its date taken only when an item holds none and the text holds
// {taken:FMT} or TakenOrModified is asked.
#pragma once

#include "engine/date_format.h"
#include "engine/engine_context.h"
#include "engine/regex.h"
#include "engine/rename_item.h"

#include <QString>

#include <memory>
#include <optional>

namespace corvane {

// Compiles the keyword expressions once; Expand then serves every item of a
// preview. Keeps its own copy of the context, so it may outlive `context`.
// Expand reuses match data and time-zone look-ups held inside, so an expander
// serves one thread at a time.
class KeywordExpander {
 public:
  explicit KeywordExpander(const EngineContext& context);

  QString Expand(const QString& text, const TRenameItem& item) const;

  // False when Expand(text, item) is `text` for every item: `text` holds no
  // start of a formatted keyword. A preview asks once for its pattern.
  static bool MayChange(QStringView text);

  // Whether an Expand so far read an item's creation or last-write time.
  bool UsedItemTimes() const { return usedItemTimes_; }

  // The local date and time of day `item` was taken, or its last-write time
  // when it has no date taken. One file's date is read once however often
  // this is asked in a row.
  LocalMoment TakenOrModified(const TRenameItem& item) const;
  // The date taken of `item` (an invalid one for none) when it was read from
  // the file by the last TakenOrModified, not held by the item; else nullopt.
  std::optional<QDateTime> TakenTimeRead(const TRenameItem& item) const;

 private:
  void ExpandDatedForms(QString& text, const TRenameItem& item) const;
  void ExpandNamePieces(QString& text, const TRenameItem& item) const;
  void ExpandImageSize(QString& text, const TRenameItem& item) const;

  EngineContext context_;
  Regex dated_;
  Regex namePiece_;
  Regex imageSize_;
  // Scratch space of Expand, one match per expression.
  std::unique_ptr<RegexMatch> datedMatch_;
  std::unique_ptr<RegexMatch> namePieceMatch_;
  std::unique_ptr<RegexMatch> imageSizeMatch_;
  mutable LocalTimeConverter localTime_;
  mutable bool usedItemTimes_ = false;
  // The last date taken read from a file, and the path it was read for.
  mutable QString takenPath_;
  mutable QDateTime takenRead_;
};

// One-off form of KeywordExpander(context).Expand(text, item).
QString ExpandFormattedKeywords(const QString& text, const TRenameItem& item,
                                const EngineContext& context);

}  // namespace corvane
