// Target paths of a batch: joining a folder with a new name under the checks
// every path must pass, and the first free auto-numbered name.
#pragma once

#include "base/error.h"
#include "platform/file_system.h"

#include <QString>

namespace corvane {

// Whether an entry of this kind takes a target's name: anything but a folder,
// and a link whatever it points to (or whether it points anywhere).
bool IsTaken(EntryKind kind);

// `folder` joined with `fileName` (one separator between them unless the folder
// ends with one, or a drive colon). Fails with "Invalid characters in path"
// when either holds U+0000 to U+001F, a double quote, "<", ">" or "|".
Result<QString> JoinTargetPath(QStringView folder, QStringView fileName);

// The first of "base (1).ext", "base (2).ext", ... in `folder` that nothing
// takes at this moment (IsTaken; folders do not count); base and ext split
// `fileName` at its last dot.
QString UniqueTargetPath(FileSystem& fs, const QString& folder, const QString& fileName);

}  // namespace corvane
