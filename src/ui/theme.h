// The theme "Allports" and the program's icons, compiled into the program
// with the Qt resource system. The theme is a table of colours by role
// (data/theme/allports.colors) drawn by AllportsStyle.
#pragma once

#include <QIcon>
#include <QString>

#include "base/error.h"

class QApplication;

namespace corvane {

inline constexpr char16_t kThemeName[] = u"Allports";
inline constexpr char16_t kThemeResource[] = u":/corvane/theme/allports.colors";

// Applies the theme whose colours are at `resource` to the whole
// application: its style and palette. When the colours cannot be read, or
// any is missing, the look stays as it was and the error says so ("The theme
// "%s" could not be applied.").
Status ApplyTheme(QApplication& app, const QString& resource = QString::fromUtf16(kThemeResource));

// One of the program's SVG icons by its name ("plus", "cross", "eye", ...);
// "corvane" is the application's own. Drawn at any size, so sharp on
// high-resolution screens, and only once painted.
QIcon ProgramIcon(const QString& name);

}  // namespace corvane
