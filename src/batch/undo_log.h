// The undo log of the last batch: where it lives and how its lines read.
//
// The file is UTF-8 with a byte-order mark; every line ends in CR LF. Line 1 is
// the header "Original,New"; each further line is one performed operation,
// "source","target", the paths exactly as used. Paths are coded as names
// (platform/native_name.h): a Linux name that is not UTF-8 is written as its
// own bytes and read back as the same text. Paths holding a double quote, CR
// or LF cannot be written (LogCanHoldPath); the batch refuses them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace corvane {

// The application-data folder, then Larkwell/Corvane/last_rename.csv.
QString UndoLogPath();

// The byte-order mark and the header line, as the log begins.
QByteArray UndoLogStart();

// One operation's line, CR LF included.
QByteArray UndoLogLine(QStringView source, QStringView target);
// The same line written over `line`, whose room is reused from call to call.
void EncodeUndoLogLine(QByteArray& line, QStringView source, QStringView target);

bool LogCanHoldPath(QStringView path);

struct UndoLogEntry {
  QString oldPath;
  QString newPath;
  friend bool operator==(const UndoLogEntry&, const UndoLogEntry&) = default;
};

// The operations of a log, in file order. Accepts what hand edits leave: lines
// broken by CR LF, LF or CR; spaces and control characters around a line;
// missing outer quotes; and the zero bytes after the last line that a batch
// killed while writing leaves (platform/file_system.h, NewAppendableFile).
// Line 1 is never an operation; lines without "," in quotes ("\",\""), with
// an odd number of quotes or with a zero byte (a line cut short) are passed
// over.
// `lineStarts`, when given, receives the byte offset in `bytes` at which
// each entry's line begins.
QList<UndoLogEntry> ParseUndoLog(QByteArrayView bytes, QList<qint64>* lineStarts = nullptr);

}  // namespace corvane
