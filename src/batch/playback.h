// Playback: plays items of a batch in list order without touching the disk,
// and tells what the batch will do with each (see batch/batch_verdicts.h).
//
// One playback plays one group of items that no item outside the group can
// affect (batch/verdict_groups.h): the paths the group's items free or take,
// over the disk as it is now. Groups may be played on several threads at
// once; what they share (the items, the file system's lookups, the batch's
// sources) is only read.
#pragma once

#include <QList>
#include <QString>

#include <deque>
#include <optional>
#include <vector>

#include "batch/batch_files.h"
#include "batch/batch_verdicts.h"
#include "batch/changed_paths.h"
#include "batch/free_names.h"
#include "batch/numbered_names.h"
#include "batch/target_path.h"
#include "engine/rename_item.h"
#include "platform/file_system.h"

namespace corvane {

class Playback {
 public:
  // Everything given must outlive the playback.
  Playback(const QList<TRenameItem>& items, const BatchSettings& settings, FileSystem& fs,
           BatchSources& sources);

  // Judges the items at `indexes` (ascending) into `verdicts[index]`, once
  // for the playback's life. With
  // `oneFolder`, the items are those of one folder, and the result is false,
  // with the verdicts left unset, when a rename in place would put one of
  // them into another folder (see batch/verdict_groups.h). With
  // `mayUseAThread`, a large folder is listed on a thread of its own
  // meanwhile.
  bool Play(const std::vector<qsizetype>& indexes, bool oneFolder, bool mayUseAThread,
            ItemVerdict* verdicts);

 private:
  // What an item asks for, found before it is played: nothing in it depends
  // on the items before.
  struct Wish {
    std::optional<ItemVerdict> decided;  // unchanged, or cannot be made
    QString target;
    qsizetype nameFrom = 0;  // where the target's name starts
    size_t targetHash = 0;   // PathTextHash(Key(target))
    size_t nameKey = 0;      // FreeNames::NameKey of the target's name
    size_t sourceHash = 0;   // PathTextHash(Key(source))
  };
  using Change = ChangedPaths::Change;

  void FindWishes(const std::vector<qsizetype>& indexes);
  Wish WishOf(const TRenameItem& item);
  void ListCrowdedFolders();
  ItemVerdict Judge(qsizetype index, const Wish& wish);
  // What changed_ holds of a path: all paths of a folder's group share their
  // folder, and their names alone are hashed and compared. On a volume that
  // ignores letter case the name is folded: "X.txt" and "x.txt" are one entry.
  QStringView Key(const QString& path);
  bool Taken(const Change* change, const QString& path, qsizetype nameFrom, size_t nameKey);
  bool Taken(const QString& path);
  ItemVerdict Resolve(qsizetype index, const Wish& wish, bool changed);
  ItemVerdict Done(VerdictKind kind, qsizetype index, const Wish& wish, const QString& target,
                   size_t targetHash);
  ItemVerdict Numbered(qsizetype index, const Wish& wish);
  bool IsFileOfTheBatch(const QString& path);

  const QList<TRenameItem>& items_;
  const BatchSettings& s_;
  FileSystem& fs_;
  BatchSources& sources_;
  EntryKeys entries_;
  FreeNames freeNames_;
  NumberedNames numberedNames_;
  std::vector<Wish> wishes_;             // of the items played, in their order
  std::deque<QString> numberedTargets_;  // the text changed_ sees of numbered names
  std::deque<QString> foldedKeys_;       // the text changed_ sees of folded names
  std::optional<ChangedPaths> changed_;
  bool leftFolder_ = false;   // a target of a rename in place outside its source's folder
  bool ofAFolder_ = false;    // the items are those of one folder, renamed in place
  qsizetype keyFrom_ = 0;     // with ofAFolder_, the length of that folder
  bool folderFolds_ = false;  // with ofAFolder_, whether that folder ignores letter case
};

}  // namespace corvane
