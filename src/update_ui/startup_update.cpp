#include "update_ui/startup_update.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTimer>

#include "i18n/translation.h"
#include "update/update_server.h"

namespace corvane {

bool RunStartupUpdateCheckAgainst(const QUrl& server, int ownVersion,
                                  const UpdateUiServices& services,
                                  const HttpSettings& checkSettings, DownloadPlan plan,
                                  const std::function<void(TfrmNewVersion&)>& onShown) {
  UpdateState state;
  const auto translate = [](const QString& english) { return Translate(english); };
  if (!CheckForNewVersion(server, ownVersion, state, checkSettings, translate)) return true;
  TfrmNewVersion dialog(state, std::move(plan), services);
  if (onShown) QTimer::singleShot(0, &dialog, [&] { onShown(dialog); });
  dialog.exec();
  return dialog.Tag() == 1;
}

bool RunStartupUpdateCheck(QStringView versionText, const UpdateUiServices& services) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return true;
  const std::optional<QUrl> server = ConfiguredUpdateServer();
  const std::optional<int> ownVersion = VersionTenths(versionText);
  if (!server || !ownVersion) return true;
  std::function<void(TfrmNewVersion&)> onShown;
  if (qEnvironmentVariableIsSet("CORVANE_UPDATE_DIALOG_TEST_CLOSE")) {
    onShown = [](TfrmNewVersion& dialog) { dialog.close(); };
  }
  DownloadPlan plan;
  plan.installerUrl = ServerAddress(*server, kInstallerPath);
  plan.homePage = HomePage(*server);
  return RunStartupUpdateCheckAgainst(*server, *ownVersion, services, VersionCheckSettings(),
                                      std::move(plan), onShown);
}

UpdateUiServices DesktopUpdateServices() {
  UpdateUiServices services;
  services.showError = [](const QString& text) {
    QMessageBox::critical(nullptr, QCoreApplication::applicationName(), DisplayText(text));
  };
  services.openAddress = [](const QUrl& address) { QDesktopServices::openUrl(address); };
  return services;
}

}  // namespace corvane
