#include "update/installer_download.h"

#include <QFile>
#include <QFileInfo>

#include "base/english_text.h"
#include "platform/paths.h"
#include "platform/private_folder.h"
#include "update/update_server.h"

namespace corvane {
namespace {

constexpr char16_t kCancelledText[] = EN_TEXT("Download is cancelled. Please download manually.");
constexpr char16_t kMissingFileText[] = EN_TEXT("Cannot find downloaded file.");

}  // namespace

HttpSettings InstallerDownloadSettings() {
  HttpSettings settings;
  settings.redirectsFollowed = 0;
  settings.readTimeout = std::chrono::seconds(30);
  settings.waitFor = QEventLoop::AllEvents;
  return settings;
}

std::optional<int> DownloadPercent(qint64 count, qint64 declaredLength,
                                   QByteArrayView transferEncoding) {
  const bool chunked = transferEncoding.toByteArray().toLower().contains("chunked");
  if (chunked || declaredLength <= 0) return std::nullopt;
  return static_cast<int>(count * 100 / declaredLength);
}

Result<QString> InstallerFile() {
  Result<QString> folder = PrivateTempFolder();
  if (!folder) return folder.error();
  return JoinPath(*folder, QString::fromUtf16(kInstallerFileName));
}

InstallerDownload::InstallerDownload(HttpSettings settings) : client_(settings) {}

Status InstallerDownload::Run(const QUrl& url, const QString& filePath,
                              const std::function<void(int)>& onPercent) {
  downloadCancelled_ = false;
  QFile file(filePath);
  // Removed first and then made exclusively, so that the download never
  // writes through whatever stands under the name.
  if (file.exists() && !file.remove())
    return Error(file.errorString() + QStringLiteral(": ") + filePath);
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
    return Error(file.errorString() + QStringLiteral(": ") + filePath);
  }
  const HttpOutcome outcome = client_.Get(url, file, [&](const HttpProgress& progress) {
    const std::optional<int> percent =
        DownloadPercent(progress.received, progress.declaredLength, progress.transferEncoding);
    if (percent && onPercent) onPercent(*percent);
  });
  file.close();
  if (!outcome.ok()) return *outcome.error;
  if (file.error() != QFileDevice::NoError)
    return Error(file.errorString() + QStringLiteral(": ") + filePath);
  if (!QFileInfo::exists(filePath)) return Error(QString::fromUtf16(kMissingFileText));
  return {};
}

void InstallerDownload::Abort() {
  downloadCancelled_ = true;
  client_.Cancel(Error(QString::fromUtf16(kCancelledText)));
}

}  // namespace corvane
