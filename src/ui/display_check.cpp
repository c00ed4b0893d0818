#include "ui/display_check.h"

namespace corvane {
namespace {

bool Set(const QProcessEnvironment& environment, const char* name) {
  return !environment.value(QString::fromLatin1(name)).isEmpty();
}

QString ChosenPlatform(const QStringList& arguments, const QProcessEnvironment& environment) {
  for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == u"-platform" || arguments[i] == u"--platform") return arguments[i + 1];
  }
  return environment.value(QStringLiteral("QT_QPA_PLATFORM"));
}

}  // namespace

bool DisplayAvailable(const QStringList& arguments, const QProcessEnvironment& environment) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
  Q_UNUSED(arguments);
  Q_UNUSED(environment);
  return true;
#else
  const bool x11 = Set(environment, "DISPLAY");
  const bool wayland = Set(environment, "WAYLAND_DISPLAY");
  const QString chosen = ChosenPlatform(arguments, environment);
  if (chosen.isEmpty()) return x11 || wayland;
  // "xcb;wayland" lists fallbacks; "vnc:size=800x600" carries options.
  for (const QString& entry : chosen.split(u';', Qt::SkipEmptyParts)) {
    const QString name = entry.section(u':', 0, 0).trimmed();
    if (name == u"xcb") {
      if (x11) return true;
    } else if (name.startsWith(u"wayland")) {
      if (wayland) return true;
    } else {
      return true;
    }
  }
  return false;
#endif
}

}  // namespace corvane
