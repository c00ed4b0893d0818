// Pieces shared by the file-system implementations of each platform; not for
// use outside src/platform.
#pragma once

#include "base/error.h"
#include "platform/file_system.h"

#include <QStringView>

#include <functional>
#include <memory>

namespace corvane::file_system_internal {

Error InvalidPathError();
Error PathNotFoundError();
Error FileNotFoundError();
Error FileExistsError();

// True when `path` holds a character that no path may hold on this platform
// (U+0000 everywhere; on Windows also U+0001 to U+001F and " < > |).
bool HoldsInvalidPathCharacter(QStringView path);

// The error for a source that is not there: its folder missing, or the file.
Error MissingSourceError(FileSystem& fs, const QString& source);

#ifndef Q_OS_WIN
// Writes all of `data` to `fd`, through interruptions; 0 or an errno.
int WriteAll(int fd, const char* data, size_t size);
// See FileSystem::FoldsLetterCase; `folder` as the system calls take it.
bool FolderFoldsLetterCase(const QByteArray& folder);
// See FileSystem::TrashPlaceFor.
Result<QString> HomeTrashPlaceFor(const QString& path);
// Writes the trash's record `record` of the file at `path`, failing where it
// exists; `step` runs before each change of the disk.
Status WriteTrashRecord(const QString& record, const QString& path,
                        const std::function<void()>& step);
#endif

// See FileSystem::WriteFileAtomically.
Status SaveWholeFile(const QString& path, QByteArrayView data);

// The operating system's file system.
std::unique_ptr<FileSystem> NewNativeFileSystem();

}  // namespace corvane::file_system_internal
