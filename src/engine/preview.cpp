#include "engine/preview.h"

#include "engine/new_name.h"

#include <algorithm>

namespace corvane {

QString FormatCounter(int64_t start, int64_t index, int digits) {
  // The sum is taken unsigned: it wraps instead of overflowing, and for every
  // counter a preview can produce (a 32-bit start plus a list position) it is
  // exact. The magnitude is taken unsigned too, so even the smallest 64-bit
  // value has one.
  const int64_t value = static_cast<int64_t>(uint64_t(start) + uint64_t(index));
  uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
  char16_t reversed[20];
  int count = 0;
  do {
    reversed[count++] = char16_t(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const int width = std::max(count, digits);
  QString text(width + (value < 0 ? 1 : 0), Qt::Uninitialized);
  QChar* out = text.data();
  if (value < 0) *out++ = u'-';
  for (int i = count; i < width; ++i) *out++ = u'0';
  while (count > 0) *out++ = reversed[--count];
  return text;
}

Result<PreviewOutcome> BuildPreview(const QList<TRenameItem>& items, const RenameOptions& options,
                                    const EngineContext& context) {
  PreviewOutcome outcome;
  if (items.isEmpty()) {
    outcome.notice = Notice::Information(QStringLiteral("No files loaded. Add files first."));
    return outcome;
  }
  Result<NewNameBuilder> builder = NewNameBuilder::Create(options, context);
  if (!builder.ok()) return builder.error();

  const int64_t start = CounterStartValue(options);
  const int digits = DigitsValue(options);
  const qsizetype count = items.size();
  outcome.newNames.reserve(count);
  for (qsizetype i = 0; i < count; ++i) {
    QString name = builder->Compute(items[i], FormatCounter(start, i, digits));
    if (name != items[i].NewName) outcome.changedRows.append(i);
    outcome.newNames.append(std::move(name));
  }
  return outcome;
}

}  // namespace corvane
