// RenameOptions: every option of a rename, as one value.
//
// The windows read their controls into one RenameOptions when a command starts;
// presets and the command line turn text into one. Field names are the keys of
// the preset file, in its order. Numeric options are held as the text the user
// typed and read only where they are used (the ...Value functions below).
// The four choice fields hold the selected position of a drop-down list:
// -1, or any value outside the enumeration, means "no selection".
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace corvane {

enum class CaseMode { Unchanged = 0, Lowercase = 1, Uppercase = 2, TitleCase = 3 };
enum class ConflictMode { Skip = 0, Overwrite = 1, AutoNumber = 2 };
enum class BatchMode { RenameInPlace = 0, CopyToFolder = 1, MoveToFolder = 2 };
enum class ExtCaseMode { Unchanged = 0, Lowercase = 1, Uppercase = 2 };

inline constexpr int kNoSelection = -1;

struct RenameOptions {
  QString find;
  QString replace;
  bool regex = false;
  QString pattern = QStringLiteral("{name}");
  QString counterStart = QStringLiteral("1");
  QString digits = QStringLiteral("3");
  int caseMode = static_cast<int>(CaseMode::Unchanged);  // preset key "case"
  bool changeExt = false;
  QString newExt;
  int conflict = static_cast<int>(ConflictMode::AutoNumber);
  QString insertText;
  QString insertPos = QStringLiteral("1");
  QString removeFirst = QStringLiteral("0");
  QString removeLast = QStringLiteral("0");
  QString removeFromPos = QStringLiteral("0");
  QString removeTillPos = QStringLiteral("0");
  QString charactersToRemove;
  bool collapseDoubleSpaces = false;
  QString cropBefore;  // keeps what stands before this text
  QString cropAfter;   // keeps what stands after this text
  QString padNumbers = QStringLiteral("0");
  bool includeSubfolders = false;
  int batchMode = static_cast<int>(BatchMode::RenameInPlace);
  QString destination;
  bool touchModifiedNow = false;
  int extCase = static_cast<int>(ExtCaseMode::Unchanged);

  friend bool operator==(const RenameOptions&, const RenameOptions&) = default;
};

// The selected entry of a choice field, or nullopt for no (or no valid) selection.
std::optional<CaseMode> SelectedCaseMode(int value);
std::optional<ConflictMode> SelectedConflictMode(int value);
std::optional<BatchMode> SelectedBatchMode(int value);
std::optional<ExtCaseMode> SelectedExtCaseMode(int value);

// The numeric fields read by ReadWholeNumber with their defaults; removeFromPos
// and removeTillPos are trimmed first, the others not.
int32_t CounterStartValue(const RenameOptions& o);   // default 1
int32_t DigitsValue(const RenameOptions& o);         // default 3, limited to 1..10
int32_t InsertPosValue(const RenameOptions& o);      // default 1
int32_t RemoveFirstValue(const RenameOptions& o);    // default 0
int32_t RemoveLastValue(const RenameOptions& o);     // default 0
int32_t RemoveFromPosValue(const RenameOptions& o);  // default 0, trimmed
int32_t RemoveTillPosValue(const RenameOptions& o);  // default 0, trimmed
int32_t PadNumbersValue(const RenameOptions& o);     // default 0

}  // namespace corvane
