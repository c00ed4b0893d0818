// Where the version check and the installer download go.
//
// The build names the server (CMake cache variable CORVANE_UPDATE_SERVER,
// https by default) and can leave the check out (option CORVANE_UPDATE_CHECK,
// for distributions that update programs themselves). At run time the
// environment variable CORVANE_UPDATE_SERVER, when set, replaces the built
// address, and turns the check off when it is empty. An address that is not
// http or https with a host and no path also turns the check off: the check
// never stops start-up with a complaint.
#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace corvane {

inline constexpr char16_t kVersionPagePath[] = u"/download/version/zunt-version.html";
inline constexpr char16_t kChangeListPath[] = u"/download/version/zunt-changes.html";
inline constexpr char16_t kInstallerPath[] = u"/download/zunt.exe";
inline constexpr char16_t kInstallerFileName[] = u"lrk_update.exe";

// The server from the build's settings and `environment` (the variable's
// value, nullopt when it is not set); nullopt when the check is off.
std::optional<QUrl> ResolveUpdateServer(bool checkBuilt, const QString& builtAddress,
                                        const std::optional<QString>& environment);

// The same for this build and this process's environment.
std::optional<QUrl> ConfiguredUpdateServer();

// `path` on `server`.
QUrl ServerAddress(const QUrl& server, QStringView path);

// The maker's home page: the server's root over https.
QUrl HomePage(const QUrl& server);

}  // namespace corvane
