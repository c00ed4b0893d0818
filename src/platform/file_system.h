// FileSystem: the few disk operations that batches, undo and the file
// collection rely on, behind one interface so that tests can make any one of
// them fail on purpose (as root, permissions stop nothing).
//
// Paths are used as given (a relative path is taken from the current folder).
// Failures carry these texts: "Invalid characters in path" (a character no path
// may hold on this platform), "The specified path was not found" (a missing
// folder of the source or target), "The specified file was not found" (a
// missing source), "The specified file already exists" (a move onto a file);
// anything else carries the operating system's own message.
//
// RealFileSystem() lives for the whole program and keeps no state of its own:
// its queries (FileExists, FolderExists, LookUp, ListNames, StampOf, ListEntries,
// IdentityOf, ReadMetadata, IsSameFile) may run on several threads at once, beside one thread that
// changes files; a query then sees the disk before or after a change. FileSystemWrapper
// (platform/file_system_wrapper.h) passes every call to another FileSystem,
// which must outlive it; what derives from it keeps the same rule.
#pragma once

#include "base/error.h"
#include "platform/file_identity.h"
#include "platform/file_metadata.h"
#include "platform/folder_entries.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// <windows.h> defines these as macros for its own functions; the interface
// keeps its names whatever was included before (as LevelDB's Env does).
#ifdef Q_OS_WIN
#undef DeleteFile
#undef MoveFile
#undef CopyFile
#undef ReplaceFile
#endif

namespace corvane {

// A file being written. Every Append is handed to the operating system before
// it returns (no buffering in the process), so a killed program loses nothing
// that Append accepted; Sync makes it survive a power cut too.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual Status Append(QByteArrayView data) = 0;
  virtual Status Sync() = 0;
  // Cuts the file back to its first `size` bytes, taking back appends that
  // must not stay (operations that did not happen after all).
  virtual Status TruncateTo(qint64 size) = 0;
  virtual Status Close() = 0;
};

// A lock held until it is destroyed; the operating system releases it when
// the process ends, however it ends.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

// What stands at a path, the entry itself: a link is a link, whatever it
// points to (or whether it points anywhere at all).
enum class EntryKind { kNone, kFile, kLink, kFolder, kOther };

