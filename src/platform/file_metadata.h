// FileMetadata: what the file list records about a file when it is added,
// read in one step, links followed.
//
// ReadFileMetadata answers three ways: a value for a regular file; nullopt when
// nothing that counts as a file is there (missing, a folder, a dangling link, a
// device, a pipe, or a path that cannot be searched); an Error when the system
// failed in a way that leaves the question open (an I/O error, for example).
//
// Creation time: Windows records it for every file. On Linux it is the birth
// time (statx STATX_BTIME) where the file system records one, and otherwise
// the last-write time. Times are UTC with milliseconds; a time that cannot be
// read is an invalid QDateTime and a size that cannot be read is -1.
#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

#include "base/error.h"

#ifndef Q_OS_WIN
struct statx;
#endif

namespace corvane {

struct FileMetadata {
  int64_t size = -1;
  QDateTime createdUtc;
  QDateTime modifiedUtc;
};

Result<std::optional<FileMetadata>> ReadFileMetadata(const QString& path);

#ifndef Q_OS_WIN
// The metadata of a statx answer for a regular file, with the fallbacks above.
// Pure, so the fallbacks can be tested with any answer.
FileMetadata MetadataFromStatx(const struct statx& answer);
#endif

}  // namespace corvane
