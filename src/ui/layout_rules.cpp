#include "ui/layout_rules.h"

#include <QStringList>

#include <algorithm>

namespace corvane {

int HalfRoundedToEven(int n) {
  const int half = n / 2;
  if (n % 2 == 0) return half;
  // An odd n lies halfway between half and half + 1 (or half - 1 below zero).
  const int other = n > 0 ? half + 1 : half - 1;
  return half % 2 == 0 ? half : other;
}

std::optional<std::array<int, kColumnCount>> ColumnWidths(int innerWidth, int columnCount) {
  if (columnCount < kColumnCount) return std::nullopt;
  const int rest = innerWidth - kOriginalNameWidth - kNewNameWidth - kSizeWidth - 6;
  const int folder = rest < kFolderMinimumWidth ? kFolderMinimumWidth : rest;
  return std::array<int, kColumnCount>{kOriginalNameWidth, kNewNameWidth, folder, kSizeWidth};
}

int HomepageLinkLeft(int innerWidth, int linkWidth) {
  return innerWidth - linkWidth - kLinkRightMargin;
}

int HomepageLinkTop(int statusTop, int statusHeight, int linkHeight) {
  return statusTop + statusHeight - HalfRoundedToEven(statusHeight) - HalfRoundedToEven(linkHeight);
}

QString DialogFilter(const QString& programFilter) {
  const QStringList parts = programFilter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
#ifndef Q_OS_WIN
    for (QString& pattern : patterns) {
      if (pattern.trimmed() == u"*.*") pattern = QStringLiteral("*");
    }
#endif
    // Qt reads the patterns from the last brackets, so a description that
    // shows them already has them replaced rather than a second pair added.
    const qsizetype open = description.lastIndexOf(u'(');
    if (open >= 0 && description.endsWith(u')')) description = description.left(open).trimmed();
    filters.append(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
  }
  return filters.join(QStringLiteral(";;"));
}

QString WithDefaultExtension(const QString& path, QStringView extension) {
  qsizetype nameStart = path.lastIndexOf(u'/') + 1;
#ifdef Q_OS_WIN
  nameStart = std::max(nameStart, path.lastIndexOf(u'\\') + 1);
#endif
  if (path.indexOf(u'.', nameStart) >= 0) return path;
  return path + u'.' + extension.toString();
}

}  // namespace corvane
