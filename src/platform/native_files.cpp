#include "platform/native_files.h"

#ifdef Q_OS_WIN
#include <QDir>
#else
#include "platform/native_name.h"
#include "platform/native_path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

namespace corvane {

#ifdef Q_OS_WIN

Status OpenForReading(QFile& file, const QString& path) {
  file.setFileName(path);
  if (!file.open(QIODevice::ReadOnly)) return Error(file.errorString());
  return Status::Ok();
}

QString CurrentFolder() { return QDir::currentPath(); }

#else

Status OpenForReading(QFile& file, const QString& path) {
  const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Error(qt_error_string(errno));
  // A folder opens for reading here, where QFile refuses it.
  struct stat st;
  const int err = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
  if (err != 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return Error(err != 0 ? qt_error_string(err) : file.errorString());
  }
  return Status::Ok();
}

QString CurrentFolder() {
  char* bytes = ::getcwd(nullptr, 0);  // sized to fit (glibc, the BSDs)
  if (bytes == nullptr) return QString();
  const QString folder = DecodeNativeName(bytes);
  std::free(bytes);
  return folder;
}

#endif

}  // namespace corvane
