#include "ui/file_list_view.h"

#include <QHeaderView>
#include <QTableView>

#include "ui/file_list_model.h"
#include "ui/layout_rules.h"

namespace corvane {
namespace {

constexpr int kRowHeight = 22;  // logical pixels

}  // namespace

QTableView* NewFileListView(FileListModel& model) {
  auto* view = new QTableView;
  view->setObjectName(QStringLiteral("lvFiles"));
  view->setModel(&model);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSortingEnabled(false);
  // Rows dragged within the list move; files dropped from outside are the
  // window's (TFormMain passes them on before the view sees them).
  view->setDragDropMode(QAbstractItemView::InternalMove);
  view->setDefaultDropAction(Qt::MoveAction);
  view->setDragDropOverwriteMode(false);
  view->setDropIndicatorShown(true);
  view->setShowGrid(true);
  view->setWordWrap(false);
  view->setTabKeyNavigation(false);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // One fixed row height and nothing sized to its contents: the view then
  // places 100,000 rows by arithmetic instead of measuring them.
  QHeaderView* rows = view->verticalHeader();
  rows->setVisible(false);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(kRowHeight);
  rows->setDefaultSectionSize(kRowHeight);
  QHeaderView* columns = view->horizontalHeader();
  columns->setSectionsClickable(false);
  columns->setSortIndicatorShown(false);
  columns->setHighlightSections(false);
  columns->setStretchLastSection(false);
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->resizeSection(FileListModel::kOriginalName, kOriginalNameWidth);
  columns->resizeSection(FileListModel::kNewName, kNewNameWidth);
  columns->resizeSection(FileListModel::kFolder, kFolderStartWidth);
  columns->resizeSection(FileListModel::kSize, kSizeWidth);

  return view;
}

}  // namespace corvane
