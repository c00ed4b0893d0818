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
  // Removes the folder with plain system calls first where Qt's removal would
  // miss names that are not UTF-8.
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

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

#ifndef Q_OS_WIN
  // Names as the bytes Linux keeps, which need not be UTF-8, made and read
  // with plain system calls so that no decoding stands between test and disk.
  // `relative` is a path of such bytes below the folder.

  // Creates the file (its folder must exist) with `content`.
  void CreateBytes(const QByteArray& relative, const QByteArray& content = {}) const;
  // Creates the folder (its parent must exist).
  void CreateFolderBytes(const QByteArray& relative) const;
  // The names in the folder `relative` (default: the root), sorted.
  QList<QByteArray> ListBytes(const QByteArray& relative = {}) const;
  // The content of the file; empty when it cannot be read.
  QByteArray ReadBytes(const QByteArray& relative) const;
  // The folder's own path as bytes (ASCII: the system's temporary folder).
  QByteArray PathBytes() const { return path().toUtf8(); }
#endif

 private:
  QTemporaryDir dir_;
};

}  // namespace corvane::testing
