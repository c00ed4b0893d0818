#include "batch/undo_line.h"

#include <optional>

#include "batch/batch_texts.h"
#include "platform/paths.h"

namespace corvane {
namespace {

Error FileInTheWay(const QString& path) {
  return Error(QString::fromUtf16(batch_texts::kFileInTheWay), {path}, Error::Code::kGeneric);
}

// `folder` is a folder part: it is named without its final delimiter.
Error FolderNotCreated(QStringView folder) {
  const QStringView named = folder.size() > 1 ? folder.chopped(1) : folder;
  return Error(QString::fromUtf16(batch_texts::kUnableToCreateFolder), {named.toString()},
               Error::Code::kGeneric);
}

// Something stands at the old path while the file to bring back is at the new
// one: the source of a copy, a file made there since, or (a line logged ahead
// of a move that did not happen) the very file. Only bytes that are there
// twice may go, and then the one at the new path goes, so that the file at
// the old path keeps its own times.
Status ResolveOldPathTaken(FileSystem& fs, const UndoLogEntry& entry) {
  // A case change on a case-insensitive file system: the "file at the old
  // path" is the very file to move back.
  if (fs.IsSameFile(entry.oldPath, entry.newPath)) {
    return fs.RenameSameFile(entry.newPath, entry.oldPath);
  }
  if (fs.LookUp(entry.oldPath) == EntryKind::kFolder) return FileInTheWay(entry.oldPath);
  Result<bool> same = fs.HoldSameBytes(entry.oldPath, entry.newPath);
  if (!same.ok()) return same.error();
  if (!*same) return FileInTheWay(entry.oldPath);
  return fs.DeleteFile(entry.newPath);
}

// Gives up the trash's record of a file that is not in the trash (any more).
void ForgetTrashRecord(FileSystem& fs, const QString& place) {
  const std::optional<QString> record = TrashRecordFor(place);
  if (record && fs.LookUp(place) == EntryKind::kNone && fs.LookUp(*record) == EntryKind::kFile) {
    (void)fs.DeleteFile(*record);
  }
}

// Whether the file at a place in the trash is the one this line put there: a
// file the user trashed later may have taken the same place once the trash
// was emptied. The record names the file's old path.
bool TrashHoldsTheLinesFile(FileSystem& fs, const UndoLogEntry& entry) {
  const std::optional<QString> record = TrashRecordFor(entry.newPath);
  if (!record) return true;
  const Result<QByteArray> text = fs.ReadFile(*record);
  return text.ok() && TrashRecordNames(*text, entry.oldPath);
}

// The line's new entry is not there: never done, or done and already undone.
// A copy killed half-way may have left its partial file, whose source is
// still in place.
Status UndoLineWithoutNewEntry(FileSystem& fs, const QString& newPath) {
  ForgetTrashRecord(fs, newPath);
  const QString partial = TemporaryPathFor(newPath);
  const EntryKind left = fs.LookUp(partial);
  if (left == EntryKind::kFile || left == EntryKind::kLink) return fs.DeleteFile(partial);
  return Status::Ok();
}

// The trash's record of the entry goes once the entry is out of the trash.
Status MoveToOldPath(FileSystem& fs, const UndoLogEntry& entry) {
  Status moved = fs.MoveFile(entry.newPath, entry.oldPath);
  if (moved.ok()) ForgetTrashRecord(fs, entry.newPath);
  return moved;
}

// Moves the entry back where the old path is free. Each step is one rename or
// one new folder: a kill between two leaves the entry at the new path or at
// the old one, never in neither, or an old folder made for nothing, which the
// next undo fills.
Status MoveBack(FileSystem& fs, const UndoLogEntry& entry) {
  Status moved = MoveToOldPath(fs, entry);
  if (moved.ok()) return moved;
  // The lookups explain the failure now rather than precede every line. The
  // new entry is asked first: a line undone already finds its file back at
  // the old path, which must not read as a file in the way.
  const EntryKind kind = fs.LookUp(entry.newPath);
  if (kind == EntryKind::kNone) return UndoLineWithoutNewEntry(fs, entry.newPath);
  if (kind == EntryKind::kFolder) return Status::Ok();  // put there since: not the batch's
  if (fs.LookUp(entry.oldPath) != EntryKind::kNone) return ResolveOldPathTaken(fs, entry);
  const QString folder = FolderPart(entry.oldPath);
  if (fs.FolderExists(folder)) return moved;
  if (!fs.CreateFolder(folder)) return FolderNotCreated(folder);
  return MoveToOldPath(fs, entry);
}

}  // namespace

Status UndoLine(FileSystem& fs, const UndoLogEntry& entry, NewEntry known) {
  const QString& oldPath = entry.oldPath;
  const QString& newPath = entry.newPath;
  if (oldPath == newPath) return Status::Ok();
  // A line of the trash is looked at first whatever a listing showed: its
  // place may hold a file trashed since.
  if (known == NewEntry::kUnknown || TrashRecordFor(newPath)) {
    // The entry itself counts: a link is brought back whatever it points to.
    const EntryKind kind = fs.LookUp(newPath);
    if (kind == EntryKind::kNone) return UndoLineWithoutNewEntry(fs, newPath);
    // A batch moves files and links only: a folder there is not its work.
    if (kind == EntryKind::kFolder || !TrashHoldsTheLinesFile(fs, entry)) return Status::Ok();
  }
  if (FolderView(oldPath).isEmpty()) {
    return Error(QString::fromUtf16(batch_texts::kUnableToCreateDirectory));
  }
  return MoveBack(fs, entry);
}

}  // namespace corvane
