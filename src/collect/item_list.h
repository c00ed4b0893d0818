// RenameItemList: the ordered items of a batch, the list the main window holds
// for its whole life. Item i is row i of the file list.
//
// The list keeps a hash index of the items' paths beside the sequence, so
// IsFileInList answers without walking the list and adding n files to m costs
// about n + m, not n x m. Every change goes through the members below, which
// keep the index in step. Two paths are the same entry under the list's
// PathRule: the platform's (letters A to Z without case on Windows, exact
// elsewhere), or the Windows rule on any platform, which tests use.
//
// Append does not refuse a path that is already in the list; AddFile
// (collect/add_files.h) does. The index counts paths, so removing one of two
// items with the same path keeps the other findable.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

#include "collect/path_index.h"
#include "engine/preview.h"
#include "engine/rename_item.h"

namespace corvane {

enum class PathRule { kPlatform, kWindows };

class RenameItemList {
 public:
  explicit RenameItemList(PathRule rule = PathRule::kPlatform);

  qsizetype count() const { return items_.size(); }
  // Requires 0 <= index < count().
  const TRenameItem& at(qsizetype index) const { return items_.at(index); }
  const QList<TRenameItem>& items() const { return items_; }

  void Append(TRenameItem item);
  // Requires 0 <= index < count().
  void Replace(qsizetype index, TRenameItem item);
  // Requires 0 <= index < count().
  void RemoveAt(qsizetype index);
  // Removes the items at `indices` (any order; repeats and indices outside the
  // list are passed over); the others keep their order.
  void RemoveIndices(QList<qsizetype> indices);
  void Clear();
  // Puts the items in a new order: item i becomes the one that was at
  // order[i]. `order` must be a permutation of 0 .. count() - 1. The path
  // index counts paths, not places, so it needs no change.
  void Reorder(const std::vector<qsizetype>& order);

  // Makes room for `total` items in the sequence and the index, so that adding
  // a known number of files moves and rehashes nothing. Room only ever grows,
  // at least doubling, so calling it before every small addition costs nothing.
  void Reserve(qsizetype total);

  // Whether an item's OriginalPath is the same entry as `path`.
  bool IsFileInList(const QString& path) const;

  // Sets NewName of item i to names[i], for every i that both have.
  void SetNewNames(const QStringList& names);
  // The same, taking the names over instead of sharing them (a preview of
  // 100,000 rows then adds and drops no reference per name); `names` is left
  // holding the items' old names.
  void SetNewNames(QStringList&& names);

  // Keeps each date taken a preview read (PreviewOutcome::takenTimesRead) in
  // the item of its row, for a list unchanged since that preview's snapshot.
  void KeepTakenTimes(const QList<TakenTimeRead>& read);

 private:
  QList<TRenameItem> items_;
  PathIndex index_;
};

}  // namespace corvane
