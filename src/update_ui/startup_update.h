// Start-up's update step, run after the translations are loaded and before
// the main window exists: the version check, and when it finds a newer
// version the new-version dialog, modal and without an owner.
//
// The answer is whether start-up goes on to the main window: yes when the
// check is off, fails or finds nothing, and when an optional update was
// dismissed without a download; no after a mandatory update or any download
// that was started, and the program then ends with exit status 0. Without a
// QApplication (a terminal run) nothing is checked and the answer is yes.
#pragma once

#include <QStringView>
#include <QUrl>

#include <functional>

#include "update/version_check.h"
#include "update_ui/new_version_dialog.h"

namespace corvane {

// `versionText` is the program's version ("2.4"). The server comes from the
// build and CORVANE_UPDATE_SERVER (update/update_server.h). When the
// environment variable CORVANE_UPDATE_DIALOG_TEST_CLOSE is set, the dialog is
// closed by its close box as soon as it shows: end-to-end tests of the built
// program cannot click.
bool RunStartupUpdateCheck(QStringView versionText, const UpdateUiServices& services);

// The step against `server`, with the check's and the download's settings
// given; `onShown` runs once the dialog is shown and its modal loop runs.
bool RunStartupUpdateCheckAgainst(const QUrl& server, int ownVersion,
                                  const UpdateUiServices& services,
                                  const HttpSettings& checkSettings, DownloadPlan plan,
                                  const std::function<void(TfrmNewVersion&)>& onShown = {});

// The real boxes and desktop: a critical QMessageBox, QDesktopServices.
UpdateUiServices DesktopUpdateServices();

}  // namespace corvane
