#include "batch/completed_notice.h"

#include "batch/batch_texts.h"
#include "platform/paths.h"

namespace corvane {

QString FolderShownFromHome(const QString& folder, const QString& home) {
  QString shown = folder;
  while (shown.size() > 1 && shown.endsWith(u'/')) shown.chop(1);
  if (home.isEmpty() || home == QStringLiteral("/")) return shown;
  if (shown == home) return QStringLiteral("~");
  if (shown.startsWith(home + u'/')) return u'~' + shown.sliced(home.size());
  return shown;
}

Notice BatchCompletedNotice(const QString& logPath, const QString& home) {
#ifdef Q_OS_WIN
  Q_UNUSED(logPath);
  Q_UNUSED(home);
  return Notice::Information(QString::fromUtf16(batch_texts::kBatchCompleted));
#else
  return Notice::Information(QString::fromUtf16(batch_texts::kBatchCompletedIn),
                             {FolderShownFromHome(FolderPart(logPath), home)});
#endif
}

}  // namespace corvane
