// TRenameItem: one file of a batch, a plain value. The item list holds copies;
// an item is changed by reading it, changing the copy and writing it back.
#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace corvane {

struct TRenameItem {
  QString OriginalPath;  // full path exactly as added (or as moved to by a batch)
  QString OriginalName;  // file name without folder and without extension
  QString NewName;       // complete new file name from the last preview; empty before one
  QString Ext;           // extension with its leading dot, or empty
  int64_t Size = -1;     // bytes when added; -1 when unreadable
  QDateTime CreatedUtc;  // UTC, millisecond precision; ZeroTime() when unreadable
  QDateTime ModifiedUtc;
  // The date taken (engine/taken_time.h) once read: nullopt until then, an
  // invalid QDateTime when the file has none.
  std::optional<QDateTime> TakenLocal;

  friend bool operator==(const TRenameItem&, const TRenameItem&) = default;
};

// The "zero" date-time that stands for a time that could not be read:
// 30 December 1899, 00:00 UTC, the epoch of the date arithmetic users know
// from spreadsheets.
QDateTime ZeroTime();

// A file name split at its last dot: "archive.tar.gz" gives "archive.tar" and
// ".gz"; "README" gives "README" and ""; ".profile" gives "" and ".profile";
// "name." gives "name" and ".".
struct NameAndExt {
  QString name;
  QString ext;
};
NameAndExt SplitFileName(QStringView fileName);

// The same split as views into `fileName`, for callers that copy only part.
struct NameAndExtView {
  QStringView name;
  QStringView ext;
};
NameAndExtView SplitFileNameView(QStringView fileName);

// Points `item` at `path`: sets OriginalPath, and OriginalName and Ext from the
// path's file name (dots in folders never count). Other fields are kept.
void AssignPath(TRenameItem& item, const QString& path);

}  // namespace corvane
