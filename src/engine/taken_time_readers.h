// The readers behind ReadTakenTime (engine/taken_time.h), one per family of
// formats, and the checks they share.
#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QIODevice>
#include <QString>

#include <optional>
#include <string_view>

namespace corvane {

// "YYYY:MM:DD HH:MM:SS" as a floating time; anything else, an impossible date
// or time, and all zeros give none. Trailing NULs and spaces are ignored.
std::optional<QDateTime> ParseExifDateTime(std::string_view text);

// The Exif date taken of a photo, through exiv2; none for any other file.
std::optional<QDateTime> ReadExifTakenTime(const QString& path);

// Whether `header`, a file's first bytes, opens an ISO media or QuickTime
// file (a first box of a type such files start with).
bool LooksLikeMovie(QByteArrayView header);

// The creation time, UTC, of the movie header of the ISO media or QuickTime
// file open in `file`; none when it is missing, zero or out of bounds.
std::optional<QDateTime> ReadMovieCreationUtc(QIODevice& file);

}  // namespace corvane
