// InstallerDownload: fetches the installer into its file while the dialog
// keeps handling events, so that Abort can end it.
//
// The file is made anew for each download, replacing an earlier one; it is
// never deleted, so a failed download leaves what arrived. No redirect is
// followed (a redirect answer is a failure), and a transfer that receives
// nothing for 30 seconds fails instead of holding the dialog open.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

#include "base/error.h"
#include "update/http_client.h"

namespace corvane {

// The HTTP settings of the download: no redirect, read timeout 30 s, every
// event handled while it waits.
HttpSettings InstallerDownloadSettings();

// The progress bar's position after `count` bytes: count × 100 div the
// declared length when the answer declares one and is not chunked; nullopt
// (the bar keeps its place) otherwise.
std::optional<int> DownloadPercent(qint64 count, qint64 declaredLength,
                                   QByteArrayView transferEncoding);

// The installer's path: "lrk_update.exe" in the user's private temporary
// folder (platform/private_folder.h), the folder made when missing.
Result<QString> InstallerFile();

class InstallerDownload {
 public:
  explicit InstallerDownload(HttpSettings settings = InstallerDownloadSettings());

  // Downloads `url` into `filePath`; `onPercent` receives each new position
  // of the progress bar. Fails with the server's status line, the network's
  // or the file system's error, a timeout, the cancel text after Abort, or
  // "Cannot find downloaded file." when the file is gone afterwards.
  Status Run(const QUrl& url, const QString& filePath, const std::function<void(int)>& onPercent);

  // Ends the running download with "Download is cancelled. Please download
  // manually.".
  void Abort();
  bool DownloadCancelled() const { return downloadCancelled_; }

 private:
  HttpClient client_;
  bool downloadCancelled_ = false;
};

}  // namespace corvane
