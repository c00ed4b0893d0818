// Whether a folder's file system takes two spellings that differ in letter
// case for one name. Known kinds answer from the file system's type (and the
// case-folding flag ext4 and tmpfs set per folder); any other kind (XFS, ZFS,
// FUSE, network file systems) is asked with a lookup of one of the folder's
// own names in the other case, else of the folder above on the same volume,
// and at the top of a FUSE volume by its type in the mount table.
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
#include <cstdlib>
#include <iterator>

#ifndef FS_CASEFOLD_FL
#define FS_CASEFOLD_FL 0x40000000
#endif

namespace corvane::file_system_internal {
namespace {

constexpr long kMsdosMagic = 0x4d44;  // vfat and msdos
constexpr long kExfatMagic = 0x2011BAB0;
constexpr long kFuseMagic = 0x65735546;
// Kinds that fold letter case only in folders with the case-folding flag.
// (XFS and ZFS can fold a whole volume, so they are asked.)
constexpr long kCaseSensitiveMagics[] = {
    0xEF53,      // ext2, ext3, ext4
    0x9123683E,  // Btrfs
    0x01021994,  // tmpfs
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

// Looks up one of the folder's names in the other case: found, and not
// listed under that spelling itself, it is the same entry (two entries that
// fold alike cannot both be listed on a volume that folds). Reads no further
// than it must: where the other spelling is not found, one lookup decides.
Answer AskByLookup(int folderFd) {
  const int listFd = ::dup(folderFd);
  if (listFd < 0) return Answer::kUnknown;
  DIR* dir = ::fdopendir(listFd);
  if (!dir) {
    ::close(listFd);
    return Answer::kUnknown;
  }
  QSet<QByteArray> seen;
  QByteArray asked;  // the other spelling found by a lookup, not yet listed
  Answer answer = Answer::kUnknown;
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (!asked.isEmpty()) {
      if (name == asked) {
        answer = Answer::kKeeps;
        break;
      }
      continue;
    }
    seen.insert(name);
    const QByteArray other = OtherCase(name);
    if (other == name) continue;
    struct stat st;
    if (seen.contains(other) ||
        ::fstatat(folderFd, other.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      answer = Answer::kKeeps;
      break;
    }
    asked = other;
    answer = Answer::kFolds;
  }
  ::closedir(dir);
  return answer;
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
    const bool holds =
        path == mountPoint || (path.startsWith(mountPoint) &&
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
    struct stat here, above;
    const QByteArray parent = folder + "/..";
    if (answer != Answer::kUnknown) {
      folds = answer == Answer::kFolds;
    } else if (::fstat(fd, &here) == 0 && ::stat(parent.constData(), &above) == 0 &&
               above.st_dev == here.st_dev && above.st_ino != here.st_ino) {
      // Nothing here to ask about: the folder above, on the same volume.
      folds = FolderFoldsLetterCase(parent);
    } else if (long(volume.f_type) == kFuseMagic) {
      const QByteArray type = MountType(folder);
      // fusefat, exfat-fuse: the FAT family folds; ntfs-3g keeps case by default.
      folds = type.contains("fat");
    }
  }
  ::close(fd);
  return folds;
}

}  // namespace corvane::file_system_internal

#endif  // !Q_OS_WIN
