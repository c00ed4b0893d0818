// Ordering the file list from the window: the sorts, Move Up and Move Down,
// and rows dragged within the list.
#include <gtest/gtest.h>

#include <QAction>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QTableView>

#include "ui/window_fixture.h"

namespace corvane {
namespace {

class ListOrderWindowTest : public testing::WindowTest {
 protected:
  // The list holds, in this order, IMG_10.txt, b.txt, IMG_2.txt, a.txt;
  // the new names count them: {counter}, one digit.
  void SetUp() override {
    WindowTest::SetUp();
    RenameOptions options;
    options.pattern = QStringLiteral("{counter}");
    options.digits = QStringLiteral("1");
    window_.WriteOptions(options);
    window_.AddDroppedPaths(temp_.Create({"IMG_10.txt", "b.txt", "IMG_2.txt", "a.txt"}));
    ASSERT_EQ(window_.items().count(), 4);
  }

  QStringList Names() const {
    QStringList names;
    for (const TRenameItem& item : window_.items().items()) names << item.OriginalName;
    return names;
  }
  QStringList SelectedNames() const {
    QStringList names;
    QModelIndexList rows = List()->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    for (const QModelIndex& row : rows) names << window_.items().at(row.row()).OriginalName;
    return names;
  }
  QString CurrentName() const {
    return window_.items().at(List()->currentIndex().row()).OriginalName;
  }
  void SelectNames(const QStringList& names, const QString& current) {
    QList<int> rows;
    for (const QString& name : names) rows << int(Names().indexOf(name));
    SelectRows(rows);
    List()->selectionModel()->setCurrentIndex(
        List()->model()->index(int(Names().indexOf(current)), 0), QItemSelectionModel::NoUpdate);
  }
};

struct Step {
  const char* action;
  QStringList order;
};

struct OrderCase {
  const char* why;
  std::vector<Step> steps;
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.why; }

class ListOrderCommandsTest : public ListOrderWindowTest,
                              public ::testing::WithParamInterface<OrderCase> {};

// b.txt and a.txt stay selected, a.txt current, through every step; the
// preview numbers the items in their new order.
TEST_P(ListOrderCommandsTest, ReordersTheItemsKeepingTheSelectionAndNumbersThemAnew) {
  SelectNames({"a", "b"}, "a");
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE(step.action);
    QAction* action = Action(step.action);
    ASSERT_NE(action, nullptr);
    action->trigger();
    EXPECT_EQ(Names(), step.order);
    EXPECT_EQ(SelectedNames().size(), 2);
    EXPECT_TRUE(SelectedNames().contains("a") && SelectedNames().contains("b"));
    EXPECT_EQ(CurrentName(), "a");
    Action("Preview1")->trigger();
    for (qsizetype i = 0; i < window_.items().count(); ++i) {
      EXPECT_EQ(window_.items().at(i).NewName, QStringLiteral("%1.txt").arg(i + 1));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListOrderCommandsTest,
    ::testing::Values(OrderCase{"by name, then reversed",
                                {{"SortByName1", {"a", "b", "IMG_2", "IMG_10"}},
                                 {"ReverseOrder1", {"IMG_10", "IMG_2", "b", "a"}}}},
                      OrderCase{"apart rows moved up, then down past the end",
                                {{"MoveUp1", {"b", "IMG_10", "a", "IMG_2"}},
                                 {"MoveUp1", {"b", "a", "IMG_10", "IMG_2"}},
                                 {"MoveDown1", {"IMG_10", "b", "a", "IMG_2"}},
                                 {"MoveDown1", {"IMG_10", "IMG_2", "b", "a"}},
                                 {"MoveDown1", {"IMG_10", "IMG_2", "b", "a"}}}},
                      OrderCase{"sorted, then moved",
                                {{"SortByName1", {"a", "b", "IMG_2", "IMG_10"}},
                                 {"MoveDown1", {"IMG_2", "a", "b", "IMG_10"}}}}));

TEST_F(ListOrderWindowTest, TheSortsAndMovesAreListCommandsInTheOperationMenu) {
  const QStringList names = {"SortByName1",   "SortByModified1", "SortByTaken1", "SortBySize1",
                             "ReverseOrder1", "MoveUp1",         "MoveDown1"};
  for (const QString& name : names) {
    QAction* action = Action(name.toLatin1().constData());
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->isEnabled()) << name.toStdString();
  }
  EXPECT_EQ(Action("MoveUp1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Up));
  EXPECT_EQ(Action("MoveDown1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Down));
  auto* sortMenu = Find<QMenu>("SortList1");
  ASSERT_NE(sortMenu, nullptr);
  EXPECT_EQ(sortMenu->title(), "Sort List");
  EXPECT_TRUE(Find<QMenu>("Operation1")->actions().contains(sortMenu->menuAction()));
  EXPECT_TRUE(Find<QMenu>("PopupMenu1")->actions().contains(Action("MoveUp1")));
}

TEST_F(ListOrderWindowTest, RowsDraggedWithinTheListMoveWhereTheyAreDropped) {
  SelectNames({"IMG_2", "a"}, "a");
  QAbstractItemModel* model = List()->model();
  std::unique_ptr<QMimeData> dragged(
      model->mimeData({model->index(2, 0), model->index(3, 0), model->index(3, 1)}));
  model->dropMimeData(dragged.get(), Qt::MoveAction, 0, 0, QModelIndex());
  EXPECT_EQ(Names(), QStringList({"IMG_2", "a", "IMG_10", "b"}));
  EXPECT_EQ(SelectedNames(), QStringList({"IMG_2", "a"}));
  EXPECT_EQ(CurrentName(), "a");
}

TEST_F(ListOrderWindowTest, FilesDroppedOnTheListFromElsewhereAreStillAdded) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(temp_.Create({"c.txt"}).front())});
  QWidget* viewport = List()->viewport();
  const QPoint at = viewport->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  EXPECT_EQ(Names(), QStringList({"IMG_10", "b", "IMG_2", "a", "c"}));
}

}  // namespace
}  // namespace corvane
