// The freedesktop.org trash of the home folder, for a file on the same
// volume. Qt's QFile::moveToTrash (6.4) is not used: it retries without end
// when the record cannot be written (a long name, a full or read-only
// trash), and it cannot name a place before the file moves, which the undo
// log must name first.
#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/file_system_internal.h"
#include "platform/native_name.h"
#include "platform/paths.h"

#include <QDateTime>
#include <QDir>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace corvane::file_system_internal {
namespace {

// The longest name a folder of ext4, XFS or Btrfs takes, in bytes.
constexpr qsizetype kLongestName = 255;
constexpr QByteArrayView kRecordSuffix = ".trashinfo";

bool MakeFolder(const QByteArray& path) {
  return ::mkdir(path.constData(), 0700) == 0 || errno == EEXIST;
}

// `name` cut to `room` bytes, never inside a UTF-8 sequence.
QByteArray CutTo(QByteArray name, qsizetype room) {
  if (name.size() <= room) return name;
  qsizetype end = room;
  while (end > 0 && (uchar(name[end]) & 0xC0) == 0x80) --end;
  name.truncate(end);
  return name;
}

// The name of the file in the trash: its own, where that and its record's
// name fit; else cut, with a random tail on every attempt after the first.
QByteArray TrashName(const QByteArray& name, int attempt) {
  const qsizetype room = kLongestName - kRecordSuffix.size();
  if (attempt == 0 && name.size() <= room) return name;
  const QByteArray tail = "." + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
  return CutTo(name, room - tail.size()) + tail;
}

QByteArray RecordText(const QByteArray& absolutePath) {
  return "[Trash Info]\nPath=" + absolutePath.toPercentEncoding("/") + "\nDeletionDate=" +
         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() +
         "\n";
}

// 0 when nothing stands at `path`, EEXIST when something does, else the
// error that keeps it from being known (a file where a folder should be).
int Free(const QByteArray& path) {
  struct stat st;
  if (::lstat(path.constData(), &st) == 0) return EEXIST;
  return errno == ENOENT ? 0 : errno;
}

}  // namespace

Result<QString> HomeTrashPlaceFor(const QString& path) {
  const Error noTrash(QStringLiteral("No trash on this volume"), Error::Code::kNotSupported);
  const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QByteArray trash = EncodeNativeName(dataFolder + "/Trash");
  struct stat fileStat, filesStat;
  if (::lstat(EncodeNativeName(path).constData(), &fileStat) != 0) {
    return Error(qt_error_string(errno));
  }
  if (dataFolder.isEmpty() || !QDir().mkpath(dataFolder) || !MakeFolder(trash) ||
      !MakeFolder(trash + "/files") || !MakeFolder(trash + "/info") ||
      ::stat((trash + "/files").constData(), &filesStat) != 0 ||
      fileStat.st_dev != filesStat.st_dev) {
    return noTrash;
  }
  const QByteArray name = EncodeNativeName(FileNamePart(path));
  // Only files of the same name trashed before need a second attempt; a
  // bound keeps any other cause from spinning.
  for (int attempt = 0; attempt < 16; ++attempt) {
    const QByteArray inTrash = TrashName(name, attempt);
    const QByteArray place = trash + "/files/" + inTrash;
    const QByteArray record = trash + "/info/" + inTrash + kRecordSuffix.toByteArray();
    if (const int err = Free(place)) {
      if (err == EEXIST) continue;
      return Error(qt_error_string(err));
    }
    if (const int err = Free(record)) {
      if (err == EEXIST) continue;
      return Error(qt_error_string(err));
    }
    return DecodeNativeName(place);
  }
  return Error(qt_error_string(EEXIST));
}

Status WriteTrashRecord(const QString& record, const QString& path,
                        const std::function<void()>& step) {
  QByteArray absolute = EncodeNativeName(path);
  if (!absolute.startsWith('/')) {
    char here[PATH_MAX];
    if (::getcwd(here, sizeof here) == nullptr) return Error(qt_error_string(errno));
    absolute.prepend(QByteArray(here) + "/");
  }
  const QByteArray recordPath = EncodeNativeName(record);
  if (step) step();
  // Exclusive: the record reserves the name in the trash.
  const int fd =
      ::open(recordPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return Error(qt_error_string(errno));
  const QByteArray text = RecordText(absolute);
  int err = WriteAll(fd, text.constData(), size_t(text.size()));
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) {
    if (step) step();
    ::unlink(recordPath.constData());
    return Error(qt_error_string(err));
  }
  return Status::Ok();
}

}  // namespace corvane::file_system_internal

#endif  // !Q_OS_WIN
