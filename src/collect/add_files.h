// Adding files to the item list: one file, the files a dialog returned, a
// folder's files, and the paths of a drop.
//
// AddFile passes over, without a message, an empty path, a path where no
// regular file is (links followed; a folder does not count) and a path already
// in the list. Otherwise it appends the item: the path exactly as received
// (never made absolute or normalised), its name and extension, an empty
// NewName, the size (-1 when unreadable) and the creation and last-write times
// in UTC (ZeroTime() when unreadable). Paths of any length are taken whole.
//
// An error while a file is added (the system could not say what is at the
// path) ends the operation and is returned; the files added before it stay.
// The window suspends the list's repainting around these calls and updates the
// status line after them; nothing here shows anything.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "base/error.h"
#include "collect/item_list.h"
#include "platform/file_metadata.h"

namespace corvane {

Status AddFile(RenameItemList& list, const QString& path);

// AddFile for each path in order (the files chosen in the file dialog).
Status AddFiles(RenameItemList& list, const QStringList& paths);

// Every file under `folder` (collect/folder_scan.h), collected before the
// first is added. Nothing when no folder is at `folder`.
Status AddFolder(RenameItemList& list, const QString& folder, bool includeSubfolders);

// A drop: AddFolder for a path where a folder is, AddFile for any other path.
Status AddDroppedPaths(RenameItemList& list, const QStringList& paths, bool includeSubfolders);

// AddFiles reading each file through `read` instead of the file system, so
// tests can make one file fail. Long lists are read on two threads at once,
// so `read` must be safe to call concurrently.
using MetadataReader = std::function<Result<std::optional<FileMetadata>>(const QString&)>;
Status AddFiles(RenameItemList& list, const QStringList& paths, const MetadataReader& read);

}  // namespace corvane
