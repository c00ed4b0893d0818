// CorvaneRunner: runs the built corvane executable as a user would, in a fresh
// temporary folder with the application data, the settings and the trash
// inside it, so that no test touches the real home.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>

#include "support/completed_text.h"
#include "support/temp_folder.h"

#include <unistd.h>

namespace corvane::testing {

struct ProcessResult {
  int exitCode = -1;
  QString out;
  QString err;
  bool crashed = false;  // ended by a signal
};

class CorvaneRunner {
 public:
  // Runs corvane with `args` in `folder` (default: the temporary folder
  // itself), without the environment variables named in `unset`; with
  // `prefix`, under that program (strace, ...), which may end it by a signal.
  ProcessResult Run(const QStringList& args, const QString& folder = {},
                    const QStringList& unset = {}, const QStringList& prefix = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset) env.remove(name);
    env.insert("APPDATA", appData_);
    env.insert("XDG_CONFIG_HOME", temp_.file("config"));
    env.insert("XDG_DATA_HOME", temp_.file("xdg"));
    // A start without /cli asks for a newer version; tests never go online.
    env.insert("CORVANE_UPDATE_SERVER", "");
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder.isEmpty() ? temp_.path() : folder);
    if (prefix.isEmpty()) {
      process.start(QStringLiteral(CORVANE_EXECUTABLE), args);
    } else {
      process.start(prefix[0], prefix.mid(1) + QStringList{CORVANE_EXECUTABLE} + args);
    }
    EXPECT_TRUE(process.waitForFinished(60000)) << "corvane did not end";
    const bool crashed = process.exitStatus() != QProcess::NormalExit || process.exitCode() > 128;
    if (prefix.isEmpty()) {
      EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()), crashed};
  }
  QString LogPath() const { return appData_ + "/Larkwell/Corvane/last_rename.csv"; }
  // What a completed batch prints, its log kept under APPDATA.
  QString CompletedLine() const { return CompletedText(appData_ + "/Larkwell/Corvane") + u'\n'; }
  QString TrashPath() const { return temp_.file("xdg/Trash"); }

  // Every entry under `root` (default: the temporary folder), the undo log
  // included: a folder as its relative path with "/", a file with its bytes,
  // a link with its text. `skip`: top-level entries left out.
  QMap<QString, QByteArray> Snapshot(QString root = {}, const QStringList& skip = {}) const {
    if (root.isEmpty()) root = temp_.path();
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QFileInfo info(it.next());
      const QString relative = info.filePath().mid(root.size() + 1);
      if (skip.contains(relative.section('/', 0, 0))) continue;
      if (info.isSymLink()) {
        entries[relative + " ->"] = LinkText(info.filePath());
      } else if (info.isDir()) {
        entries[relative + "/"] = {};
      } else {
        QFile f(info.filePath());
        entries[relative] = f.open(QIODevice::ReadOnly) ? f.readAll() : "(unreadable)";
      }
    }
    return entries;
  }

  static QByteArray LinkText(const QString& path) {
    char text[4096];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), text, sizeof text);
    return n < 0 ? QByteArray("(unreadable)") : QByteArray(text, int(n));
  }

  TempFolder temp_;
  QString appData_ = temp_.file("appdata");
};

}  // namespace corvane::testing
