#include "platform/folder_entries.h"

#include <algorithm>

#include "platform/paths.h"

#ifdef Q_OS_WIN
#include <QDirIterator>
#include <QFileInfo>
#else
#include "platform/native_name.h"
#include "platform/native_path.h"

#include <QVarLengthArray>

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#endif

namespace corvane {

#ifdef Q_OS_WIN

namespace {

// Hands each entry to `take`; false when `folder` is no folder.
template <typename Take>
bool ReadEntries(const QString& folder, Take take) {
  // QDirIterator without sorting walks FindFirstFile/FindNextFile in their order.
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  if (!QFileInfo(folder).isDir()) return false;
  while (it.hasNext()) {
    it.next();
    take(it.fileInfo());
  }
  return true;
}

}  // namespace

std::optional<QList<FolderEntry>> ListFolderEntries(const QString& folder) {
  QList<FolderEntry> entries;
  const bool listed = ReadEntries(folder, [&](const QFileInfo& info) {
    entries.append({JoinPath(folder, info.fileName()),
                    info.isDir() ? FolderEntry::Kind::kFolder : FolderEntry::Kind::kNotFolder});
  });
  if (!listed) return std::nullopt;
  return entries;
}

bool ListFolderNames(const QString& folder, const TakeListedName& take) {
  return ReadEntries(folder, [&](const QFileInfo& info) {
    take(info.fileName(),
         info.isDir() ? FolderEntry::Kind::kFolder : FolderEntry::Kind::kNotFolder);
  });
}

// A folder's times on Windows move in steps too coarse to tell two changes
// apart, and it has no link count for subfolders: no stamp is trusted.
std::optional<FolderStamp> StampOfFolder(const QString&) { return std::nullopt; }

#else

namespace {

FolderEntry::Kind KindOf(unsigned char type) {
  switch (type) {
    case DT_DIR:
      return FolderEntry::Kind::kFolder;
    case DT_REG:
      return FolderEntry::Kind::kFile;
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

// Hands each entry but "." and ".." to `take`; false when the folder cannot
// be listed completely.
template <typename Take>
bool ReadEntries(const QString& folder, Take take) {
  DIR* dir = ::opendir(NativePath(folder).c_str());
  if (dir == nullptr) return false;
  bool complete = true;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      complete = (errno == 0);
      break;
    }
    if (!IsDotOrDotDot(entry->d_name)) take(*entry);
  }
  ::closedir(dir);
  return complete;
}

}  // namespace

std::optional<QList<FolderEntry>> ListFolderEntries(const QString& folder) {
  const QString prefix = JoinPath(folder, QString());
  QList<FolderEntry> entries;
  const bool listed = ReadEntries(folder, [&](const dirent& entry) {
    entries.append({PrefixedName(prefix, entry.d_name), KindOf(entry.d_type)});
  });
  if (!listed) return std::nullopt;
  return entries;
}

bool ListFolderNames(const QString& folder, const TakeListedName& take) {
  QVarLengthArray<char16_t, 256> name;
  return ReadEntries(folder, [&](const dirent& entry) {
    const QByteArrayView bytes(entry.d_name, qsizetype(std::strlen(entry.d_name)));
    name.resize(bytes.size());  // a byte gives at most one unit
    take(QStringView(name.data(), DecodeNativeNameTo(bytes, name.data())), KindOf(entry.d_type));
  });
}

std::optional<FolderStamp> StampOfFolder(const QString& folder) {
  struct stat st;
  if (::stat(NativePath(folder).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return FolderStamp{int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                     int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec,
                     uint64_t(st.st_nlink), uint64_t(st.st_dev), uint64_t(st.st_ino)};
}

#endif

}  // namespace corvane
