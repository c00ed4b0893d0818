// Photos and movies that carry a date taken, made in memory for the tests of
// the date-taken reader, its keywords and the terminal run.
#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <utility>

namespace corvane::testing {

// Exif keys as exiv2 names them.
inline constexpr const char* kDateTimeOriginal = "Exif.Photo.DateTimeOriginal";
inline constexpr const char* kDateTimeDigitized = "Exif.Photo.DateTimeDigitized";
inline constexpr const char* kDateTime = "Exif.Image.DateTime";

using ExifTags = QList<std::pair<const char*, const char*>>;

// `picture` (a JPEG, PNG or TIFF) with `tags` written into it by exiv2, as
// ASCII values.
QByteArray WithExifTags(const QByteArray& picture, const ExifTags& tags);

// A JPEG of 16 by 16 pixels carrying `tags`.
QByteArray TaggedJpeg(const ExifTags& tags);

// Seconds from 1904-01-01 to 1970-01-01, both UTC: the movie epoch against
// the Unix one.
inline constexpr uint64_t kMovieEpochToUnix = 2082844800ull;

// One box of an ISO media file: 32-bit size, type, content.
QByteArray MovieBox(const char (&type)[5], const QByteArray& content);
// The same with the size written as 64 bits after the type (size field 1).
QByteArray MovieBox64(const char (&type)[5], const QByteArray& content);
// A movie header of `version` (0 or 1) created `created` seconds after 1904.
QByteArray MovieHeaderBox(int version, uint64_t created);
// ftyp of `brand`, then moov holding a movie header created `created`
// seconds after 1904 in version `version`.
QByteArray MovieBytes(const char (&brand)[5], int version, uint64_t created);

}  // namespace corvane::testing
