// Turning the keys and switches of a command line into rename options.
//
// Keys: pattern, start, digits, case, extcase, find, replace, newext, conflict;
// switches: regex, subfolders. They are applied in that order to a
// RenameOptions that starts from the window's current values, or from a preset
// loaded by /preset=FILE. What an absent key does depends on that start:
// without a preset, find, replace, regex, newext and conflict take their
// command-line defaults (empty, empty, off, none, auto-number); with a preset,
// every absent key keeps the preset's value. pattern, start, digits, case,
// extcase and subfolders always keep the current value when absent. The key
// sort and the switch reverse order the list, not the options.
#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <span>

#include "collect/item_order.h"
#include "engine/rename_options.h"

namespace corvane {

// The switches and keys the program knows.
inline constexpr QStringView kSwitchCli = u"cli";
inline constexpr QStringView kSwitchDryRun = u"dryrun";
inline constexpr QStringView kSwitchRegex = u"regex";
inline constexpr QStringView kSwitchSubfolders = u"subfolders";
inline constexpr QStringView kSwitchReverse = u"reverse";
inline constexpr QStringView kSwitchUndo = u"undo";
inline constexpr QStringView kSwitchHelp = u"help";
inline constexpr QStringView kSwitchVersion = u"version";
inline constexpr QStringView kKeyPattern = u"pattern";
inline constexpr QStringView kKeyStart = u"start";
inline constexpr QStringView kKeyDigits = u"digits";
inline constexpr QStringView kKeyCase = u"case";
inline constexpr QStringView kKeyExtCase = u"extcase";
inline constexpr QStringView kKeyFind = u"find";
inline constexpr QStringView kKeyReplace = u"replace";
inline constexpr QStringView kKeyNewExt = u"newext";
inline constexpr QStringView kKeyConflict = u"conflict";
inline constexpr QStringView kKeyPreset = u"preset";
inline constexpr QStringView kKeySort = u"sort";

inline constexpr std::array<QStringView, 8> kSwitches = {
    kSwitchCli,     kSwitchDryRun, kSwitchRegex, kSwitchSubfolders,
    kSwitchReverse, kSwitchUndo,   kSwitchHelp,  kSwitchVersion};
inline constexpr std::array<QStringView, 11> kKeys = {
    kKeyPattern, kKeyStart,  kKeyDigits,   kKeyCase,   kKeyExtCase, kKeyFind,
    kKeyReplace, kKeyNewExt, kKeyConflict, kKeyPreset, kKeySort};

// The values of /extcase=, in the order of ExtCaseMode.
inline constexpr std::array<QStringView, 3> kExtCaseValues = {u"unchanged", u"lower", u"upper"};
// The values of /sort=, in the order of ListOrder.
inline constexpr std::array<QStringView, 4> kSortValues = {u"name", u"modified", u"taken", u"size"};

// A key that takes only the values listed: any other (not empty) value stops
// the run before anything is done, since a mistyped one would otherwise rename
// with a case or in an order nobody asked for.
struct ChoiceKey {
  QStringView key;
  std::span<const QStringView> values;
};
inline constexpr ChoiceKey kChoiceKeys[] = {{kKeyExtCase, kExtCaseValues}, {kKeySort, kSortValues}};

// The forms other programs have taught, taken only exactly as written.
inline constexpr QStringView kLongHelp = u"--help";
inline constexpr QStringView kShortHelp = u"-h";
inline constexpr QStringView kLongVersion = u"--version";

// /help, --help or -h.
bool AsksForHelp(const QStringList& args);
// /version or --version.
bool AsksForVersion(const QStringList& args);

enum class AbsentKeys {
  kTakeDefaults,  // no preset: absent keys take the command-line defaults
  kKeepCurrent,   // a preset was loaded: absent keys keep its values
};

RenameOptions ApplyCommandLineKeys(const QStringList& args, RenameOptions options,
                                   AbsentKeys absent);

// "lower", "upper", "title" (letters A to Z without case) give their mode;
// any other text gives Unchanged.
CaseMode CaseModeFromText(QStringView text);

// One of kExtCaseValues (letters A to Z without case) gives its mode; any
// other text gives nullopt.
std::optional<ExtCaseMode> ExtCaseModeFromText(QStringView text);

// "skip" and "overwrite" (letters A to Z without case) give their mode; any
// other text gives AutoNumber.
ConflictMode ConflictModeFromText(QStringView text);

// "name", "modified", "taken" and "size" (letters A to Z without case) give
// their sort; any other text gives nullopt.
std::optional<ListOrder> ListOrderFromText(QStringView text);

// The orders /sort= and /reverse ask for, in the order they are applied: the
// sort first, then the reversal. A /sort= value that names no sort is left
// out (the argument check refuses it before a run).
QList<ListOrder> ListOrdersOfCommandLine(const QStringList& args);

// Whether `arg` is one of the program's switches or carries one of its keys
// (the dashed help and version forms included), so that it is never taken for
// a file or folder.
bool IsCommandLineName(const QString& arg);

// The arguments that are neither switches nor values of the program's names,
// in order: the candidates for files and folders to add.
QStringList PathArguments(const QStringList& args);

}  // namespace corvane
