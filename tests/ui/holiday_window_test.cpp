// The photo workflow from the window: a holiday folder added with Add
// Folder, sorted by date taken, a row moved, previewed, renamed and undone.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>

#include "support/holiday_folder.h"
#include "ui/window_fixture.h"

namespace corvane {
namespace {

class HolidayWindowTest : public testing::WindowTest {};

TEST_F(HolidayWindowTest, SortByDateTakenMoveRenameAndUndo) {
  const QString folder = testing::MakeHolidayFolder(temp_, "trip");
  dialogs_.ChooseNextFolder(folder);
  Action("AddFolder1")->trigger();
  ASSERT_EQ(List()->model()->rowCount(), 5);
  Find<QLineEdit>("edtPattern")->setText(QString::fromLatin1(testing::kTripPattern));
  Find<QComboBox>("cbCase")->setCurrentIndex(1);
  Find<QComboBox>("cbExtCase")->setCurrentIndex(1);

  Action("SortByTaken1")->trigger();
  Action("Preview1")->trigger();
  EXPECT_EQ(Column(0),
            QStringList({"IMG_0002.JPG", "clip.MP4", "IMG_0003.JPG", "IMG_0001.JPG", "notes.TXT"}));
  EXPECT_EQ(Column(1), testing::HolidayTripNames());

  // The note, moved up one place, takes the fourth number.
  SelectRows({4});
  Action("MoveUp1")->trigger();
  Action("Preview1")->trigger();
  QStringList moved = testing::HolidayTripNames();
  moved[3] = "trip_004_2024-08-06.txt";
  moved[4] = "trip_005_2024-08-05.jpg";
  EXPECT_EQ(Column(1), moved);
  EXPECT_TRUE(List()->selectionModel()->isRowSelected(3));

  dialogs_.AnswerNextQuestion(true);
  Action("Rename1")->trigger();
  QStringList renamed = moved;
  renamed.sort();
  EXPECT_EQ(temp_.List("trip"), renamed);

  Action("Undo1")->trigger();
  EXPECT_EQ(temp_.List("trip"), testing::HolidayFileNames());
}

}  // namespace
}  // namespace corvane
