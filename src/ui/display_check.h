// Whether the window can be opened at all: on X11 and Wayland desktops the
// toolkit aborts the process when it finds no display, so start-up asks first
// and ends with a message of its own.
#pragma once

#include <QProcessEnvironment>
#include <QStringList>

namespace corvane {

// `arguments`: the process's arguments (a "-platform NAME" pair among them
// chooses the platform as QT_QPA_PLATFORM does). A platform that draws
// without a display server (offscreen, a frame buffer, VNC) always has one;
// X11 needs DISPLAY and Wayland WAYLAND_DISPLAY; without a chosen platform
// either will do. Windows and macOS always have a display.
bool DisplayAvailable(const QStringList& arguments, const QProcessEnvironment& environment);

}  // namespace corvane
