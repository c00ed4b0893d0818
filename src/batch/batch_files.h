// Entries, and the files a batch must keep.
//
// An entry is one name in one folder: the folder's identity (whatever the
// spelling of its path, a link to it included) and the name as the folder's
// volume compares names (folded where letter case is ignored, so that
// "X.txt" and "x.txt" are one entry on FAT). A link is an entry like any
// other, never the file it points to; node numbers are not used, since FUSE
// volumes that work by path number each spelling apart.
//
// Overwrite never replaces a file of the batch: the source of an item the
// batch moves or copies (an item whose name does not change is not one), or
// a file an earlier item wrote. The batch and its verdicts ask BatchSources
// for the first and track the second themselves.
#pragma once

#include <QList>
#include <QString>

#include <mutex>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "batch/target_path.h"
#include "engine/rename_item.h"
#include "platform/file_identity.h"
#include "platform/file_system.h"

namespace corvane {

struct EntryKey {
  FileIdentity folder;
  QString name;
  friend bool operator==(const EntryKey&, const EntryKey&) = default;
};

struct EntryKeyHash {
  size_t operator()(const EntryKey& key) const {
    return FileIdentityHash()(key.folder) ^ qHash(key.name);
  }
};

// Finds the entries of paths, asking the file system once per folder (as
// spelled). One per thread; `fs` must outlive it.
class EntryKeys {
 public:
  enum class Names {
    kAsTheVolume,   // folded where the folder's volume ignores letter case
    kIgnoringCase,  // folded everywhere: may join two entries, never split one
  };
  explicit EntryKeys(FileSystem& fs, Names names = Names::kAsTheVolume) : fs_(fs), names_(names) {}
  // nullopt when the path's folder cannot be found (then asked again next time).
  std::optional<EntryKey> Of(const QString& path);
  // Whether the volume of `folder` (a FolderView) ignores letter case; for a
  // folder not there, the nearest existing one's, asked once.
  bool FoldsIn(QStringView folder);

 private:
  struct Folder {
    std::optional<FileIdentity> identity;
    bool folds = false;
  };
  // Folders are found by the text of their path, with or without a copy.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(QStringView text) const { return qHash(text); }
  };
  struct TextEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const { return a == b; }
  };
  const Folder& FolderOf(QStringView folder);
  bool NearestFolderFolds(QStringView folder);

  FileSystem& fs_;
  Names names_;
  std::unordered_map<QString, Folder, TextHash, TextEqual> folders_;
  Folder missing_;  // what FolderOf last said of a folder not there
  std::unordered_map<QString, bool, TextHash, TextEqual> missingFolds_;
};

// The sources of the items a batch moves or copies, found once, on the first
// question; Holds may be asked on several threads. Everything given must
// outlive it.
class BatchSources {
 public:
  BatchSources(const QList<TRenameItem>& items, const BatchSettings& settings, FileSystem& fs)
      : items_(items), settings_(settings), fs_(fs) {}
  // Whether `entry`, the entry at `path`, is such a source, or the file a
  // source that is a link points to: replacing that would leave the link
  // pointing at the new file, or at itself.
  bool Holds(const EntryKey& entry, const QString& path);

 private:
  const QList<TRenameItem>& items_;
  const BatchSettings& settings_;
  FileSystem& fs_;
  std::once_flag read_;
  std::unordered_set<EntryKey, EntryKeyHash> entries_;
  std::unordered_set<FileIdentity, FileIdentityHash> linkedFiles_;
};

// Whether the batch moves or copies the item: its new name makes a target,
// and in place one other than its source.
bool BatchMovesOrCopies(const BatchSettings& settings, const TRenameItem& item);

}  // namespace corvane
