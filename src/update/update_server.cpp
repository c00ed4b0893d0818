#include "update/update_server.h"

#include <QtGlobal>

namespace corvane {

std::optional<QUrl> ResolveUpdateServer(bool checkBuilt, const QString& builtAddress,
                                        const std::optional<QString>& environment) {
  if (!checkBuilt) return std::nullopt;
  const QUrl server(environment.value_or(builtAddress), QUrl::StrictMode);
  const bool web = server.scheme() == u"https" || server.scheme() == u"http";
  const bool root = server.path().isEmpty() || server.path() == u"/";
  if (!server.isValid() || !web || server.host().isEmpty() || !root || server.hasQuery() ||
      server.hasFragment()) {
    return std::nullopt;
  }
  return server.adjusted(QUrl::RemovePath);
}

std::optional<QUrl> ConfiguredUpdateServer() {
  std::optional<QString> environment;
  if (qEnvironmentVariableIsSet("CORVANE_UPDATE_SERVER")) {
    environment = qEnvironmentVariable("CORVANE_UPDATE_SERVER");
  }
  return ResolveUpdateServer(CORVANE_UPDATE_CHECK_BUILT,
                             QStringLiteral(CORVANE_UPDATE_SERVER_BUILT), environment);
}

QUrl ServerAddress(const QUrl& server, QStringView path) {
  QUrl address = server;
  address.setPath(path.toString());
  return address;
}

QUrl HomePage(const QUrl& server) {
  QUrl home;
  home.setScheme(QStringLiteral("https"));
  home.setHost(server.host());
  // A port chosen for plain http would not answer https.
  if (server.scheme() == u"https") home.setPort(server.port());
  return home;
}

}  // namespace corvane
