// TempFolder: a fresh temporary folder for one test, removed with it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace corvane::testing {

class TempFolder {
 public:
  TempFolder();

  // The folder's absolute path, without a final separator.
  QString path() const { return dir_.path(); }

  // The absolute path of `relative` inside the folder.
  QString file(const QString& relative) const;

  // Creates each named file (and its missing folders) with `content`;
  // returns their absolute paths in the same order.
  QStringList Create(const QStringList& relatives, const QByteArray& content = {}) const;

  // Creates a folder (and its missing parents); returns its absolute path.
  QString CreateFolder(const QString& relative) const;

  // The content of a file inside the folder; empty when it cannot be read.
  QByteArray Read(const QString& relative) const;

  // Whether a file (not a folder) exists at `relative`.
  bool Exists(const QString& relative) const;

  // The names in the folder `relative` (default: the root), sorted.
  QStringList List(const QString& relative = {}) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace corvane::testing
