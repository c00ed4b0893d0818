#include "engine/preview.h"

#include "engine/new_name.h"


namespace corvane {

QString FormatCounter(int64_t start, int64_t index, int digits) {
  // Both values come from 32-bit options and list positions, far from the
  // 64-bit limits; the magnitude is taken unsigned so that even the smallest
  // 64-bit value has one.
  const int64_t value = start + index;
  const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : uint64_t(value);
  QString text = QString::number(magnitude);
  if (text.size() < digits) text.prepend(QString(digits - text.size(), u'0'));
  if (value < 0) text.prepend(u'-');
  return text;
}

Result<PreviewOutcome> BuildPreview(const QList<TRenameItem>& items,
                                    const RenameOptions& options, const EngineContext& context) {
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
