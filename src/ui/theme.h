// The theme "Allports" and the program's icons, compiled into the program
// with the Qt resource system.
#pragma once

#include <QIcon>
#include <QString>

#include "base/error.h"

class QApplication;

namespace corvane {

inline constexpr char16_t kThemeName[] = u"Allports";
inline constexpr char16_t kThemeResource[] = u":/corvane/theme/allports.qss";

// Applies the style sheet at `resource` to the whole application. When it
// cannot be read the look stays as it was and the error says so ("The theme
// "%s" could not be applied.").
Status ApplyTheme(QApplication& app, const QString& resource = QString::fromUtf16(kThemeResource));

// One of the program's SVG icons by its name ("plus", "cross", "eye", ...);
// "corvane" is the application's own. Drawn at any size, so sharp on
// high-resolution screens.
QIcon ProgramIcon(const QString& name);

}  // namespace corvane
