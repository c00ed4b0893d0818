// Helpers shared by the preset tests: the literal bytes of the start values'
// file, and a printer so that a failed comparison shows every field.
#pragma once

#include "engine/rename_options.h"

#include <QByteArray>

#include <ostream>

namespace corvane {

inline const QByteArray kStartValuesFile =
    "\xEF\xBB\xBF{\r\n"
    "\"find\":\"\",\r\n"
    "\"replace\":\"\",\r\n"
    "\"regex\":false,\r\n"
    "\"pattern\":\"{name}\",\r\n"
    "\"counterStart\":\"1\",\r\n"
    "\"digits\":\"3\",\r\n"
    "\"case\":0,\r\n"
    "\"changeExt\":false,\r\n"
    "\"newExt\":\"\",\r\n"
    "\"conflict\":2,\r\n"
    "\"insertText\":\"\",\r\n"
    "\"insertPos\":\"1\",\r\n"
    "\"removeFirst\":\"0\",\r\n"
    "\"removeLast\":\"0\",\r\n"
    "\"removeFromPos\":\"0\",\r\n"
    "\"removeTillPos\":\"0\",\r\n"
    "\"charactersToRemove\":\"\",\r\n"
    "\"collapseDoubleSpaces\":false,\r\n"
    "\"cropBefore\":\"\",\r\n"
    "\"cropAfter\":\"\",\r\n"
    "\"padNumbers\":\"0\",\r\n"
    "\"includeSubfolders\":false,\r\n"
    "\"batchMode\":0,\r\n"
    "\"destination\":\"\",\r\n"
    "\"touchModifiedNow\":false,\r\n"
    "\"extCase\":0\r\n"
    "}\r\n";

// Found by GoogleTest through argument-dependent lookup.
inline void PrintTo(const RenameOptions& o, std::ostream* os) {
  const auto q = [](const QString& s) { return '"' + s.toStdString() + '"'; };
  *os << "{find=" << q(o.find) << " replace=" << q(o.replace) << " regex=" << o.regex
      << " pattern=" << q(o.pattern) << " counterStart=" << q(o.counterStart)
      << " digits=" << q(o.digits) << " case=" << o.caseMode << " changeExt=" << o.changeExt
      << " newExt=" << q(o.newExt) << " conflict=" << o.conflict
      << " insertText=" << q(o.insertText) << " insertPos=" << q(o.insertPos)
      << " removeFirst=" << q(o.removeFirst) << " removeLast=" << q(o.removeLast)
      << " removeFromPos=" << q(o.removeFromPos) << " removeTillPos=" << q(o.removeTillPos)
      << " charactersToRemove=" << q(o.charactersToRemove)
      << " collapseDoubleSpaces=" << o.collapseDoubleSpaces << " cropBefore=" << q(o.cropBefore)
      << " cropAfter=" << q(o.cropAfter) << " padNumbers=" << q(o.padNumbers)
      << " includeSubfolders=" << o.includeSubfolders << " batchMode=" << o.batchMode
      << " destination=" << q(o.destination) << " touchModifiedNow=" << o.touchModifiedNow
      << " extCase=" << o.extCase << "}";
}

}  // namespace corvane
