#include "ui/file_list_model.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QBrush>
#include <QFile>
#include <QIcon>
#include <QItemSelectionModel>
#include <QSignalSpy>

#include "collect/add_files.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::TempFolder;

class FileListModelTest : public ::testing::Test {
 protected:
  FileListModelTest() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    tester_.emplace(&model_, QAbstractItemModelTester::FailureReportingMode::Fatal);
  }
  ~FileListModelTest() override {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  }

  // Adds files named n0.txt ... through the model.
  QStringList AddNumbered(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i) names << QStringLiteral("n%1.txt").arg(i);
    const QStringList paths = temp_.Create(names);
    EXPECT_TRUE(
        model_.Append([&](RenameItemList& l) { return AddFiles(l, paths, RealFileSystem()); })
            .ok());
    return paths;
  }

  QString Cell(int row, int column) const {
    return model_.data(model_.index(row, column)).toString();
  }

  QStringList Column(int column) const {
    QStringList cells;
    for (int row = 0; row < model_.rowCount(); ++row) cells << Cell(row, column);
    return cells;
  }

  TempFolder temp_;
  RenameItemList list_;
  FileListModel model_{list_};
  std::optional<QAbstractItemModelTester> tester_;
};

TEST_F(FileListModelTest, RowsShowNameFolderAndSizeWithAnEmptyPreviewCell) {
  const QStringList paths = temp_.Create({"sub/Report.final.TXT"}, "12345");
  ASSERT_TRUE(
      model_.Append([&](RenameItemList& l) { return AddFiles(l, paths, RealFileSystem()); }).ok());
  ASSERT_EQ(model_.rowCount(), 1);
  EXPECT_EQ(Cell(0, 0), "Report.final.TXT");
  EXPECT_EQ(Cell(0, 1), "");
  EXPECT_EQ(Cell(0, 2), temp_.file("sub/"));
  EXPECT_EQ(Cell(0, 3), "5");
  EXPECT_EQ(model_.columnCount(), 4);
  EXPECT_EQ(model_.headerData(1, Qt::Horizontal).toString(), "New Name (preview)");
  EXPECT_FALSE(model_.flags(model_.index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(FileListModelTest, SizeUsesTheLocalesThousandsSeparator) {
  const QString path = temp_.Create({"big.bin"}).first();
  ASSERT_TRUE(QFile::resize(path, 1234567));
  ASSERT_TRUE(
      model_.Append([&](RenameItemList& l) { return AddFile(l, path, RealFileSystem()); }).ok());
  struct Case {
    QLocale locale;
    const char* text;
  };
  const Case cases[] = {{QLocale(QLocale::English, QLocale::UnitedStates), "1,234,567"},
                        {QLocale(QLocale::German, QLocale::Germany), "1.234.567"}};
  for (const Case& c : cases) {
    QLocale::setDefault(c.locale);
    EXPECT_EQ(Cell(0, 3), c.text) << c.locale.name().toStdString();
  }
}

TEST_F(FileListModelTest, AnAdditionIsOneInsertionEvenWhenItFailsPartWay) {
  const QStringList paths = temp_.Create({"a.txt", "b.txt"});
  QSignalSpy inserted(&model_, &QAbstractItemModel::rowsInserted);
  const Status status = model_.Append([&](RenameItemList& l) {
    EXPECT_TRUE(AddFiles(l, paths, RealFileSystem()).ok());
    return Status(Error(QStringLiteral("stopped")));
  });
  EXPECT_FALSE(status.ok());
  ASSERT_EQ(inserted.count(), 1);
  EXPECT_EQ(inserted[0][1].toInt(), 0);
  EXPECT_EQ(inserted[0][2].toInt(), 1);
  EXPECT_EQ(Column(0), QStringList({"a.txt", "b.txt"}));

  // Nothing new: no insertion at all.
  ASSERT_TRUE(
      model_.Append([&](RenameItemList& l) { return AddFiles(l, paths, RealFileSystem()); }).ok());
  EXPECT_EQ(inserted.count(), 1);
}

TEST_F(FileListModelTest, RemovalTakesExactlyTheRowsAskedForAndKeepsTheOrder) {
  struct Case {
    const char* name;
    QList<int> remove;
    QStringList left;
  };
  const Case cases[] = {
      {"second and fourth", {1, 3}, {"n0.txt", "n2.txt", "n4.txt"}},
      {"a run, any order", {3, 1, 2}, {"n0.txt", "n4.txt"}},
      {"repeats and strays", {4, 4, -1, 9}, {"n0.txt", "n1.txt", "n2.txt", "n3.txt"}},
      {"nothing", {}, {"n0.txt", "n1.txt", "n2.txt", "n3.txt", "n4.txt"}},
  };
  for (const Case& c : cases) {
    model_.Clear();
    AddNumbered(5);
    model_.RemoveRows(c.remove);
    EXPECT_EQ(Column(0), c.left) << c.name;
    EXPECT_EQ(list_.count(), c.left.size()) << c.name;
  }
}

TEST_F(FileListModelTest, ManyScatteredRowsGoInOneReset) {
  AddNumbered(300);
  QList<int> even;
  for (int row = 0; row < 300; row += 2) even << row;
  QSignalSpy reset(&model_, &QAbstractItemModel::modelReset);
  QSignalSpy removed(&model_, &QAbstractItemModel::rowsRemoved);
  model_.RemoveRows(even);
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(removed.count(), 0);
  ASSERT_EQ(model_.rowCount(), 150);
  EXPECT_EQ(Cell(0, 0), "n1.txt");
  EXPECT_EQ(Cell(149, 0), "n299.txt");
}

TEST_F(FileListModelTest, APreviewAnnouncesItsColumnAndKeepsTheSelection) {
  AddNumbered(4);
  QItemSelectionModel selection(&model_);
  selection.select(model_.index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QSignalSpy changed(&model_, &QAbstractItemModel::dataChanged);
  QSignalSpy reset(&model_, &QAbstractItemModel::modelReset);
  model_.SetNewNames({"w.txt", "x.txt", "y.txt", "z.txt"}, {1, 2});
  EXPECT_EQ(reset.count(), 0);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex(), model_.index(1, 1));
  EXPECT_EQ(changed[0][1].toModelIndex(), model_.index(2, 1));
  EXPECT_EQ(Column(1), QStringList({"w.txt", "x.txt", "y.txt", "z.txt"}));
  EXPECT_TRUE(selection.isRowSelected(2));
}

TEST_F(FileListModelTest, UpdatesFromABatchShowTheNewNameAndFolder) {
  AddNumbered(3);
  model_.ApplyUpdates({{1, temp_.file("out/moved.TXT")}});
  EXPECT_EQ(Column(0), QStringList({"n0.txt", "moved.TXT", "n2.txt"}));
  EXPECT_EQ(Cell(1, 2), temp_.file("out/"));
  EXPECT_EQ(list_.at(1).OriginalName, "moved");
  EXPECT_EQ(list_.at(1).Ext, ".TXT");
  EXPECT_TRUE(list_.IsFileInList(temp_.file("out/moved.TXT")));
  EXPECT_FALSE(list_.IsFileInList(temp_.file("n1.txt")));
}

TEST_F(FileListModelTest, VerdictsShowTheFinalNameMarkedUntilTheListChanges) {
  const QStringList paths = AddNumbered(6);
  model_.SetNewNames({"a.txt", "b.txt", "n2.txt", "c.txt", "d.txt", ""}, {0, 1, 3, 4, 5});
  const auto at = [&](const char* name) { return temp_.file(QString::fromLatin1(name)); };
  const QList<ItemVerdict> verdicts = {
      {VerdictKind::kRenamed, {}, at("a.txt")},
      {VerdictKind::kNumbered, {}, at("b (1).txt")},
      {VerdictKind::kUnchanged, {}, paths[2]},
      {VerdictKind::kSkipped, {}, paths[3]},
      {VerdictKind::kReplaces, {}, at("d.txt")},
      {VerdictKind::kCannotBeMade, CannotBeMadeReason::kNoNewName, paths[5]},
  };
  QSignalSpy changed(&model_, &QAbstractItemModel::dataChanged);
  model_.SetVerdicts(verdicts);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(Column(1), QStringList({"a.txt", "b (1).txt", "n2.txt", "n3.txt", "d.txt", ""}));

  const struct {
    int row;
    bool marked;  // an icon and a tool tip naming the verdict
    bool tinted;
    const char* tip;
  } rows[] = {
      {0, false, false, "a.txt"},
      {1, true, true, "b (1).txt\nnumbered: b.txt is taken"},
      {2, true, false, "n2.txt\nunchanged"},
      {3, true, true, "n3.txt\nskipped: c.txt is taken"},
      {4, true, true, "d.txt\nreplaces the file d.txt"},
      {5, true, true, "\ncannot be made: no new name"},
  };
  for (const auto& r : rows) {
    const QModelIndex cell = model_.index(r.row, FileListModel::kNewName);
    EXPECT_EQ(model_.data(cell, Qt::ToolTipRole).toString(), r.tip) << r.row;
    EXPECT_EQ(!model_.data(cell, Qt::DecorationRole).value<QIcon>().isNull(), r.marked) << r.row;
    EXPECT_EQ(model_.data(cell, Qt::BackgroundRole).value<QBrush>().style() != Qt::NoBrush,
              r.tinted)
        << r.row;
    // The other cells of the row are not marked.
    EXPECT_FALSE(model_.data(model_.index(r.row, 0), Qt::DecorationRole).isValid());
  }

  // A verdict list that does not fit the rows is refused.
  model_.SetVerdicts(verdicts.mid(1));
  EXPECT_EQ(Cell(1, 1), "b (1).txt");

  // Removing a row makes them stale: the cells show the names as asked.
  const quint64 version = model_.version();
  model_.RemoveRows({0});
  EXPECT_FALSE(model_.hasVerdicts());
  EXPECT_GT(model_.version(), version);
  EXPECT_EQ(Column(1), QStringList({"b.txt", "n2.txt", "c.txt", "d.txt", ""}));
  EXPECT_TRUE(model_.data(model_.index(0, 1), Qt::DecorationRole).value<QIcon>().isNull());
}

}  // namespace
}  // namespace corvane
