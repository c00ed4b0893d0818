#include "platform/private_folder.h"

#include <QDir>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/native_name.h"
#endif

namespace corvane {

#ifdef Q_OS_WIN

Result<QString> PrivateTempFolderIn(const QString&, const QString& tempFolder) {
  return tempFolder;
}

Result<QString> PrivateTempFolder() { return QDir::tempPath(); }

#else
namespace {

// lstat, so that a link never passes for the folder it points to.
bool IsPrivateFolder(const QByteArray& path) {
  struct stat info;
  if (lstat(path.constData(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

bool MakePrivateFolder(const QByteArray& path) {
  if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST) return false;
  return IsPrivateFolder(path);
}

}  // namespace

Result<QString> PrivateTempFolderIn(const QString& runtimeFolder, const QString& tempFolder) {
  const QByteArray runtime = EncodeNativeName(runtimeFolder);
  if (runtime.startsWith('/') && IsPrivateFolder(runtime)) {
    const QByteArray folder = runtime + "/corvane";
    if (MakePrivateFolder(folder)) return DecodeNativeName(folder);
  }
  const QByteArray temp = EncodeNativeName(tempFolder);
  const QByteArray named = temp + "/corvane-" + QByteArray::number(geteuid());
  if (MakePrivateFolder(named)) return DecodeNativeName(named);
  QByteArray fresh = temp + "/corvane-XXXXXX";
  if (mkdtemp(fresh.data()) == nullptr) {
    return Error(QString::fromLocal8Bit(std::strerror(errno)) + QStringLiteral(": ") + tempFolder);
  }
  return DecodeNativeName(fresh);
}

Result<QString> PrivateTempFolder() {
  return PrivateTempFolderIn(DecodeNativeName(qgetenv("XDG_RUNTIME_DIR")), QDir::tempPath());
}

#endif

}  // namespace corvane
