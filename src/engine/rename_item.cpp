#include "engine/rename_item.h"

#include "platform/paths.h"

#include <QTimeZone>

namespace corvane {

QDateTime ZeroTime() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC); }

NameAndExtView SplitFileNameView(QStringView fileName) {
  const qsizetype dot = fileName.lastIndexOf(u'.');
  if (dot < 0) return {fileName, QStringView()};
  return {fileName.left(dot), fileName.mid(dot)};
}

NameAndExt SplitFileName(QStringView fileName) {
  const NameAndExtView parts = SplitFileNameView(fileName);
  return {parts.name.toString(), parts.ext.toString()};
}

void AssignPath(TRenameItem& item, const QString& path) {
  item.OriginalPath = path;
  NameAndExt parts = SplitFileName(FileNameView(path));
  item.OriginalName = std::move(parts.name);
  item.Ext = std::move(parts.ext);
}

}  // namespace corvane
