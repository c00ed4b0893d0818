#include "ui/file_list_model.h"

#include <QDataStream>
#include <QIODevice>
#include <QLocale>
#include <QMimeData>
#include <algorithm>

#include "base/english_text.h"
#include "batch/verdict_texts.h"
#include "collect/row_moves.h"
#include "collect/row_texts.h"
#include "i18n/translation.h"
#include "ui/verdict_look.h"

namespace corvane {
namespace {

// Beyond this many separate runs of rows, one reset costs the view less than
// a removal per run (each removal moves the rest of the list).
constexpr qsizetype kMostRemovalRuns = 64;

// The rows of a drag inside the list; no other program reads it.
const QString kRowsFormat = QStringLiteral("application/x-corvane-rows");

QList<qsizetype> DraggedRows(const QMimeData& data) {
  QList<int> rows;
  QDataStream stream(data.data(kRowsFormat));
  stream >> rows;
  return {rows.begin(), rows.end()};
}

struct RowRun {
  int first;
  int last;
};

// `rows` sorted into runs of neighbours, the last run first.
QList<RowRun> RunsFromLast(QList<int> rows, int count) {
  std::sort(rows.begin(), rows.end(), std::greater<int>());
  QList<RowRun> runs;
  for (const int row : rows) {
    if (row < 0 || row >= count) continue;
    if (!runs.isEmpty() && row >= runs.back().first - 1) {
      runs.back().first = std::min(runs.back().first, row);
    } else {
      runs.append({row, row});
    }
  }
  return runs;
}

QList<qsizetype> RowsOf(const RowRun& run) {
  QList<qsizetype> rows;
  rows.reserve(run.last - run.first + 1);
  for (int row = run.first; row <= run.last; ++row) rows.append(row);
  return rows;
}

}  // namespace

FileListModel::FileListModel(RenameItemList& items, QObject* parent)
    : QAbstractTableModel(parent), items_(items), rows_(int(items.count())) {}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int FileListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
    return {};
  }
  if (role == Qt::TextAlignmentRole) {
    return index.column() == kSize ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  }
  const TRenameItem& item = items_.at(index.row());
  if (index.column() == kNewName) return NewNameData(item, index.row(), role);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  switch (index.column()) {
    case kOriginalName:
      return OriginalNameText(item);
    case kFolder:
      return FolderText(item);
    case kSize:
      return SizeText(item.Size, QLocale());
    default:
      return {};
  }
}

QVariant FileListModel::NewNameData(const TRenameItem& item, int row, int role) const {
  if (verdicts_.isEmpty()) {
    return role == Qt::DisplayRole || role == Qt::ToolTipRole ? QVariant(item.NewName) : QVariant();
  }
  const RowVerdict& verdict = verdicts_.at(row);
  const QString& shown = verdict.shownName.isNull() ? item.NewName : verdict.shownName;
  const auto text = [&] {
    return Translate(VerdictText(ItemVerdict{verdict.kind, verdict.reason, {}}, item.NewName));
  };
  switch (role) {
    case Qt::DisplayRole:
      return shown;
    case Qt::ToolTipRole: {
      const QString said = text();
      return said.isEmpty() ? shown : shown + u'\n' + said;
    }
    case Qt::AccessibleDescriptionRole:
      return text();
    case Qt::DecorationRole:
      return VerdictIcon(verdict.kind);
    case Qt::BackgroundRole:
      return VerdictBackground(verdict.kind);
    case Qt::ForegroundRole:
      return VerdictForeground(verdict.kind);
    default:
      return {};
  }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  switch (section) {
    case kOriginalName:
      return Translate(QStringLiteral(EN_TEXT("Original Name")));
    case kNewName:
      return Translate(QStringLiteral(EN_TEXT("New Name (preview)")));
    case kFolder:
      return Translate(QStringLiteral(EN_TEXT("Folder")));
    case kSize:
      return Translate(QStringLiteral(EN_TEXT("Size")));
    default:
      return {};
  }
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
  // Rows are dropped between rows, never into one.
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren |
         Qt::ItemIsDragEnabled;
}

Qt::DropActions FileListModel::supportedDragActions() const { return Qt::MoveAction; }

Qt::DropActions FileListModel::supportedDropActions() const { return Qt::MoveAction; }

QStringList FileListModel::mimeTypes() const { return {kRowsFormat}; }

QMimeData* FileListModel::mimeData(const QModelIndexList& indexes) const {
  QList<int> rows;
  for (const QModelIndex& index : indexes) {
    if (index.isValid() && !rows.contains(index.row())) rows.append(index.row());
  }
  QByteArray encoded;
  QDataStream stream(&encoded, QIODevice::WriteOnly);
  stream << rows;
  auto* data = new QMimeData;
  data->setData(kRowsFormat, encoded);
  return data;
}

