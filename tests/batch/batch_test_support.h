// Helpers shared by the batch tests: items, options and the log's bytes.
#pragma once

#include "base/progress_report.h"
#include "base/stop_request.h"
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

// A progress report that asks the work to stop once `after` files are
// through (0: before the first, -1: never), as a Cancel button clicked then
// would.
class StopAfter final : public ProgressReport {
 public:
  explicit StopAfter(qsizetype after) : after_(after) {
    if (after_ == 0) stop.Request(1);
  }
  void Advanced(qsizetype done, qsizetype total) override {
    lastTotal = total;
    if (done == after_) stop.Request(1);
  }
  StopRequest stop;
  qsizetype lastTotal = 0;  // the total last heard

 private:
  qsizetype after_;
};

}  // namespace corvane::testing

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
