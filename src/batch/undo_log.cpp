#include "batch/undo_log.h"

#include "base/unit_scan.h"
#include "engine/whole_number.h"
#include "platform/app_data.h"
#include "platform/native_name.h"
#include "platform/paths.h"

#include <algorithm>
#include <cstdint>

namespace corvane {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A line cut short by a kill (the paths hold no quote, so a whole line has
// four, or two without its outer ones) or holding a zero byte is not one the
// writer finished: it names an operation that never happened, and read as
// paths it could name unrelated files.
bool IsWholeLine(QStringView line) {
  return line.count(u'"') % 2 == 0 && !line.contains(QChar(u'\0'));
}

}  // namespace

QString UndoLogPath() {
  const QString folder = JoinPath(JoinPath(ApplicationDataFolder(), QStringLiteral("Larkwell")),
                                  QStringLiteral("Corvane"));
  return JoinPath(folder, QStringLiteral("last_rename.csv"));
}

QByteArray UndoLogStart() { return QByteArray(kByteOrderMark) + "Original,New\r\n"; }

void EncodeUndoLogLine(QByteArray& line, QStringView source, QStringView target) {
  // Encoded straight into one buffer (a UTF-16 unit takes at most three
  // bytes): this runs once per file of a batch. The paths are written as the
  // bytes the system knows them by, so a name that is not UTF-8 comes back.
  line.resize(3 * (source.size() + target.size()) + 7);
  char* out = line.data();
  *out++ = '"';
  out = EncodeNativeNameTo(source, out);
  out = std::copy_n("\",\"", 3, out);
  out = EncodeNativeNameTo(target, out);
  out = std::copy_n("\"\r\n", 3, out);
  line.truncate(out - line.constData());
}

QByteArray UndoLogLine(QStringView source, QStringView target) {
  QByteArray line;
  EncodeUndoLogLine(line, source, target);
  return line;
}

bool LogCanHoldPath(QStringView path) { return !HoldsUnit<0, u'"', u'\r', u'\n'>(path); }

QList<UndoLogEntry> ParseUndoLog(QByteArrayView bytes, QList<qint64>* lineStarts) {
  const qint64 bom = bytes.startsWith(kByteOrderMark) ? 3 : 0;
  QList<UndoLogEntry> entries;
  // Room for every line at once: a log of a large batch would otherwise be
  // copied over and over as it grows.
  const qsizetype lineCount = std::count(bytes.begin(), bytes.end(), '\n');
  entries.reserve(lineCount);
  if (lineStarts) lineStarts->reserve(lineCount);
  // Split on the bytes: CR and LF never occur inside a UTF-8 sequence, and
  // each line's place in the file is kept for the undo to cut it off.
  qint64 start = bom;
  bool header = true;
  for (qint64 i = bom; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') continue;
    const qint64 lineStart = start;
    const QByteArrayView raw = bytes.sliced(start, i - start);
    if (i < bytes.size() && bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
    if (std::exchange(header, false)) continue;
    QString line = TrimControl(DecodeNativeName(raw));
    if (line.isEmpty() || !IsWholeLine(line)) continue;
    if (line.size() >= 2 && line.startsWith(u'"') && line.endsWith(u'"')) {
      line = line.mid(1, line.size() - 2);
    }
    const qsizetype separator = line.indexOf(QStringLiteral("\",\""));
    if (separator < 0) continue;
    entries.append({line.left(separator), line.mid(separator + 3)});
    if (lineStarts) lineStarts->append(lineStart);
  }
  return entries;
}

}  // namespace corvane
