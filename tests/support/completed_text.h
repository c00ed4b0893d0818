// The English text of a completed batch's notice, filled in, for an undo log
// kept in `logFolder` (a folder outside the home folder, as test folders are).
#pragma once

#include <QString>

namespace corvane::testing {

inline QString CompletedText(const QString& logFolder) {
#ifdef Q_OS_WIN
  (void)logFolder;
  return QStringLiteral("Batch completed. A CSV log has been saved in AppData.");
#else
  return QStringLiteral("Batch completed. A CSV log has been saved in %1.").arg(logFolder);
#endif
}

}  // namespace corvane::testing
