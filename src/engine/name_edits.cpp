#include "engine/name_edits.h"

#include <QSet>

#include <algorithm>

namespace corvane {
namespace {

// No file system takes a longer file name, so wider padding could only build
// names that fail; without this bound a typo such as 999999999 would try to
// allocate gigabytes for every digit run.
constexpr int32_t kLongestFileName = 255;

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

void RemoveFirst(QString& text, int32_t n) {
  if (n > 0) text.remove(0, n);  // QString::remove clamps: n >= size empties it
}

void RemoveLast(QString& text, int32_t n) {
  if (n > 0 && n <= text.size()) text.chop(n);
}

void RemoveRange(QString& text, int32_t from, int32_t till) {
  if (from <= 0 || till < from || from > text.size()) return;
  till = std::min<qsizetype>(till, text.size());
  text.remove(from - 1, till - from + 1);
}

void RemoveCharacters(QString& text, const QString& set) {
  if (set.isEmpty()) return;
  text.removeIf([&set](QChar c) { return set.contains(c); });
}

void CollapseDoubleSpaces(QString& text) {
  QString result;
  result.reserve(text.size());
  for (QChar c : text) {
    if (c == u' ' && !result.isEmpty() && result.back() == u' ') continue;
    result.append(c);
  }
  text = std::move(result);
}

void CropBefore(QString& text, const QString& marker) {
  if (marker.isEmpty()) return;
  const qsizetype at = text.indexOf(marker);
  if (at >= 0) text.truncate(at);
}

void CropAfter(QString& text, const QString& marker) {
  if (marker.isEmpty()) return;
  const qsizetype at = text.indexOf(marker);
  if (at >= 0) text.remove(0, at + marker.size());
}

void InsertText(QString& text, const QString& insert, int32_t position) {
  if (insert.isEmpty()) return;
  const qsizetype p = std::clamp<qsizetype>(position, 1, text.size() + 1);
  text.insert(p - 1, insert);
}

}  // namespace

QString ZeroFillNumbers(const QString& text, int digits) {
  QString result;
  result.reserve(text.size());
  qsizetype i = 0;
  while (i < text.size()) {
    if (!IsAsciiDigit(text[i])) {
      result.append(text[i++]);
      continue;
    }
    qsizetype end = i;
    while (end < text.size() && IsAsciiDigit(text[end])) ++end;
    qsizetype significant = i;
    while (significant < end - 1 && text[significant] == u'0') ++significant;
    const qsizetype length = end - significant;
    if (length < digits) result.append(QString(digits - length, u'0'));
    result.append(QStringView(text).mid(significant, length));
    i = end;
  }
  return result;
}

NameEdits::NameEdits(const RenameOptions& options)
    : removeFirst_(RemoveFirstValue(options)),
      removeLast_(RemoveLastValue(options)),
      removeFromPos_(RemoveFromPosValue(options)),
      removeTillPos_(RemoveTillPosValue(options)),
      charactersToRemove_(options.charactersToRemove),
      collapseDoubleSpaces_(options.collapseDoubleSpaces),
      cropBefore_(options.cropBefore),
      cropAfter_(options.cropAfter),
      insertText_(options.insertText),
      insertPos_(InsertPosValue(options)),
      padNumbers_(std::min(PadNumbersValue(options), kLongestFileName)) {}

QString NameEdits::Apply(const QString& name) const {
  QString text = name;
  RemoveFirst(text, removeFirst_);
  RemoveLast(text, removeLast_);
  RemoveRange(text, removeFromPos_, removeTillPos_);
  RemoveCharacters(text, charactersToRemove_);
  if (collapseDoubleSpaces_) CollapseDoubleSpaces(text);
  CropBefore(text, cropBefore_);
  CropAfter(text, cropAfter_);
  InsertText(text, insertText_, insertPos_);
  if (padNumbers_ > 0) text = ZeroFillNumbers(text, padNumbers_);
  return text;
}

QString ApplyNameEdits(const QString& name, const RenameOptions& options) {
  return NameEdits(options).Apply(name);
}

}  // namespace corvane