bool FileListModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                    const QModelIndex&) const {
  return data && action == Qt::MoveAction && data->hasFormat(kRowsFormat);
}

// Dropped on a row, the rows go before it; between rows, where the line shows.
bool FileListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent) {
  if (!canDropMimeData(data, action, row, column, parent)) return false;
  const int target = row >= 0 ? row : (parent.isValid() ? parent.row() : rows_);
  Reorder(OrderAfterMovingTo(rows_, DraggedRows(*data), target));
  // The rows are in place already: the view must remove nothing afterwards.
  return false;
}

Status FileListModel::Append(const std::function<Status(RenameItemList&)>& append) {
  // The rows are announced after the list has grown: the views ask nothing
  // in between (one thread), and the number of new items is known only then.
  const qsizetype before = items_.count();
  const Status status = append(items_);
  const int count = int(items_.count());
  if (count != before) ListChanging();
  if (count > rows_) {
    beginInsertRows(QModelIndex(), rows_, count - 1);
    rows_ = count;
    endInsertRows();
  }
  return status;
}

void FileListModel::RemoveRows(const QList<int>& rows) {
  const QList<RowRun> runs = RunsFromLast(rows, rows_);
  if (runs.isEmpty()) return;
  ListChanging();
  if (runs.size() > kMostRemovalRuns) {
    QList<qsizetype> all;
    for (const RowRun& run : runs) all.append(RowsOf(run));
    beginResetModel();
    items_.RemoveIndices(all);
    rows_ = int(items_.count());
    endResetModel();
    return;
  }
  for (const RowRun& run : runs) {
    beginRemoveRows(QModelIndex(), run.first, run.last);
    items_.RemoveIndices(RowsOf(run));
    rows_ = int(items_.count());
    endRemoveRows();
  }
}

void FileListModel::Clear() {
  ListChanging();
  beginResetModel();
  items_.Clear();
  rows_ = 0;
  endResetModel();
}

void FileListModel::Reorder(const ItemOrder& order) {
  if (qsizetype(order.size()) != rows_ || rows_ < 2) return;
  ListChanging();
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newRowOf(order.size());
  for (size_t row = 0; row < order.size(); ++row) newRowOf[size_t(order[row])] = int(row);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& index : before) {
    after.append(index.isValid() ? this->index(newRowOf[size_t(index.row())], index.column())
                                 : index);
  }
  items_.Reorder(order);
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FileListModel::SetNewNames(QStringList&& names, const QList<qsizetype>& changedRows) {
  ListChanging();
  items_.SetNewNames(std::move(names));
  if (changedRows.isEmpty()) return;
  emit dataChanged(index(int(changedRows.first()), kNewName),
                   index(int(changedRows.last()), kNewName), {Qt::DisplayRole});
}

void FileListModel::ApplyUpdates(const QList<ItemUpdate>& updates) {
  if (updates.isEmpty()) return;
  ListChanging();
  qsizetype first = updates.first().index;
  qsizetype last = first;
  for (const ItemUpdate& update : updates) {
    TRenameItem item = items_.at(update.index);
    AssignPath(item, update.newPath);
    items_.Replace(update.index, std::move(item));
    first = std::min(first, update.index);
    last = std::max(last, update.index);
  }
  emit dataChanged(index(int(first), kOriginalName), index(int(last), kFolder), {Qt::DisplayRole});
}

void FileListModel::SetVerdicts(const QList<ItemVerdict>& verdicts) {
  if (verdicts.size() != rows_ || rows_ == 0) return;
  verdicts_.clear();
  verdicts_.reserve(verdicts.size());
  for (qsizetype i = 0; i < verdicts.size(); ++i) {
    const ItemVerdict& verdict = verdicts.at(i);
    const QStringView shown = ShownName(verdict, items_.at(i).NewName);
    verdicts_.append({verdict.kind, verdict.reason,
                      shown == items_.at(i).NewName ? QString() : shown.toString()});
  }
  emit dataChanged(index(0, kNewName), index(rows_ - 1, kNewName));
}

void FileListModel::ListChanging() {
  ++version_;
  if (verdicts_.isEmpty()) return;
  verdicts_.clear();
  // Rows that stay lose their marks; removed ones are announced as such.
  if (rows_ > 0) emit dataChanged(index(0, kNewName), index(rows_ - 1, kNewName));
}

void FileListModel::RetranslateHeaders() {
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

}  // namespace corvane
