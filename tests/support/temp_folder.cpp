#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace corvane::testing {

TempFolder::TempFolder() {
  if (!dir_.isValid()) throw std::runtime_error("cannot create a temporary folder");
}

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
  return QDir(file(relative)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                        QDir::Name);
}

}  // namespace corvane::testing
