// The main window's commands that order the list: the sorts, Move Up and
// Move Down, and the drags of rows within the file list.
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QLocale>
#include <QTableView>

#include "collect/item_order.h"
#include "collect/row_moves.h"
#include "ui/file_list_model.h"
#include "ui/main_window.h"
#include "ui/preview_controller.h"

namespace corvane {
namespace {

QList<qsizetype> SelectedIndices(const QTableView& view) {
  QList<qsizetype> rows;
  for (const QModelIndex& index : view.selectionModel()->selectedRows()) rows.append(index.row());
  return rows;
}

}  // namespace

// Every new order, from a command or a drag, is one layout change of the
// model: the preview follows it there.
void TFormMain::ConnectListOrder() {
  connect(model_, &QAbstractItemModel::layoutChanged, preview_, [this] {
    preview_->ListEdited();
    fileList_->scrollTo(fileList_->currentIndex());
  });
}

// Dates taken are read from the files themselves, which for a large folder
// (or a slow disk) takes long: the window reads them as long work, which
// shows its progress and can be cancelled, leaving the order as it was.
void TFormMain::SortListBy(ListOrder order) {
  if (longWork_.running()) return;
  if (order == ListOrder::kByDateTaken) {
    const QList<TRenameItem> snapshot = items_.items();
    const EngineContext& context = services_.context;
    const auto read = longWork_.RunFor([&](const StopRequest& stop, ProgressReport& progress) {
      return ReadMissingTakenTimes(snapshot, context, &stop, &progress);
    });
    if (!read || !*read) return;
    items_.KeepTakenTimes(**read);
  }
  model_->Reorder(OrderOfList(items_, order, QLocale(), services_.context));
}

void TFormMain::MoveUpClicked() {
  if (longWork_.running()) return;
  model_->Reorder(OrderAfterMovingUp(items_.count(), SelectedIndices(*fileList_)));
}

void TFormMain::MoveDownClicked() {
  if (longWork_.running()) return;
  model_->Reorder(OrderAfterMovingDown(items_.count(), SelectedIndices(*fileList_)));
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  const bool drag = type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
  if (!fileList_ || watched != fileList_->viewport() || !drag) {
    return QMainWindow::eventFilter(watched, event);
  }
  auto* dropEvent = static_cast<QDropEvent*>(event);
  if (dropEvent->source() == fileList_) {
    if (!longWork_.running()) return false;  // the view moves the rows
    event->ignore();
    return true;
  }
  if (type == QEvent::DragEnter) {
    this->dragEnterEvent(static_cast<QDragEnterEvent*>(event));
  } else if (type == QEvent::DragMove) {
    this->dragMoveEvent(static_cast<QDragMoveEvent*>(event));
  } else {
    this->dropEvent(dropEvent);
  }
  return true;
}

}  // namespace corvane
