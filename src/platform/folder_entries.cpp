#include "platform/folder_entries.h"

#include <QFile>

#include <algorithm>

#include "platform/paths.h"

#ifdef Q_OS_WIN
#include <QDirIterator>
#else
#include <dirent.h>

#include <QStringDecoder>
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

// `prefix` followed by the file name `name`, decoded as QFile::decodeName
// does, in one allocation: a folder of 100,000 files makes as many paths.
// Names of ASCII alone, the usual case, are widened without the decoder.
QString PrefixedName(const QString& prefix, const char* name) {
  const qsizetype length = qsizetype(std::strlen(name));
  QString path(prefix.size() + length, Qt::Uninitialized);  // UTF-8 never has fewer bytes
  QChar* out = std::copy(prefix.cbegin(), prefix.cend(), path.begin());
  const auto* bytes = reinterpret_cast<const unsigned char*>(name);
  if (std::all_of(bytes, bytes + length, [](unsigned char b) { return b < 0x80; })) {
    std::copy(bytes, bytes + length, reinterpret_cast<char16_t*>(out));
    return path;
  }
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QChar* end = decoder.appendToBuffer(out, QByteArrayView(name, length));
  path.truncate(end - path.constData());
  return path;
}

}  // namespace

std::optional<QList<FolderEntry>> ListFolderEntries(const QString& folder) {
  const QString prefix = JoinPath(folder, QString());
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
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
