#include "ui/option_rows.h"

#include "base/english_text.h"

namespace corvane {
namespace {

using O = RenameOptions;
using enum OptionPlace;

// The entries of the choices, in the order of CaseMode, ExtCaseMode, BatchMode
// and ConflictMode.
constexpr const char16_t* kCaseEntries[] = {EN_TEXT("Unchanged"), EN_TEXT("lowercase"),
                                            EN_TEXT("UPPERCASE"), EN_TEXT("Title Case")};
constexpr const char16_t* kExtCaseEntries[] = {EN_TEXT("Unchanged"), EN_TEXT("lowercase"),
                                               EN_TEXT("UPPERCASE")};
constexpr const char16_t* kBatchModeEntries[] = {
    EN_TEXT("Rename in place"), EN_TEXT("Copy to folder"), EN_TEXT("Move to folder")};
constexpr const char16_t* kConflictEntries[] = {EN_TEXT("Skip"), EN_TEXT("Overwrite"),
                                                EN_TEXT("Auto-number")};

constexpr OptionRow kOptionsPanelRows[] = {
    {"GroupBox1", EN_TEXT("Find in name:"), "edtFind", TextField(&O::find)},
    {"GroupBox1", EN_TEXT("Replace with:"), "edtReplace", TextField(&O::replace)},
    {"GroupBox2", EN_TEXT("Pattern:"), "edtPattern", TextField(&O::pattern), kBesideButton},
    {"GroupBox2", EN_TEXT("New extension:"), "chkNewExt", CheckField(&O::changeExt), kCheckCaption},
    {"GroupBox2", EN_TEXT("New extension:"), "edtNewExt", TextField(&O::newExt), kBesideCheck},
    {"GroupBox2", EN_TEXT("Case:"), "cbCase", ChoiceField(&O::caseMode, kCaseEntries)},
    {"GroupBox2", EN_TEXT("Extension case:"), "cbExtCase",
     ChoiceField(&O::extCase, kExtCaseEntries)},
    {"GroupBox3", EN_TEXT("Insert text"), "edtInsertText", TextField(&O::insertText)},
    {"GroupBox3", EN_TEXT("at position:"), "edtInsertPos", NumberField(&O::insertPos)},
    {"GroupBox4", EN_TEXT("Remove first:"), "edtRemoveFirst", NumberField(&O::removeFirst)},
    {"GroupBox4", EN_TEXT("Remove last:"), "edtRemoveLast", NumberField(&O::removeLast)},
    {"GroupBox8", EN_TEXT("Remove from position"), "edtRemoveFromPos",
     NumberField(&O::removeFromPos)},
    {"GroupBox8", EN_TEXT("until position:"), "edtRemoveTillPos", NumberField(&O::removeTillPos)},
    {"GroupBox5", EN_TEXT("Trim from text:"), "edtCropBefore", TextField(&O::cropBefore)},
    {"GroupBox5", EN_TEXT("Trim until text:"), "edtCropAfter", TextField(&O::cropAfter)},
    {"GroupBox7", EN_TEXT("Remove characters:"), "edtCharactersToRemove",
     TextField(&O::charactersToRemove)},
    {"GroupBox7", EN_TEXT("Collapse double spaces"), "chkCollapseDoubleSpaces",
     CheckField(&O::collapseDoubleSpaces), kAcross},
    {"GroupBox6", EN_TEXT("Add leading zeroes to the numbers. Digits count:"), "edtPadNumbers",
     NumberField(&O::padNumbers), kWrappedCaption},
    // Presets save and load this value and drops read it; it is never shown.
    {nullptr, EN_TEXT("Include subfolders"), "chkIncludeSubfolders",
     CheckField(&O::includeSubfolders), kHidden},
};

constexpr OptionRow kOperationRows[] = {
    {nullptr, EN_TEXT("Operation:"), "cbBatchMode", ChoiceField(&O::batchMode, kBatchModeEntries),
     kByOwner, "lblOperation"},
    {nullptr, EN_TEXT("Destination:"), "edtDestination", TextField(&O::destination), kByOwner,
     "lblDestination"},
};

constexpr OptionRow kSettingsRows[] = {
    {"GroupBox1", EN_TEXT("Counter start:"), "edtCounterStart", CountField(&O::counterStart),
     kCaptioned, "lblCounterStart"},
    {"GroupBox1", EN_TEXT("Digits:"), "edtDigits", CountField(&O::digits), kCaptioned, "lblDigits"},
    {"GroupBox4", EN_TEXT("Change:"), "cbConflict", ChoiceField(&O::conflict, kConflictEntries),
     kCaptioned, "Label3"},
    {"GroupBox2", EN_TEXT("Use Regular Expressions"), "cbRegex", CheckField(&O::regex), kAcross},
    {"GroupBox3", EN_TEXT("Update modified date/time"), "chkTouchModifiedNow",
     CheckField(&O::touchModifiedNow), kAcross},
};

}  // namespace

std::span<const OptionRow> OptionsPanelRows() { return kOptionsPanelRows; }
std::span<const OptionRow> OperationRows() { return kOperationRows; }
std::span<const OptionRow> SettingsRows() { return kSettingsRows; }

}  // namespace corvane
