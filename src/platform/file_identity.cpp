#include "platform/file_identity.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include "platform/native_path.h"

#include <sys/stat.h>
#endif

namespace corvane {

std::optional<FileIdentity> IdentityOf(const QString& path) {
#ifdef Q_OS_WIN
  HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), 0,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool ok = GetFileInformationByHandle(h, &info);
  CloseHandle(h);
  if (!ok) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
#else
  struct stat st;
  if (::stat(NativePath(path).c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{uint64_t(st.st_dev), uint64_t(st.st_ino)};
#endif
}

}  // namespace corvane
