// FatMount: a small FAT image mounted through FUSE (fusefat), which needs no
// kernel FAT driver, for tests of a real case-insensitive file system without
// POSIX permissions. Where the tools or /dev/fuse are missing, or mounting is
// not allowed, mounted() is false and reason() says why; tests then skip.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace corvane::testing {

class FatMount {
 public:
  FatMount();
  // Unmounts; the image goes with the temporary folder.
  ~FatMount();
  FatMount(const FatMount&) = delete;
  FatMount& operator=(const FatMount&) = delete;

  bool mounted() const { return mounted_; }
  const QString& reason() const { return reason_; }
  // Where the volume is mounted, without a final separator.
  QString path() const { return work_.filePath("mnt"); }
  QString file(const QString& name) const { return path() + "/" + name; }
  // An undo log beside the image, off the FAT volume.
  QString logPath() const { return work_.filePath("last_rename.csv"); }
  // The files at the top of the volume, sorted.
  QStringList List() const;

 private:
  QTemporaryDir work_;
  QString reason_;
  bool mounted_ = false;
};

}  // namespace corvane::testing
