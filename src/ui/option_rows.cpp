#include "ui/option_rows.h"

namespace corvane {
namespace {

using O = RenameOptions;
using enum OptionPlace;

// The entries of the choices, in the order of CaseMode, BatchMode and
// ConflictMode.
constexpr const char16_t* kCaseEntries[] = {u"Unchanged", u"lowercase", u"UPPERCASE",
                                            u"Title Case"};
constexpr const char16_t* kBatchModeEntries[] = {u"Rename in place", u"Copy to folder",
                                                 u"Move to folder"};
constexpr const char16_t* kConflictEntries[] = {u"Skip", u"Overwrite", u"Auto-number"};

constexpr OptionRow kOptionsPanelRows[] = {
    {"GroupBox1", u"Find in name:", "edtFind", TextField(&O::find)},
    {"GroupBox1", u"Replace with:", "edtReplace", TextField(&O::replace)},
    {"GroupBox2", u"Pattern:", "edtPattern", TextField(&O::pattern), kBesideButton},
    {"GroupBox2", u"New extension:", "chkNewExt", CheckField(&O::changeExt), kCheckCaption},
    {"GroupBox2", u"New extension:", "edtNewExt", TextField(&O::newExt), kBesideCheck},
    {"GroupBox2", u"Case:", "cbCase", ChoiceField(&O::caseMode, kCaseEntries)},
    {"GroupBox3", u"Insert text", "edtInsertText", TextField(&O::insertText)},
    {"GroupBox3", u"at position:", "edtInsertPos", NumberField(&O::insertPos)},
    {"GroupBox4", u"Remove first:", "edtRemoveFirst", NumberField(&O::removeFirst)},
    {"GroupBox4", u"Remove last:", "edtRemoveLast", NumberField(&O::removeLast)},
    {"GroupBox8", u"Remove from position", "edtRemoveFromPos", NumberField(&O::removeFromPos)},
    {"GroupBox8", u"until position:", "edtRemoveTillPos", NumberField(&O::removeTillPos)},
    {"GroupBox5", u"Trim from text:", "edtCropBefore", TextField(&O::cropBefore)},
    {"GroupBox5", u"Trim until text:", "edtCropAfter", TextField(&O::cropAfter)},
    {"GroupBox7", u"Remove characters:", "edtCharactersToRemove",
     TextField(&O::charactersToRemove)},
    {"GroupBox7", u"Collapse double spaces", "chkCollapseDoubleSpaces",
     CheckField(&O::collapseDoubleSpaces), kAcross},
    {"GroupBox6", u"Add leading zeroes to the numbers. Digits count:", "edtPadNumbers",
     NumberField(&O::padNumbers), kWrappedCaption},
    // Presets save and load this value and drops read it; it is never shown.
    {nullptr, u"Include subfolders", "chkIncludeSubfolders", CheckField(&O::includeSubfolders),
     kHidden},
};

constexpr OptionRow kOperationRows[] = {
    {nullptr, u"Operation:", "cbBatchMode", ChoiceField(&O::batchMode, kBatchModeEntries), kByOwner,
     "lblOperation"},
    {nullptr, u"Destination:", "edtDestination", TextField(&O::destination), kByOwner,
     "lblDestination"},
};

constexpr OptionRow kSettingsRows[] = {
    {"GroupBox1", u"Counter start:", "edtCounterStart", CountField(&O::counterStart), kCaptioned,
     "lblCounterStart"},
    {"GroupBox1", u"Digits:", "edtDigits", CountField(&O::digits), kCaptioned, "lblDigits"},
    {"GroupBox4", u"Change:", "cbConflict", ChoiceField(&O::conflict, kConflictEntries), kCaptioned,
     "Label3"},
    {"GroupBox2", u"Use Regular Expressions", "cbRegex", CheckField(&O::regex), kAcross},
    {"GroupBox3", u"Update modified date/time", "chkTouchModifiedNow",
     CheckField(&O::touchModifiedNow), kAcross},
};

}  // namespace

std::span<const OptionRow> OptionsPanelRows() { return kOptionsPanelRows; }
std::span<const OptionRow> OperationRows() { return kOperationRows; }
std::span<const OptionRow> SettingsRows() { return kSettingsRows; }

}  // namespace corvane
