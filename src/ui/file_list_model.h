// FileListModel: the file list's table model over the window's item list.
//
// It holds no copy of the items: row i is item i of the RenameItemList the
// window owns, which must outlive the model, and every change to that list
// is made through the members below, which tell the views in the same step.
// Bulk changes are announced in one bracket (an insertion, a removal, a
// reset), so a view redraws once however many rows change; a preview or a
// batch announces only the cells it changed, so selection and scroll position
// stay. The model is read-only and has no sorting: rows keep the list's order.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <functional>

#include "base/error.h"
#include "batch/batch_executor.h"
#include "collect/item_list.h"

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

  // Runs `append`, which may only append to the list, and shows what it
  // appended as new rows in one insertion, also when it failed part way (the
  // items it added before the failure stay). Returns what `append` returned.
  Status Append(const std::function<Status(RenameItemList&)>& append);

  // Removes the items and rows at `rows` (any order; repeats and rows outside
  // the list are passed over); the others keep their order.
  void RemoveRows(const QList<int>& rows);
  void Clear();

  // Stores a preview's new names (taken over: `names` is left with the old
  // ones) and announces the changed cells.
  void SetNewNames(QStringList&& names, const QList<qsizetype>& changedRows);

  // Points each updated item at its new path (a rename in place or a move)
  // and announces its "Original Name" and "Folder" cells.
  void ApplyUpdates(const QList<ItemUpdate>& updates);

  // Asks the views to fetch the headers again (after a change of language).
  void RetranslateHeaders();

 private:
  RenameItemList& items_;
  // The rows the views know of; equal to the list's count between changes.
  int rows_ = 0;
};

}  // namespace corvane
