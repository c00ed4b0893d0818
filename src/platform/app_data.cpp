#include "platform/app_data.h"

#include <QDir>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <shlobj.h>
#include <windows.h>
#else
#include "platform/native_name.h"
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
