#include "platform/file_metadata.h"

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
#include "platform/native_path.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#endif

namespace corvane {

#ifdef Q_OS_WIN

Result<std::optional<FileMetadata>> ReadFileMetadata(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) return std::optional<FileMetadata>();
  FileMetadata data;
  data.size = info.size();
  data.createdUtc = info.birthTime().toUTC();
  data.modifiedUtc = info.lastModified().toUTC();
  return std::optional<FileMetadata>(data);
}

#else

namespace {

QDateTime UtcMoment(const struct statx_timestamp& t) {
  // tv_nsec is never negative, so whole milliseconds round towards the past
  // also before 1970.
  const qint64 ms = qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
  return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

// Errors that say no file is reachable at the path, rather than that the
// system could not answer.
bool MeansNothingThere(int error) {
  return error == ENOENT || error == ENOTDIR || error == ELOOP || error == EACCES;
}

}  // namespace

FileMetadata MetadataFromStatx(const struct statx& answer) {
  FileMetadata data;
  if (answer.stx_mask & STATX_SIZE) data.size = int64_t(answer.stx_size);
  if (answer.stx_mask & STATX_MTIME) data.modifiedUtc = UtcMoment(answer.stx_mtime);
  data.createdUtc =
      (answer.stx_mask & STATX_BTIME) ? UtcMoment(answer.stx_btime) : data.modifiedUtc;
  return data;
}

Result<std::optional<FileMetadata>> ReadFileMetadata(const QString& path) {
  struct statx answer;
  if (::statx(AT_FDCWD, NativePath(path).c_str(), AT_STATX_SYNC_AS_STAT,
              STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &answer) != 0) {
    const int error = errno;
    if (MeansNothingThere(error)) return std::optional<FileMetadata>();
    return Error(QStringLiteral("Cannot read the file %1: %2")
                     .arg(path, QString::fromLocal8Bit(std::strerror(error))));
  }
  if (!S_ISREG(answer.stx_mode)) return std::optional<FileMetadata>();
  return std::optional<FileMetadata>(MetadataFromStatx(answer));
}

#endif

}  // namespace corvane
