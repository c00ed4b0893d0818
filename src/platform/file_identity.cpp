#include "platform/file_identity.h"

#ifdef Q_OS_WIN
#include "platform/win32/win32_files.h"

#include <QDir>
#else
#include "platform/native_path.h"

#include <sys/stat.h>
#endif

namespace corvane {

std::optional<FileIdentity> IdentityOf(const QString& path) {
#ifdef Q_OS_WIN
  win32::FileId id;
  if (win32::IdentityOf(QDir::toNativeSeparators(path).toStdWString(), &id) != win32::kOk) {
    return std::nullopt;
  }
  return FileIdentity{id.volume, id.index};
#else
  struct stat st;
  if (::stat(NativePath(path).c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{uint64_t(st.st_dev), uint64_t(st.st_ino)};
#endif
}

}  // namespace corvane
