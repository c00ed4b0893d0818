// FreeNames: tells from one listing of a folder that a name is certainly free
// there, so that a large batch, or the verdicts on it, need not look up every
// target it moves to.
//
// A lookup of a name that is not there costs the kernel a search of the
// folder, about as much as the rename itself. After a few lookups in one
// folder, its names are listed once and every target noted as taken is
// added. Names are compared as no file system tells them apart more finely:
// letter case and Unicode normalisation are ignored, so a name that some file
// system might take for a listed one is never called free. Only a hash of
// each name is kept: a name that shares one with a listed name by chance is
// looked up. A name in neither is free, unless another program made it since:
// the move never replaces, fails, and the batch plans that item again after
// Distrust(), with real lookups from then on.
//
// The same listing tells which entries are regular files (ListedAsFile), so
// that the batch need not look at each source before it moves it. That
// answer is only given for the operations about to be done, and only while
// the folder's stamp (platform/folder_entries.h) shows that nobody changed
// the folder since: ConfirmBeforeChanges compares it once the operations are
// logged, right before the first of them, and StampAfterChanges takes it
// again after the batch's own changes, which move the folder's times. During
// those changes only the link count can tell another program's hand, and it
// tells what matters: a folder put where a file was listed. A folder whose
// link count says nothing of its subfolders (Btrfs gives every folder one)
// is never trusted, and its sources are looked up one by one.
#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>
#include <unordered_map>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace corvane {

class FreeNames {
 public:
  // Lists folders through `fs`, which must outlive this.
  explicit FreeNames(FileSystem& fs) : fs_(fs) {}

  // The key of a name, as CertainlyFree compares names; pure, so that it may
  // be found ahead on any thread. kAskTheDisk for a name that only a lookup
  // can tell free.
  static size_t NameKey(QStringView name);
  static constexpr size_t kAskTheDisk = 0;

  // True only when `path` is certainly free; false means "look it up".
  bool CertainlyFree(QStringView path) { return CertainlyFree(path, NameKey(FileNameView(path))); }
  // The same, with NameKey(FileNameView(path)) found ahead.
  bool CertainlyFree(QStringView path, size_t nameKey) {
    return CertainlyFreeIn(FolderView(path), nameKey);
  }
  // The same, for the name whose key is `nameKey` in `folder` (FolderView of its path).
  bool CertainlyFreeIn(QStringView folder, size_t nameKey);
  // About `lookups` names in `folder` will be asked about: lists it at once
  // when that many would have it listed anyway, instead of looking up the
  // first of them one by one.
  void Expect(QStringView folder, qsizetype lookups);
  // `path` is a target of the batch: it is taken from now on.
  void NoteTaken(const QString& path);
  // Something outside the batch changed a folder: stop answering.
  void Distrust() { trusted_ = false; }

  // True only when the listing of its folder, confirmed unchanged, tells that
  // `path` is a regular file; false means "look it up".
  bool ListedAsFile(QStringView path);
  // Operations on entries of `folder` are about to be done: from now until
  // StampAfterChanges(folder), ListedAsFile answers for its entries only if
  // nothing changed the folder since its listing or the batch's last change.
  void ConfirmBeforeChanges(QStringView folder);
  // The batch changed entries of `folder`: its stamp is taken again, unless
  // its link count shows that a subfolder was made or removed meanwhile,
  // which the batch never does; then the listing is forgotten.
  void StampAfterChanges(QStringView folder);

 private:
  // Lookups in one folder before it is listed: a small batch in a large
  // folder is cheaper with lookups alone.
  static constexpr int kListAfter = 64;

  struct Folder {
    int lookups = 0;
    bool listed = false;
    // KeyHash of each name, and whether the listing did not tell a regular
    // file (false for a name the batch took: a file or a link of its own).
    QHash<size_t, bool> names;
    qsizetype notFiles = 0;            // entries the listing did not tell regular files
    std::optional<FolderStamp> stamp;  // taken before the listing, or after the batch's changes
    bool confirmed = false;            // stamp found unchanged by ConfirmBeforeChanges
  };

  static size_t KeyOf(QStringView name);
  Folder& FolderOf(QStringView folder);
  void List(QStringView folderPath, Folder& folder);
  void Forget(Folder& folder);

  FileSystem& fs_;
  bool trusted_ = true;
  std::unordered_map<QString, Folder> folders_;  // nodes stay put: last_ points at one
  QString lastKey_;
  Folder* last_ = nullptr;
};

}  // namespace corvane
