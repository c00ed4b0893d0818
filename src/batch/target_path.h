// Target paths of a batch: the settings a batch runs with, joining a folder
// with a new name under the checks every path and name must pass, and the
// first free auto-numbered name. The batch and its verdicts
// (batch/batch_verdicts.h) share these rules, so that what a preview predicts
// is what the batch does.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "base/error.h"
#include "base/notice.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"

namespace corvane {

// The options a batch reads, checked: nullopt, with `warning` set, when no
// batch mode is selected or a copy or move has no destination.
struct BatchSettings {
  BatchMode mode;
  std::optional<ConflictMode> conflict;  // none selected: a taken target stops the batch
  QString destination;                   // trimmed; empty for a rename in place
  bool touch;
};
std::optional<BatchSettings> SettingsOfBatch(const RenameOptions& options,
                                             std::optional<Notice>& warning);

// Why a file cannot be given a new name at all.
enum class NameFault {
  kInvalid,  // "." or "..", a character no path may hold, or a source the undo log cannot name
  kTooLong,  // longer than a file system takes
};

// Whether a file system takes `name` as the name of one entry: "." and ".."
// never; at most 255 bytes of UTF-8 on Linux (a byte that is not UTF-8 counts
// as one), 255 UTF-16 units on Windows. The rules of both, for tests anywhere.
std::optional<NameFault> NewNameFault(QStringView name);
std::optional<NameFault> NewNameFaultPosixRule(QStringView name);
std::optional<NameFault> NewNameFaultWindowsRule(QStringView name);

// Where the batch puts the file at `source` named `newName` (not empty): in
// its own folder for a rename in place, else in the destination. Fails with
// "Invalid characters in path", "Not a valid file name: %s" or "File name too
// long: %s"; `fault` (when given) then tells which.
Result<QString> BatchTargetPath(const BatchSettings& settings, QStringView source,
                                QStringView newName, NameFault* fault = nullptr);

// Whether an entry of this kind takes a target's name: anything but a folder,
// and a link whatever it points to (or whether it points anywhere).
bool IsTaken(EntryKind kind);

// `folder` joined with `fileName` (one separator between them unless the folder
// ends with one, or a drive colon). Fails with "Invalid characters in path"
// when either holds U+0000 to U+001F, a double quote, "<", ">" or "|".
Result<QString> JoinTargetPath(QStringView folder, QStringView fileName);

// The first of "base (1).ext", "base (2).ext", ... in `folder` that nothing
// takes at this moment (IsTaken; folders do not count); base and ext split
// `fileName` at its last dot. Fails with "File name too long: %s" when the
// first free one is longer than a file system takes (NewNameFault).
Result<QString> UniqueTargetPath(FileSystem& fs, const QString& folder, const QString& fileName);
// The same, with `taken` telling whether a path is taken.
Result<QString> UniqueTargetPath(const std::function<bool(const QString&)>& taken,
                                 const QString& folder, const QString& fileName);
// The same, searching from "base (first).ext" on; `number`, when given, is set
// to the number of the name found.
Result<QString> UniqueTargetPath(const std::function<bool(const QString&)>& taken,
                                 const QString& folder, const QString& fileName, qint64 first,
                                 qint64* number);

}  // namespace corvane
