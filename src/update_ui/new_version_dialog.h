// TfrmNewVersion: the new-version dialog, shown modally at start-up without
// an owner when the version check found a newer version.
//
// It offers "Update Now" with "Skip" (optional update) or "Exit" (mandatory
// update). "Update Now" downloads the installer into its file with a progress
// bar and "Abort", asks the desktop to open the installer, and closes; any
// failure shows the error box, then opens the home page, then closes. Tag()
// is the result start-up reads after the dialog has closed: 1 continues with
// the main window, 0 ends the program. While a download runs the dialog
// cannot be closed; it closes when the download has ended.
//
// Controls carry their names as object names, so tests find and click them.
// `state` must outlive the dialog.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

#include <functional>

#include "base/error.h"
#include "update/http_client.h"
#include "update/installer_download.h"
#include "update/version_check.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace corvane {

// The dialog's ways out to the window's boxes and the desktop shell.
struct UpdateUiServices {
  // A modal error box with one OK button, titled with the application title.
  std::function<void(const QString& text)> showError;
  // Hands `address` to the desktop: a web page opens in the browser, a local
  // file (the installer) starts with its default action. The outcome is not
  // looked at.
  std::function<void(const QUrl& address)> openAddress;
};

// Where "Update Now" fetches from and writes to.
struct DownloadPlan {
  QUrl installerUrl;
  QUrl homePage;
  std::function<Result<QString>()> installerFile = InstallerFile;
  HttpSettings settings = InstallerDownloadSettings();
};

class TfrmNewVersion : public QDialog {
  Q_OBJECT

 public:
  TfrmNewVersion(UpdateState& state, DownloadPlan plan, UpdateUiServices services);

  int Tag() const { return tag_; }

  // Every way of closing (the buttons, the close box, Escape) ends here.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void FormClose();
  void btCancelClick();
  void btUpdateNowClick();
  void PlaceButtons();

  UpdateState& state_;
  DownloadPlan plan_;
  UpdateUiServices services_;
  int tag_ = 1;
  InstallerDownload* download_ = nullptr;  // while "Update Now" runs

  QLabel* VirtualImage1;
  QLabel* Label1;
  QProgressBar* ProgressBar1;
  QPushButton* btUpdateNow;
  QPushButton* btCancel;
};

// The text as a label or box shows it: CR LF line ends become LF.
QString DisplayText(QString text);

}  // namespace corvane
