#include "ui/display_check.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
TEST(DisplayCheckTest, AWindowNeedsADisplayServerUnlessThePlatformDrawsWithoutOne) {
  struct Case {
    const char* name;
    QStringList args;
    QStringList env;  // NAME=value
    bool available;
  };
  const Case cases[] = {
      {"nothing set", {}, {}, false},
      {"empty DISPLAY", {}, {"DISPLAY="}, false},
      {"X11", {}, {"DISPLAY=:0"}, true},
      {"Wayland", {}, {"WAYLAND_DISPLAY=wayland-0"}, true},
      {"offscreen", {}, {"QT_QPA_PLATFORM=offscreen"}, true},
      {"VNC with options", {}, {"QT_QPA_PLATFORM=vnc:size=800x600"}, true},
      {"xcb without X11", {}, {"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"}, false},
      {"xcb with X11", {}, {"QT_QPA_PLATFORM=xcb", "DISPLAY=:1"}, true},
      {"wayland without it", {}, {"QT_QPA_PLATFORM=wayland", "DISPLAY=:0"}, false},
      {"fallback list", {}, {"QT_QPA_PLATFORM=wayland;xcb", "DISPLAY=:0"}, true},
      {"argument over variable", {"-platform", "offscreen"}, {"QT_QPA_PLATFORM=xcb"}, true},
      {"argument xcb", {"a.txt", "-platform", "xcb"}, {"QT_QPA_PLATFORM=offscreen"}, false},
  };
  for (const Case& c : cases) {
    QProcessEnvironment env;
    for (const QString& pair : c.env) env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    EXPECT_EQ(DisplayAvailable(c.args, env), c.available) << c.name;
  }
}
#endif

}  // namespace
}  // namespace corvane
