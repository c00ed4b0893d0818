#include "platform/folder_entries.h"

#include <algorithm>

#include "platform/paths.h"

#ifdef Q_OS_WIN
#include <QDirIterator>
#include <QFileInfo>
#else
#include "platform/native_path.h"

#include <dirent.h>

#include <cerrno>
#include <cstring>
#endif

namespace corvane {

#ifdef Q_OS_WIN

std::optional<QList<FolderEntry>> ListFolderEntries(const QString& folder) {
  // QDirIterator without sorting walks FindFirstFile/FindNextFile in their order.
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  if (!QFileInfo(folder).isDir()) return std::nullopt;
  QList<FolderEntry> entries;
  while (it.hasNext()) {
    it.next();
    const QFileInfo info = it.fileInfo();
    entries.append({JoinPath(folder, info.fileName()),
                    info.isDir() ? FolderEntry::Kind::kFolder : FolderEntry::Kind::kNotFolder});
  }
  return entries;
}

#else

namespace {

FolderEntry::Kind KindOf(unsigned char type) {
  switch (type) {
    case DT_DIR:
      return FolderEntry::Kind::kFolder;
    case DT_LNK:
    case DT_UNKNOWN:
      return FolderEntry::Kind::kUnknown;
    default:
      return FolderEntry::Kind::kNotFolder;
  }
}

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// `prefix` followed by the file name `name`, decoded as DecodeNativeName
// decodes it, in one allocation: a folder of 100,000 files makes as many paths.
QString PrefixedName(const QString& prefix, const char* name) {
  const QByteArrayView bytes(name, qsizetype(std::strlen(name)));
  QString path(prefix.size() + bytes.size(), Qt::Uninitialized);  // a byte gives at most one unit
  char16_t* start = reinterpret_cast<char16_t*>(path.data());
  char16_t* out = std::copy(prefix.utf16(), prefix.utf16() + prefix.size(), start);
  path.truncate(DecodeNativeNameTo(bytes, out) - start);
  return path;
}

}  // namespace

std::optional<QList<FolderEntry>> ListFolderEntries(const QString& folder) {
  const QString prefix = JoinPath(folder, QString());
  DIR* dir = ::opendir(NativePath(folder).c_str());
  if (dir == nullptr) return std::nullopt;
  QList<FolderEntry> entries;
  bool complete = true;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      complete = (errno == 0);
      break;
    }
    if (IsDotOrDotDot(entry->d_name)) continue;
    entries.append({PrefixedName(prefix, entry->d_name), KindOf(entry->d_type)});
  }
  ::closedir(dir);
  if (!complete) return std::nullopt;
  return entries;
}

#endif

}  // namespace corvane
