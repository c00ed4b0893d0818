#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#endif

namespace corvane::testing {

TempFolder::TempFolder() {
  if (!dir_.isValid()) throw std::runtime_error("cannot create a temporary folder");
}

#ifdef Q_OS_WIN
TempFolder::~TempFolder() = default;
#else
namespace {
int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }
}  // namespace

TempFolder::~TempFolder() {
  ::nftw(PathBytes().constData(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}
#endif

QString TempFolder::file(const QString& relative) const { return dir_.filePath(relative); }

QStringList TempFolder::Create(const QStringList& relatives, const QByteArray& content) const {
  QStringList paths;
  for (const QString& relative : relatives) {
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size()) {
      throw std::runtime_error("cannot create " + path.toStdString());
    }
    paths << path;
  }
  return paths;
}

QString TempFolder::CreateFolder(const QString& relative) const {
  const QString path = file(relative);
  QDir().mkpath(path);
  return path;
}

QByteArray TempFolder::Read(const QString& relative) const {
  QFile f(file(relative));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempFolder::Exists(const QString& relative) const {
  return QFileInfo(file(relative)).isFile();
}

QStringList TempFolder::List(const QString& relative) const {
  return QDir(file(relative))
      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

#ifndef Q_OS_WIN

void TempFolder::CreateBytes(const QByteArray& relative, const QByteArray& content) const {
  const QByteArray path = PathBytes() + '/' + relative;
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  const bool written = fd >= 0 && ::write(fd, content.constData(), size_t(content.size())) ==
                                      ssize_t(content.size());
  if (fd >= 0) ::close(fd);
  if (!written) throw std::runtime_error("cannot create " + path.toStdString());
}

void TempFolder::CreateFolderBytes(const QByteArray& relative) const {
  const QByteArray path = PathBytes() + '/' + relative;
  if (::mkdir(path.constData(), 0755) != 0) {
    throw std::runtime_error("cannot create " + path.toStdString());
  }
}

QList<QByteArray> TempFolder::ListBytes(const QByteArray& relative) const {
  const QByteArray path = relative.isEmpty() ? PathBytes() : PathBytes() + '/' + relative;
  QList<QByteArray> names;
  DIR* dir = ::opendir(path.constData());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (name != "." && name != "..") names << name;
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

QByteArray TempFolder::ReadBytes(const QByteArray& relative) const {
  const QByteArray path = PathBytes() + '/' + relative;
  QByteArray content;
  const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return content;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) content.append(buffer, n);
  ::close(fd);
  return content;
}

#endif

}  // namespace corvane::testing
