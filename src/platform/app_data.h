// The user's application-data folder, under which the program keeps its files
// (the undo log).
//
// The environment variable APPDATA wins when it is set and not empty, on every
// platform, so tests and scripts can redirect it. Otherwise: the roaming
// application-data folder on Windows; $XDG_DATA_HOME when it is an absolute
// path, else ~/.local/share, elsewhere. The folder need not exist yet.
#pragma once

#include <QString>

namespace corvane {

QString ApplicationDataFolder();

}  // namespace corvane
