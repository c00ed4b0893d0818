// Adding files to the item list: one file, the files a dialog returned, a
// folder's files, and the paths of a drop.
//
// Every file is read through the FileSystem given (platform/file_system.h).
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
//
// A folder scan can be long: the files of a drop are found and read first
// (ReadDroppedPaths, which may run on another thread than the list's owner)
// and added afterwards in one go (AddReadFiles, no system call). A stop
// request while they are found or read ends the drop with nothing added: a
// part of a folder, in the order the file system happens to list it, is no
// selection anybody made, and the user who cancels expects the list as it
// was.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include <vector>

#include "base/error.h"
#include "base/progress_report.h"
#include "base/stop_request.h"
#include "collect/item_list.h"
#include "platform/file_metadata.h"
#include "platform/file_system.h"

namespace corvane {

// What adding a file reads of it. The window shows sizes, and names may use
// them or the file's times; a terminal run whose names use neither reads
// nothing of a file that its folder's listing tells to be a regular file
// (Size -1 and ZeroTime() stand in until ReadSizesAndTimes).
enum class FileFacts { kSizeAndTimes, kKindOnly };

Status AddFile(RenameItemList& list, const QString& path, FileSystem& fs);

// AddFile for each path in order (the files chosen in the file dialog).
Status AddFiles(RenameItemList& list, const QStringList& paths, FileSystem& fs);

// Every file under `folder` (collect/folder_scan.h), collected before the
// first is added. Nothing when no folder is at `folder`. `stop` and
// `progress` as for ReadDroppedPaths; a stopped scan adds nothing.
Status AddFolder(RenameItemList& list, const QString& folder, bool includeSubfolders,
                 FileSystem& fs, const StopRequest* stop = nullptr,
                 ProgressReport* progress = nullptr);

// A drop: AddFolder for a path where a folder is, AddFile for any other path.
// `stop` and `progress` as for ReadDroppedPaths; a stopped drop adds nothing.
Status AddDroppedPaths(RenameItemList& list, const QStringList& paths, bool includeSubfolders,
                       FileSystem& fs, const StopRequest* stop = nullptr,
                       ProgressReport* progress = nullptr,
                       FileFacts facts = FileFacts::kSizeAndTimes);

// Reads the size and times of every item added with FileFacts::kKindOnly.
// A file gone since keeps the stand-ins; an error the system gives ends it.
Status ReadSizesAndTimes(RenameItemList& list, FileSystem& fs);

// The files of a drop, found and read, not yet added. Only AddReadFiles
// looks inside.
struct FilesToAdd {
  using Read = Result<std::optional<FileMetadata>>;
  QStringList paths;
  std::vector<std::optional<Read>> metadata;  // per path; nullopt: not read (empty, in the list)
};

// The first half of AddDroppedPaths: finds the files of `paths` through `fs`
// and reads what the system says of each file not yet in
// `list`. `list` is only read, so another thread may read it meanwhile; none
// may change it. `stop`, when given, is polled between two files: a request
// gives nullopt. `progress`, when given, hears the number of files found so
// far, with ProgressReport::kUnknownTotal, while they are searched for.
std::optional<FilesToAdd> ReadDroppedPaths(const RenameItemList& list, const QStringList& paths,
                                           bool includeSubfolders, FileSystem& fs,
                                           const StopRequest* stop = nullptr,
                                           ProgressReport* progress = nullptr,
                                           FileFacts facts = FileFacts::kSizeAndTimes);

// The second half: appends the files read, to the list they were read
// against, in order; an error read for a file ends it there, as AddFile's.
Status AddReadFiles(RenameItemList& list, FilesToAdd files);

// AddFiles reading each file through `read` instead of a file system. Long lists are read on two
// threads at once, so `read` must be safe to call concurrently.
using MetadataReader = std::function<Result<std::optional<FileMetadata>>(const QString&)>;
Status AddFiles(RenameItemList& list, const QStringList& paths, const MetadataReader& read);

}  // namespace corvane
