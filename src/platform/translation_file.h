// Where the program reads its translations, "transl.dt".
#pragma once

#include <QString>

namespace corvane {

// Beside the executable, as in a build folder, else in the installed data
// folder relative to it (bin/ and share/corvane/). Names the first place when
// neither holds the file.
QString TranslationFilePath(const QString& executableFolder);

}  // namespace corvane
