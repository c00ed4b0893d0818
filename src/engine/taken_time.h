// The moment a photo or a movie was taken, read from the file's own metadata.
//
// Photos (JPEG, TIFF, PNG, WebP and the raw formats exiv2 knows): the Exif
// DateTimeOriginal, else DateTimeDigitized, else DateTime. Cameras write these
// without a zone, as their clock showed them, and so they are taken.
// Movies (MP4, MOV, 3GP, told by their first box rather than their name): the
// creation time of the movie header, which is UTC, turned into local time.
//
// A date taken is held as a floating wall-clock time: the date and the time
// of day, in a QDateTime marked as UTC only so that no zone's daylight-saving
// rules can move it. A file without one, an unreadable or a damaged file, and
// a malformed value all give none; nothing here throws.
#pragma once

#include "engine/engine_context.h"
#include "engine/rename_item.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <optional>

namespace corvane {

// The date taken of the file at `path`, movie times turned into `zone`.
std::optional<QDateTime> ReadTakenTime(const QString& path, const QTimeZone& zone);

// The date taken of `item`: the one it holds (TakenLocal), else read now.
// Code that needs a file's date taken calls this.
std::optional<QDateTime> TakenTimeOf(const TRenameItem& item, const EngineContext& context);

// The date taken of `item`, else its modified time as the clocks of the
// context's zone showed it, held floating as a date taken is: what files
// without a date taken are ordered and named by.
QDateTime TakenOrModifiedTime(const TRenameItem& item, const EngineContext& context);

}  // namespace corvane
