#include "batch/undo_log.h"

#include "engine/whole_number.h"
#include "platform/app_data.h"
#include "platform/native_name.h"
#include "platform/paths.h"

#include <algorithm>
#include <cstdint>

namespace corvane {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// Splits at CR LF, lone LF and lone CR. A final break makes no empty line.
QList<QStringView> SplitLines(QStringView text) {
  QList<QStringView> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    lines.append(text.mid(start, i - start));
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.append(text.mid(start));
  return lines;
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

bool LogCanHoldPath(QStringView path) {
  // One pass with a bit per code unit below 64: the batch asks for every file.
  constexpr uint64_t kUnloggable = (1ull << u'"') | (1ull << u'\r') | (1ull << u'\n');
  for (QChar c : path) {
    const char16_t u = c.unicode();
    if (u < 64 && ((kUnloggable >> u) & 1) != 0) return false;
  }
  return true;
}

QList<UndoLogEntry> ParseUndoLog(QByteArrayView bytes) {
  if (bytes.startsWith(kByteOrderMark)) bytes = bytes.sliced(3);
  const QString text = DecodeNativeName(bytes);
  const QList<QStringView> lines = SplitLines(text);
  QList<UndoLogEntry> entries;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    QString line = TrimControl(lines[i]);
    if (line.isEmpty()) continue;
    if (line.size() >= 2 && line.startsWith(u'"') && line.endsWith(u'"')) {
      line = line.mid(1, line.size() - 2);
    }
    const qsizetype separator = line.indexOf(QStringLiteral("\",\""));
    if (separator < 0) continue;
    entries.append({line.left(separator), line.mid(separator + 3)});
  }
  return entries;
}

}  // namespace corvane
