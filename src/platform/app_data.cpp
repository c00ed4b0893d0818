#include "platform/app_data.h"

#include <QDir>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <shlobj.h>
#include <windows.h>
#endif

namespace corvane {
namespace {

#ifdef Q_OS_WIN
QString PlatformDataFolder() {
  PWSTR path = nullptr;
  QString folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path))) {
    folder = QString::fromWCharArray(path);
  }
  CoTaskMemFree(path);
  return folder;
}
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