// Whether a copy may replace a file at its target.
enum class Replace { kNever, kAtomically };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True only for a regular file; links are followed.
  virtual bool FileExists(const QString& path) = 0;
  // True only for a folder; links are followed.
  virtual bool FolderExists(const QString& path) = 0;
  virtual EntryKind LookUp(const QString& path) = 0;
  // Hands `take` the name of each entry of `folder` in the order the file
  // system lists them, "." and ".." left out, each valid during that call
  // only, with what the listing tells of its kind (ListFolderNames of
  // platform/folder_entries.h); false when the folder cannot be listed
  // completely (some names may have been handed then). One listing of a
  // folder costs about as much as a few lookups of names not there.
  virtual bool ListNames(const QString& folder, const TakeListedName& take) = 0;
  // What tells whether anything in `folder` changed between two moments
  // (FolderStamp of platform/folder_entries.h); nullopt where nothing tells.
  virtual std::optional<FolderStamp> StampOf(const QString& folder) = 0;
  // The entries of `folder` with what the listing tells of their kind, as
  // ListFolderEntries (platform/folder_entries.h) gives them: each as the
  // folder joined with its name, in the order the file system lists them,
  // "." and ".." left out; nullopt when the folder cannot be listed
  // completely.
  virtual std::optional<QList<FolderEntry>> ListEntries(const QString& folder) = 0;
  // Which file `path` leads to, links followed (platform/file_identity.h);
  // nullopt when nothing can be found there.
  virtual std::optional<FileIdentity> IdentityOf(const QString& path) = 0;
  // What the file list records of the file at `path`, links followed, with
  // the three answers of ReadFileMetadata (platform/file_metadata.h): a value
  // for a regular file, nullopt when nothing that counts as a file is there,
  // an Error when the system failed in a way that leaves the question open.
  virtual Result<std::optional<FileMetadata>> ReadMetadata(const QString& path) = 0;
  // Creates the folder with every missing parent; true when it exists afterwards.
  virtual bool CreateFolder(const QString& path) = 0;
  virtual Status DeleteFile(const QString& path) = 0;
  // Moves a file or a link (the link itself); never replaces anything at `to`,
  // not even in a race. Across file systems it copies under
  // TemporaryPathFor(to), keeping mode, owner (where permitted) and times, or
  // makes the link again, renames the copy to `to` without replacing, and
  // only then deletes the source; when the source cannot be deleted the copy
  // is removed again. At no instant is the source gone before `to` is whole.
  virtual Status MoveFile(const QString& from, const QString& to) = 0;
  // Whether `a` and `b` name one and the same entry of one folder: their
  // folders are the same folder (whatever the spelling) and the names are the
  // same, or differ only in a way the file system ignores (letter case on a
  // case-insensitive one). Two hard links, however many, are two entries.
  virtual bool IsSameFile(const QString& a, const QString& b) = 0;
  // Gives the entry `from` the spelling `to`, where IsSameFile(from, to).
  // A no-replace move cannot: on a case-insensitive file system it sees `to`
  // taken by the file itself.
  virtual Status RenameSameFile(const QString& from, const QString& to) = 0;
  // Copies content, permissions and last-write time. On POSIX systems a link
  // is copied as a link holding the same text (as cp -P does), whatever it
  // points to or whether it points anywhere at all. Writes under
  // TemporaryPathFor(to) first, so that a failed or killed copy never leaves a
  // half-written file under the target name, then renames it to `to`:
  // replacing a file there in one step (kAtomically) or never (kNever).
  virtual Status CopyFile(const QString& from, const QString& to, Replace replace) = 0;
  // Whether the file system of the existing `folder` takes names that differ
  // only in letter case for one name (FAT and exFAT, NTFS, a case-folding
  // folder of ext4); false where it cannot tell.
  virtual bool FoldsLetterCase(const QString& folder) = 0;
  // Where the desktop's trash would keep the file at `path`: a name in the
  // files folder of the home trash (Linux, freedesktop.org trash) on the
  // file's own volume that neither a file nor a record takes now. Nothing is
  // written but the trash's folders. Fails with kNotSupported where the
  // file's volume has no trash.
  virtual Result<QString> TrashPlaceFor(const QString& path) = 0;
  // Moves the file at `path` to `place` (from TrashPlaceFor) after writing
  // the trash's record of it (TrashRecordFor(place)), never replacing either.
  // On failure the file stays and the record is gone: a full or read-only
  // trash fails here with the system's error, at once (nothing retries).
  // Whoever moves the file back removes the record.
  virtual Status MoveToTrash(const QString& path, const QString& place) = 0;
  // Removes a file that a batch replaced and set aside on a volume without a
  // trash: the Recycle Bin takes it on Windows where it can, else it is
  // deleted.
  virtual Status DiscardReplaced(const QString& path) = 0;
  // Whether two files hold the same bytes (two links: the same link text).
  virtual Result<bool> HoldSameBytes(const QString& a, const QString& b) = 0;
  // Sets the last-write time alone; creation and access times stay. On POSIX
  // systems a link gets the time itself; the file it points to keeps its own.
  virtual Status SetLastWriteTime(const QString& path, const QDateTime& utc) = 0;

  virtual Result<QByteArray> ReadFile(const QString& path) = 0;
  // Creates `path` empty, replacing any file there. On POSIX systems a link
  // at `path` is never followed: the link itself is replaced by the new file,
  // and the file it points to stays as it was.
  virtual Result<std::unique_ptr<WritableFile>> NewWritableFile(const QString& path) = 0;
  // Opens an existing file to write at its end. Where the platform can, an
  // Append costs no system call (POSIX: a shared mapping); until Close the
  // file may then end in zero bytes past what was appended, and a process
  // killed before it leaves them there for readers to pass over. Close leaves
  // them too where the file system refuses to cut them off (FAT through
  // FUSE), and still succeeds: every append is in the file.
  virtual Result<std::unique_ptr<WritableFile>> NewAppendableFile(const QString& path) = 0;
  // Makes `data` the whole content of the file `path`: written beside it
  // first and given its name only once complete, replacing a file there in
  // one step, so whoever looks at `path` sees the old file whole or the new
  // one whole. On failure nothing is left beside it and a file at `path`
  // stays as it was. A link at `path` is followed; an existing file's
  // permissions are kept. Failures carry the operating system's own message
  // (a missing folder too).
  virtual Status WriteFileAtomically(const QString& path, QByteArrayView data) = 0;
  // Moves `from` to `to`, replacing a file at `to` in one step: whoever looks
  // at `to` sees the old file or the new one, never none. Across file systems
  // the copy is written under TemporaryPathFor(to) first.
  virtual Status ReplaceFile(const QString& from, const QString& to) = 0;
  // Makes the entries of `folder` (renames, new and deleted files) survive a
  // power cut.
  virtual Status SyncFolder(const QString& folder) = 0;
  // Takes an exclusive lock on the file `path` (created when missing) or fails
  // at once with kBusy when another process holds it.
  virtual Result<std::unique_ptr<FileLock>> LockExclusively(const QString& path) = 0;
};

// The error for a file that is not at `path`: "The specified path was not
// found" when its folder is missing too, else "The specified file was not found".
Error MissingFileError(FileSystem& fs, const QString& path);

// Where a copy to `target` is written before it takes the target's name: in
// the target's folder, under a name that depends on the target alone, so that
// an undo finds what a killed copy left. Only ever a partial copy: its source
// is still in place whenever it exists.
QString TemporaryPathFor(QStringView target);

// The trash's record of the file a place in the trash holds or will hold
// (FileSystem::TrashPlaceFor): TRASH/info/NAME.trashinfo for the place
// TRASH/files/NAME, where TRASH is a trash folder ("Trash", ".Trash-UID",
// ".Trash/UID"); nullopt for any other path.
std::optional<QString> TrashRecordFor(QStringView place);
// Whether the trash's record `record` (the text of a .trashinfo) names the
// file that was at `path`.
bool TrashRecordNames(QByteArrayView record, const QString& path);

// The operating system's file system.
FileSystem& RealFileSystem();

}  // namespace corvane
