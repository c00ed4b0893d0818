// The notice of a batch that completed: it tells where the undo log was
// saved. Windows users know the folder by the name "AppData"; elsewhere the
// notice names the log's own folder, the home folder shown as "~".
#pragma once

#include <QDir>
#include <QString>

#include "base/notice.h"

namespace corvane {

Notice BatchCompletedNotice(const QString& logPath, const QString& home = QDir::homePath());

// `folder` as the user reads it: "~" for `home` itself and "~/" for the part
// of a folder below it; any other folder whole. Without a final separator.
QString FolderShownFromHome(const QString& folder, const QString& home);

}  // namespace corvane
