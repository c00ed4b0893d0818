// A folder of the user's own for a file the program writes and then starts
// (the downloaded installer).
//
// On Windows it is the user's temporary folder, which is already private. On
// Linux and other systems the shared temporary folder lets any user put a
// file or a link under a name another user is about to write and run, so the
// folder is one that only the current user can enter (mode 0700, owned by the
// user, not a link): "corvane" under the runtime folder when that folder is
// private itself, else "corvane-<uid>" under the temporary folder, else, when
// someone else got to that name first, a fresh folder made by mkdtemp.
#pragma once

#include <QString>

#include "base/error.h"

namespace corvane {

// The folder for the current user, made when missing.
Result<QString> PrivateTempFolder();

// The same with the runtime folder ($XDG_RUNTIME_DIR, may be empty) and the
// temporary folder named, for tests.
Result<QString> PrivateTempFolderIn(const QString& runtimeFolder, const QString& tempFolder);

}  // namespace corvane
