#include "platform/app_data.h"

#include <QDir>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include "platform/win32/win32_system.h"
#endif

namespace corvane {
namespace {

#ifdef Q_OS_WIN
QString PlatformDataFolder() { return QString::fromStdWString(win32::RoamingAppDataFolder()); }
#else
QString PlatformDataFolder() {
  // The XDG rules say a relative value is invalid and is to be ignored.
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return xdg;
  return QDir::homePath() + QStringLiteral("/.local/share");
}
#endif

}  // namespace

QString ApplicationDataFolder() {
  const QString appData = qEnvironmentVariable("APPDATA");
  return appData.isEmpty() ? PlatformDataFolder() : appData;
}

}  // namespace corvane
