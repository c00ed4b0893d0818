#include "support/fat_mount.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace corvane::testing {
namespace {

QString FindTool(const QString& name) {
  QString path = QStandardPaths::findExecutable(name);
  if (path.isEmpty()) path = QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin"});
  return path;
}

// Runs a tool to its end (at most 30 s); returns its error output, or "" on success.
QString Run(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(30000)) {
    p.kill();
    p.waitForFinished();
    return tool + " did not finish";
  }
  if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) return {};
  return tool + ": " + QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
}

}  // namespace

FatMount::FatMount() {
  const QString mkfs = FindTool("mkfs.vfat");
  const QString fusefat = FindTool("fusefat");
  if (mkfs.isEmpty() || fusefat.isEmpty()) {
    reason_ = "mkfs.vfat or fusefat is not installed (dosfstools, fusefat)";
    return;
  }
  if (!QFile::exists("/dev/fuse")) {
    reason_ = "/dev/fuse is missing";
    return;
  }
  const QString image = work_.filePath("fat.img");
  QFile file(image);
  if (!work_.isValid() || !file.open(QIODevice::WriteOnly) || !file.resize(8 << 20)) {
    reason_ = "cannot create the image file";
    return;
  }
  file.close();
  QDir().mkpath(path());
  reason_ = Run(mkfs, {image});
  if (reason_.isEmpty()) reason_ = Run(fusefat, {"-o", "rw+", image, path()});
  mounted_ = reason_.isEmpty();
}

FatMount::~FatMount() {
  if (!mounted_) return;
  const QString fusermount = FindTool("fusermount");
  if (fusermount.isEmpty() || !Run(fusermount, {"-u", path()}).isEmpty()) {
    (void)Run(FindTool("umount"), {path()});
  }
}

QStringList FatMount::List() const {
  return QDir(path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace corvane::testing
