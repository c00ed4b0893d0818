// FileListModel: the file list's table model over the window's item list.
//
// It holds no copy of the items: row i is item i of the RenameItemList the
// window owns, which must outlive the model, and every change to that list
// is made through the members below, which tell the views in the same step.
// Bulk changes are announced in one bracket (an insertion, a removal, a
// reset), so a view redraws once however many rows change; a preview or a
// batch announces only the cells it changed, so selection and scroll position
// stay. The model is read-only and has no sorting of its own: rows keep the
// list's order, which Reorder and a drag of rows inside the view change as one
// layout change, so the selected items stay selected wherever they go.
//
// It may also hold what the batch will do with each item (SetVerdicts); the
// "New Name (preview)" cell then shows the name the file will really get.
// Verdicts describe the list as it was judged, so any change to the list or
// its new names drops them. version() counts those changes, so that work
// done on a copy of the list can tell whether its result still fits.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <functional>

#include "base/error.h"
#include "batch/batch_executor.h"
#include "batch/batch_verdicts.h"
#include "collect/item_list.h"
#include "collect/item_order.h"

namespace corvane {

class FileListModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kOriginalName = 0, kNewName = 1, kFolder = 2, kSize = 3 };

  explicit FileListModel(RenameItemList& items, QObject* parent = nullptr);

  const RenameItemList& items() const { return items_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Rows dragged inside the view, and only there, are moved.
  Qt::DropActions supportedDragActions() const override;
  Qt::DropActions supportedDropActions() const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

  // Runs `append`, which may only append to the list, and shows what it
  // appended as new rows in one insertion, also when it failed part way (the
  // items it added before the failure stay). Returns what `append` returned.
  Status Append(const std::function<Status(RenameItemList&)>& append);

  // Removes the items and rows at `rows` (any order; repeats and rows outside
  // the list are passed over); the others keep their order.
  void RemoveRows(const QList<int>& rows);
  void Clear();

  // Puts the items in `order` (RenameItemList::Reorder) in one layout change.
  void Reorder(const ItemOrder& order);

  // Stores a preview's new names (taken over: `names` is left with the old
  // ones) and announces the changed cells.
  void SetNewNames(QStringList&& names, const QList<qsizetype>& changedRows);

  // Points each updated item at its new path (a rename in place or a move)
  // and announces its "Original Name" and "Folder" cells.
  void ApplyUpdates(const QList<ItemUpdate>& updates);

  // Marks each row with its item's verdict (one per item, in list order; a
  // list of another length is refused) and announces the new-name column.
  void SetVerdicts(const QList<ItemVerdict>& verdicts);
  bool hasVerdicts() const { return !verdicts_.isEmpty(); }

  // Grows with every change of the items or their new names.
  quint64 version() const { return version_; }

  // Asks the views to fetch the headers again (after a change of language).
  void RetranslateHeaders();

 private:
  // What a row shows of its verdict: the shown name only where it is not the
  // asked one, so that 100,000 verdicts cost little beside the items.
  struct RowVerdict {
    VerdictKind kind;
    CannotBeMadeReason reason;
    QString shownName;
  };

  QVariant NewNameData(const TRenameItem& item, int row, int role) const;
  // Called before every change of the list or its names.
  void ListChanging();

  RenameItemList& items_;
  // The rows the views know of; equal to the list's count between changes.
  int rows_ = 0;
  QList<RowVerdict> verdicts_;  // empty, or one per row
  quint64 version_ = 0;
};

}  // namespace corvane
