#include "engine/preview.h"

#include <algorithm>

#include "base/english_text.h"
#include "engine/decimal_text.h"
#include "engine/new_name.h"

namespace corvane {

QString FormatCounter(int64_t start, int64_t index, int digits) {
  // The sum is taken unsigned: it wraps instead of overflowing, and for every
  // counter a preview can produce (a 32-bit start plus a list position) it is
  // exact.
  const int64_t value = static_cast<int64_t>(uint64_t(start) + uint64_t(index));
  QString text;
  text.reserve(std::max(digits, 20) + 1);
  AppendDecimal(text, value, digits);
  return text;
}

Result<PreviewOutcome> BuildPreview(const QList<TRenameItem>& items, const RenameOptions& options,
                                    const EngineContext& context) {
  PreviewOutcome outcome;
  if (items.isEmpty()) {
    outcome.notice =
        Notice::Information(QStringLiteral(EN_TEXT("No files loaded. Add files first.")));
    return outcome;
  }
  Result<NewNameBuilder> builder = NewNameBuilder::Create(options, context);
  if (!builder.ok()) return builder.error();

  const int64_t start = CounterStartValue(options);
  const int digits = DigitsValue(options);
  const qsizetype count = items.size();
  outcome.newNames.reserve(count);
  for (qsizetype i = 0; i < count; ++i) {
    Result<QString> name = builder->Compute(items[i], FormatCounter(start, i, digits));
    if (!name.ok()) return name.error();
    if (*name != items[i].NewName) outcome.changedRows.append(i);
    if (std::optional<QDateTime> taken = builder->TakenTimeRead(items[i])) {
      outcome.takenTimesRead.append({i, std::move(*taken)});
    }
    outcome.newNames.append(std::move(name).value());
  }
  outcome.usedSizesOrTimes = builder->UsedSizesOrTimes();
  return outcome;
}

}  // namespace corvane
