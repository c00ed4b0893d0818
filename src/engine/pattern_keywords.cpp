#include "engine/pattern_keywords.h"

#include "engine/date_format.h"
#include "engine/image_size.h"
#include "engine/taken_time.h"
#include "engine/whole_number.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace corvane {
namespace {

// Room for what a date form usually adds to the text.
constexpr qsizetype kRoomForMoment = 32;

// The expressions are constants of the program; they always compile, and
// their repetitions cannot nest, so no search of theirs reaches a PCRE2 limit
// and anything but a match counts as none.
Regex CompileKeyword(QStringView pattern) {
  return Regex::Compile(pattern, PCRE2_CASELESS).value();
}

// The first position at or after `from` where a brace is followed by one of
// `heads` (written in lower case, compared without regard to the case of A to
// Z), or -1. Every keyword expression can match only at such a position, and
// most texts have none, so this cheap scan spares most expression searches.
// Caseless matching pairs no other character with the letters of the heads.
qsizetype FindFormStart(QStringView text, qsizetype from,
                        std::initializer_list<QStringView> heads) {
  const char16_t* units = text.utf16();
  const qsizetype size = text.size();
  for (qsizetype at = from; at + 1 < size; ++at) {
    at = std::find(units + at, units + size - 1, u'{') - units;
    if (at + 1 >= size) break;
    const char16_t first = units[at + 1] | 0x20;  // A to Z in lower case; no head starts otherwise
    for (const QStringView head : heads) {
      if (first != head[0].unicode() || at + 1 + head.size() > size) continue;
      qsizetype i = 1;
      while (i < head.size()) {
        char16_t c = units[at + 1 + i];
        if (c >= u'A' && c <= u'Z') c += 32;
        if (c != head[i].unicode()) break;
        ++i;
      }
      if (i == head.size()) return at;
    }
  }
  return -1;
}

// B characters of `name` from the 1-based position A, every value clamped.
QString NamePiece(const QString& name, QStringView first, QStringView count) {
  const int64_t length = name.size();
  int64_t start = ReadWholeNumber(first, 1);
  int64_t take = ReadWholeNumber(count, static_cast<int32_t>(qMin<int64_t>(length, INT32_MAX)));
  if (start < 0) start = length + start + 1;
  if (start < 1) {
    start = 1;
  } else if (start > length + 1) {
    start = length + 1;
  }
  if (take < 0) take = 0;
  return name.mid(start - 1, take);
}

}  // namespace

KeywordExpander::KeywordExpander(const EngineContext& context)
    : context_(context),
      dated_(CompileKeyword(u"\\{(date|time|created|modified|taken):([^}]+)\\}")),
      namePiece_(CompileKeyword(u"\\{name:(-?\\d+):(-?\\d+)\\}")),
      imageSize_(CompileKeyword(u"\\{img(w|h)\\}")),
      datedMatch_(std::make_unique<RegexMatch>(dated_)),
      namePieceMatch_(std::make_unique<RegexMatch>(namePiece_)),
      imageSizeMatch_(std::make_unique<RegexMatch>(imageSize_)),
      localTime_(context.timeZone) {}

bool KeywordExpander::MayChange(QStringView text) {
  return FindFormStart(
             text, 0,
             {u"date:", u"time:", u"created:", u"modified:", u"taken:", u"name:", u"img"}) >= 0;
}

QString KeywordExpander::Expand(const QString& text, const TRenameItem& item) const {
  QString result = text;
  ExpandDatedForms(result, item);
  // Without a start of either form neither step can change the text: one
  // scan spares the second.
  if (FindFormStart(result, 0, {u"name:", u"img"}) >= 0) {
    ExpandNamePieces(result, item);
    ExpandImageSize(result, item);
  }
  return result;
}

