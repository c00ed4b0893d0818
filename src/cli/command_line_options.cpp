#include "cli/command_line_options.h"

#include <array>
#include <optional>

#include "cli/command_line.h"
#include "platform/paths.h"

namespace corvane {
namespace {

// Sets `field` from the key's value; an absent key resets it to `fallback`
// or keeps it, as `absent` says.
void SetOrDefault(QString& field, const std::optional<QString>& value, AbsentKeys absent,
                  const QString& fallback = {}) {
  if (value) {
    field = *value;
  } else if (absent == AbsentKeys::kTakeDefaults) {
    field = fallback;
  }
}

// Where `text` stands among `values`, letters A to Z without case.
std::optional<std::size_t> PositionAmong(QStringView text, std::span<const QStringView> values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (EqualIgnoringAsciiCase(text, values[i])) return i;
  }
  return std::nullopt;
}

}  // namespace

CaseMode CaseModeFromText(QStringView text) {
  if (EqualIgnoringAsciiCase(text, u"lower")) return CaseMode::Lowercase;
  if (EqualIgnoringAsciiCase(text, u"upper")) return CaseMode::Uppercase;
  if (EqualIgnoringAsciiCase(text, u"title")) return CaseMode::TitleCase;
  return CaseMode::Unchanged;
}

std::optional<ExtCaseMode> ExtCaseModeFromText(QStringView text) {
  const std::optional<std::size_t> position = PositionAmong(text, kExtCaseValues);
  if (!position) return std::nullopt;
  return static_cast<ExtCaseMode>(*position);
}

ConflictMode ConflictModeFromText(QStringView text) {
  if (EqualIgnoringAsciiCase(text, u"skip")) return ConflictMode::Skip;
  if (EqualIgnoringAsciiCase(text, u"overwrite")) return ConflictMode::Overwrite;
  return ConflictMode::AutoNumber;
}

std::optional<ListOrder> ListOrderFromText(QStringView text) {
  const std::optional<std::size_t> position = PositionAmong(text, kSortValues);
  if (!position) return std::nullopt;
  return static_cast<ListOrder>(*position);
}

QList<ListOrder> ListOrdersOfCommandLine(const QStringList& args) {
  QList<ListOrder> orders;
  if (const std::optional<QString> sort = FindSwitchValue(args, kKeySort)) {
    if (const std::optional<ListOrder> order = ListOrderFromText(*sort)) orders << *order;
  }
  if (HasSwitch(args, kSwitchReverse)) orders << ListOrder::kReversed;
  return orders;
}

RenameOptions ApplyCommandLineKeys(const QStringList& args, RenameOptions options,
                                   AbsentKeys absent) {
  if (auto v = FindSwitchValue(args, kKeyPattern)) options.pattern = *v;
  if (auto v = FindSwitchValue(args, kKeyStart)) options.counterStart = *v;
  if (auto v = FindSwitchValue(args, kKeyDigits)) options.digits = *v;
  if (auto v = FindSwitchValue(args, kKeyCase); v && !v->isEmpty()) {
    options.caseMode = static_cast<int>(CaseModeFromText(*v));
  }
  if (auto v = FindSwitchValue(args, kKeyExtCase); v && !v->isEmpty()) {
    if (const std::optional<ExtCaseMode> mode = ExtCaseModeFromText(*v)) {
      options.extCase = static_cast<int>(*mode);
    }
  }
  SetOrDefault(options.find, FindSwitchValue(args, kKeyFind), absent);
  SetOrDefault(options.replace, FindSwitchValue(args, kKeyReplace), absent);
  if (HasSwitch(args, kSwitchRegex)) {
    options.regex = true;
  } else if (absent == AbsentKeys::kTakeDefaults) {
    options.regex = false;
  }
  const std::optional<QString> newExt = FindSwitchValue(args, kKeyNewExt);
  if (newExt || absent == AbsentKeys::kTakeDefaults) {
    options.newExt = newExt.value_or(QString());
    options.changeExt = !options.newExt.isEmpty();
  }
  if (auto v = FindSwitchValue(args, kKeyConflict)) {
    options.conflict = static_cast<int>(ConflictModeFromText(*v));
  } else if (absent == AbsentKeys::kTakeDefaults) {
    options.conflict = static_cast<int>(ConflictMode::AutoNumber);
  }
  if (HasSwitch(args, kSwitchSubfolders)) options.includeSubfolders = true;
  return options;
}

bool AsksForHelp(const QStringList& args) {
  return HasSwitch(args, kSwitchHelp) || args.contains(kLongHelp) || args.contains(kShortHelp);
}

bool AsksForVersion(const QStringList& args) {
  return HasSwitch(args, kSwitchVersion) || args.contains(kLongVersion);
}

bool IsCommandLineName(const QString& arg) {
  if (arg == kLongHelp || arg == kShortHelp || arg == kLongVersion) return true;
  // Every other name begins with "/", and lower-casing never makes one; the
  // early answer keeps a command line of many thousand file names cheap.
  if (!arg.startsWith(u'/')) return false;
  const QStringList one{arg};
  for (QStringView name : kSwitches) {
    if (HasSwitch(one, name)) return true;
  }
  for (QStringView key : kKeys) {
    if (FindSwitchValue(one, key)) return true;
  }
  return false;
}

QStringList PathArguments(const QStringList& args) {
  QStringList paths;
  for (const QString& arg : args) {
    if (!IsCommandLineName(arg)) paths << arg;
  }
  return paths;
}

}  // namespace corvane
