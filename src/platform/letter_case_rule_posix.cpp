// Whether a folder's file system takes two spellings that differ in letter
// case for one name. Known kinds answer from the file system's type (and the
// case-folding flag ext4 and tmpfs set per folder); any other kind (FUSE,
// network file systems) is asked with a lookup of one of the folder's own
// names in the other case, and a FUSE volume with nothing to ask about by its
// type in the mount table.
#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/file_system_internal.h"

#include <QByteArray>
#include <QFile>
#include <QSet>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <cstdlib>

#ifndef FS_CASEFOLD_FL
#define FS_CASEFOLD_FL 0x40000000
#endif

namespace corvane::file_system_internal {
namespace {

constexpr long kMsdosMagic = 0x4d44;  // vfat and msdos
constexpr long kExfatMagic = 0x2011BAB0;
constexpr long kFuseMagic = 0x65735546;
constexpr long kCaseSensitiveMagics[] = {
    0xEF53,      // ext2, ext3, ext4
    0x58465342,  // XFS
    0x9123683E,  // Btrfs
    0x01021994,  // tmpfs
    0x2FC12FC1,  // ZFS
    0xF2F52010,  // F2FS
};

QByteArray OtherCase(const QByteArray& name) {
  QByteArray swapped = name;
  for (char& c : swapped) {
    if (c >= 'a' && c <= 'z') {
      c = char(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
      c = char(c - 'A' + 'a');
    }
  }
  return swapped;
}

enum class Answer { kFolds, kKeeps, kUnknown };

// Looks up one of the folder's names in the other case: found, it is the
// same entry (two entries folding alike cannot both be listed on a volume
// that folds).
Answer AskByLookup(int folderFd) {
  const int listFd = ::dup(folderFd);
  if (listFd < 0) return Answer::kUnknown;
  DIR* dir = ::fdopendir(listFd);
  if (!dir) {
    ::close(listFd);
    return Answer::kUnknown;
  }
  QSet<QByteArray> names;
  while (const dirent* entry = ::readdir(dir)) names.insert(QByteArray(entry->d_name));
  ::closedir(dir);
  for (const QByteArray& name : names) {
    const QByteArray other = OtherCase(name);
    if (other == name) continue;
    if (names.contains(other)) return Answer::kKeeps;
    struct stat st;
    return ::fstatat(folderFd, other.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? Answer::kFolds
                                                                                 : Answer::kKeeps;
  }
  return Answer::kUnknown;
}

// The type the mount table gives the mount that holds `folder`, as in
// "fuse.fusefat".
QByteArray MountType(const QByteArray& folder) {
  char resolved[PATH_MAX];
  if (::realpath(folder.constData(), resolved) == nullptr) return {};
  const QByteArray path(resolved);
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  if (!table.open(QIODevice::ReadOnly)) return {};
  QByteArray type;
  qsizetype longest = -1;
  for (const QByteArray& line : table.readAll().split('\n')) {
    const QList<QByteArray> fields = line.split(' ');
    const qsizetype dash = fields.indexOf("-");
    if (fields.size() < 5 || dash < 0 || dash + 1 >= fields.size()) continue;
    const QByteArray mountPoint = QByteArray(fields[4]).replace("\\040", " ");
    const bool holds = path == mountPoint ||
                       (path.startsWith(mountPoint) &&
                        (mountPoint.endsWith('/') || path[mountPoint.size()] == '/'));
    if (holds && mountPoint.size() > longest) {
      longest = mountPoint.size();
      type = fields[dash + 1];
    }
  }
  return type;
}

}  // namespace

bool FolderFoldsLetterCase(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool folds = false;
  int flags = 0;
  struct statfs volume;
  if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL) != 0) {
    folds = true;
  } else if (::fstatfs(fd, &volume) != 0) {
    folds = false;
  } else if (long(volume.f_type) == kMsdosMagic || long(volume.f_type) == kExfatMagic) {
    folds = true;
  } else if (std::find(std::begin(kCaseSensitiveMagics), std::end(kCaseSensitiveMagics),
                       long(volume.f_type)) == std::end(kCaseSensitiveMagics)) {
    const Answer answer = AskByLookup(fd);
    if (answer == Answer::kUnknown && long(volume.f_type) == kFuseMagic) {
      const QByteArray type = MountType(folder);
      // fusefat, exfat-fuse: the FAT family folds; ntfs-3g keeps case by default.
      folds = type.contains("fat");
    } else {
      folds = answer == Answer::kFolds;
    }
  }
  ::close(fd);
  return folds;
}

}  // namespace corvane::file_system_internal

#endif  // !Q_OS_WIN