// Both repetitions search again from the start after each replacement, so that
// a form completed by an inserted piece is expanded too. Every replacement
// removes the closing brace of its form; a piece holding a closing brace of its
// own (a file name with ":" and "}") could rebuild its form forever, so the
// search then goes on after that piece and never looks back before it. Either
// way the braces after the search start only become fewer, so expansion ends.
void KeywordExpander::ExpandDatedForms(QString& text, const TRenameItem& item) const {
  RegexMatch& match = *datedMatch_;
  qsizetype from = 0;
  while (true) {
    const qsizetype at =
        FindFormStart(text, from, {u"date:", u"time:", u"created:", u"modified:", u"taken:"});
    if (at < 0 || dated_.Search(text, at, 0, match) != Regex::Found::kMatch) return;
    // The expression admits only these five words, told apart by their first
    // two letters.
    const QStringView word = match.Captured(text, 1);
    LocalMoment moment;
    switch (word.front().unicode() | 0x20) {
      case u'c':
        usedItemTimes_ = true;
        moment = localTime_.ToLocal(item.CreatedUtc.isValid() ? item.CreatedUtc : ZeroTime());
        break;
      case u'm':
        usedItemTimes_ = true;
        moment = localTime_.ToLocal(item.ModifiedUtc.isValid() ? item.ModifiedUtc : ZeroTime());
        break;
      case u't':
        moment = (word[1].unicode() | 0x20) == u'a' ? TakenOrModified(item)
                                                    : localTime_.ToLocal(context_.nowUtc());
        break;
      default:  // date
        moment = localTime_.ToLocal(context_.nowUtc());
        break;
    }
    // The expanded text is made in one go: the part before the form, the
    // moment, the part after it.
    const qsizetype start = match.Start(0);
    const QStringView view(text);
    QString expanded;
    expanded.reserve(text.size() + kRoomForMoment);
    expanded.append(view.first(start));
    AppendMoment(expanded, match.Captured(text, 2), moment, context_.regional);
    const qsizetype pieceEnd = expanded.size();
    const bool pieceHasBrace = QStringView(expanded).sliced(start).contains(u'}');
    expanded.append(view.sliced(match.End(0)));
    text = std::move(expanded);
    if (pieceHasBrace) from = pieceEnd;
  }
}

void KeywordExpander::ExpandNamePieces(QString& text, const TRenameItem& item) const {
  RegexMatch& match = *namePieceMatch_;
  qsizetype from = 0;
  while (true) {
    const qsizetype at = FindFormStart(text, from, {u"name:"});
    if (at < 0 || namePiece_.Search(text, at, 0, match) != Regex::Found::kMatch) return;
    const QString piece =
        NamePiece(item.OriginalName, match.Captured(text, 1), match.Captured(text, 2));
    const qsizetype start = match.Start(0);
    text.replace(start, match.End(0) - start, piece);
    if (piece.contains(u'}')) from = start + piece.size();
  }
}

void KeywordExpander::ExpandImageSize(QString& text, const TRenameItem& item) const {
  RegexMatch& match = *imageSizeMatch_;
  const qsizetype first = FindFormStart(text, 0, {u"img"});
  if (first < 0 || imageSize_.Search(text, first, 0, match) != Regex::Found::kMatch) {
    return;  // the file is not read
  }
  const std::optional<ImageSize> size = ReadImageSize(item.OriginalPath);
  const QString width = size ? QString::number(size->width) : QString();
  const QString height = size ? QString::number(size->height) : QString();
  QString out;
  qsizetype copied = 0;
  do {
    const bool isWidth = match.Captured(text, 1).compare(u"w", Qt::CaseInsensitive) == 0;
    out += QStringView(text).mid(copied, match.Start(0) - copied);
    out += isWidth ? width : height;
    copied = match.End(0);
  } while (imageSize_.Search(text, copied, 0, match) == Regex::Found::kMatch);
  out += QStringView(text).mid(copied);
  text = std::move(out);
}

LocalMoment KeywordExpander::TakenOrModified(const TRenameItem& item) const {
  QDateTime taken;
  if (item.TakenLocal) {
    taken = *item.TakenLocal;
  } else {
    if (takenPath_.isNull() || takenPath_ != item.OriginalPath) {
      takenRead_ = ReadTakenTime(item.OriginalPath, context_.timeZone).value_or(QDateTime());
      takenPath_ = item.OriginalPath;
    }
    taken = takenRead_;
  }
  if (taken.isValid()) return {taken.date(), taken.time()};
  usedItemTimes_ = true;
  return localTime_.ToLocal(item.ModifiedUtc.isValid() ? item.ModifiedUtc : ZeroTime());
}

std::optional<QDateTime> KeywordExpander::TakenTimeRead(const TRenameItem& item) const {
  if (item.TakenLocal || takenPath_.isNull() || takenPath_ != item.OriginalPath) {
    return std::nullopt;
  }
  return takenRead_;
}

QString ExpandFormattedKeywords(const QString& text, const TRenameItem& item,
                                const EngineContext& context) {
  return KeywordExpander(context).Expand(text, item);
}

}  // namespace corvane
