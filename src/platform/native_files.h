// What Qt would hand to or take from the system in UTF-8 alone: on Linux these
// go through the name codec (platform/native_name.h) instead, so that a path
// holding bytes that are not UTF-8 leads to its own file and no other.
#pragma once

#include "base/error.h"

#include <QFile>
#include <QString>

namespace corvane {

// Opens `file` to read the file at `path`, giving the system's error text on
// failure. (QFile would look for the name that U+FFFD makes of such bytes.)
Status OpenForReading(QFile& file, const QString& path);

// The current folder as the system names it; empty when it cannot be told
// (it was removed, for example).
QString CurrentFolder();

}  // namespace corvane
