// Helpers shared by the batch tests: items, options and the log's bytes.
#pragma once

#include "engine/rename_item.h"
#include "engine/rename_options.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <ostream>

namespace corvane::testing {

// An item for the file at `path` with the new name of a preview.
inline TRenameItem Item(const QString& path, const QString& newName) {
  TRenameItem item;
  AssignPath(item, path);
  item.NewName = newName;
  item.Size = 1;
  return item;
}

inline RenameOptions Options(BatchMode mode, ConflictMode conflict,
                             const QString& destination = {}) {
  RenameOptions o;
  o.batchMode = static_cast<int>(mode);
  o.conflict = static_cast<int>(conflict);
  o.destination = destination;
  return o;
}

// The log a batch leaves: byte-order mark, header, then one line per pair.
inline QByteArray LogBytes(const QList<QStringList>& pairs) {
  QByteArray bytes = "\xEF\xBB\xBFOriginal,New\r\n";
  for (const QStringList& p : pairs) {
    bytes += "\"" + p[0].toUtf8() + "\",\"" + p[1].toUtf8() + "\"\r\n";
  }
  return bytes;
}

}  // namespace corvane::testing

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
