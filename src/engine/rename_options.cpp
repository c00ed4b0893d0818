#include "engine/rename_options.h"

#include "engine/whole_number.h"

#include <algorithm>

namespace corvane {
namespace {

template <typename Enum>
std::optional<Enum> Selected(int value, Enum last) {
  if (value < 0 || value > static_cast<int>(last)) return std::nullopt;
  return static_cast<Enum>(value);
}

}  // namespace

std::optional<CaseMode> SelectedCaseMode(int value) { return Selected(value, CaseMode::TitleCase); }
std::optional<ConflictMode> SelectedConflictMode(int value) {
  return Selected(value, ConflictMode::AutoNumber);
}
std::optional<BatchMode> SelectedBatchMode(int value) {
  return Selected(value, BatchMode::MoveToFolder);
}
std::optional<ExtCaseMode> SelectedExtCaseMode(int value) {
  return Selected(value, ExtCaseMode::Uppercase);
}

int32_t CounterStartValue(const RenameOptions& o) { return ReadWholeNumber(o.counterStart, 1); }
int32_t DigitsValue(const RenameOptions& o) {
  return std::clamp(ReadWholeNumber(o.digits, 3), 1, 10);
}
int32_t InsertPosValue(const RenameOptions& o) { return ReadWholeNumber(o.insertPos, 1); }
int32_t RemoveFirstValue(const RenameOptions& o) { return ReadWholeNumber(o.removeFirst, 0); }
int32_t RemoveLastValue(const RenameOptions& o) { return ReadWholeNumber(o.removeLast, 0); }
int32_t RemoveFromPosValue(const RenameOptions& o) {
  return ReadWholeNumber(TrimControl(o.removeFromPos), 0);
}
int32_t RemoveTillPosValue(const RenameOptions& o) {
  return ReadWholeNumber(TrimControl(o.removeTillPos), 0);
}
int32_t PadNumbersValue(const RenameOptions& o) { return ReadWholeNumber(o.padNumbers, 0); }

}  // namespace corvane
