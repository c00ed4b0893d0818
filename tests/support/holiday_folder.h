// A small holiday folder as a camera and a phone leave it: photos named in
// another order than they were taken, a movie, and a note with no date taken.
// Renamed to "trip_{counter}_{taken:yyyy-mm-dd}" in lowercase, sorted by date
// taken, it numbers the files in the order they were taken.
#pragma once

#include <QString>
#include <QStringList>

#include "support/temp_folder.h"

namespace corvane::testing {

// Fills `folder` (relative to `temp`, made here) and returns its path. The
// movie's creation time is UTC: 2024-08-02 12:00.
QString MakeHolidayFolder(const TempFolder& temp, const QString& folder);

// The files of the holiday folder as TempFolder::List gives them.
QStringList HolidayFileNames();

// What the holiday folder's files are renamed to, in the order they were
// taken (the note last, by its modified time), in any zone from UTC-11 to
// UTC+11.
QStringList HolidayTripNames();

inline constexpr const char* kTripPattern = "trip_{counter}_{taken:yyyy-mm-dd}";

}  // namespace corvane::testing
