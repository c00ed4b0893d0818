// CollectFolderFiles: the paths of the files under a folder, collected
// completely before any is added to the list.
//
// Entries come in the order NTFS lists them (collect/ntfs_name_order.h): as
// Windows lists them, and sorted so elsewhere; hidden ones included. A path
// is the folder joined with the entry's name, one separator between them.
// With subfolders, a subfolder is searched where it is met among its parent's
// entries, so its files stand there (depth first).
// Folder links are followed, but a folder already entered in this scan (known
// by its file identity, however it was reached) is not entered again, so a
// link back into the tree cannot make the scan loop. A folder that cannot be
// listed contributes nothing. Every entry not known to be a folder is
// returned (a link to a folder too, when subfolders are not searched); AddFile
// decides which of them are files. Everything is asked of `fs`.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "base/progress_report.h"
#include "base/stop_request.h"
#include "platform/file_system.h"

namespace corvane {

QStringList CollectFolderFiles(const QString& folder, bool includeSubfolders, FileSystem& fs);

// The same, appended to `files`. `stop`, when given, is polled before each
// entry: a request ends the scan at once and returns false, leaving part of
// the folder's files appended. `progress`, when given, hears the size of
// `files` after each file found, with ProgressReport::kUnknownTotal.
// `listedAsFiles`, when given, grows with `files`: true for a path that the
// listing told to be a regular file.
bool CollectFolderFiles(QStringList& files, const QString& folder, bool includeSubfolders,
                        FileSystem& fs, const StopRequest* stop, ProgressReport* progress,
                        std::vector<bool>* listedAsFiles = nullptr);

}  // namespace corvane
