#include "platform/app_data.h"

#include <QDir>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include "platform/win32/win32_system.h"
#else
#include "platform/native_name.h"
#endif

namespace corvane {
namespace {

#ifdef Q_OS_WIN
QString PlatformDataFolder() { return QString::fromStdWString(win32::RoamingAppDataFolder()); }

QString EnvironmentPath(const char* name) { return qEnvironmentVariable(name); }
#else
// The bytes of a path in the environment, decoded as names are.
QString EnvironmentPath(const char* name) { return DecodeNativeName(qgetenv(name)); }

QString PlatformDataFolder() {
  // The XDG rules say a relative value is invalid and is to be ignored.
  const QString xdg = EnvironmentPath("XDG_DATA_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return xdg;
  const QString home = EnvironmentPath("HOME");
  return (home.isEmpty() ? QDir::homePath() : home) + QStringLiteral("/.local/share");
}
#endif

}  // namespace

QString ApplicationDataFolder() {
  const QString appData = EnvironmentPath("APPDATA");
  return appData.isEmpty() ? PlatformDataFolder() : appData;
}

}  // namespace corvane
