// The preview controller without a window: which of the worker's answers
// reach the file list.
#include "ui/preview_controller.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "collect/add_files.h"
#include "support/temp_folder.h"
#include "ui/file_list_model.h"
#include "ui/long_work.h"

namespace corvane {
namespace {

class PreviewControllerTest : public ::testing::Test {
 protected:
  PreviewControllerTest() {
    options_.find = QStringLiteral("a");
    options_.replace = QStringLiteral("b");
  }

  void Add(const char* name) {
    ASSERT_TRUE(model_
                    .Append([&](RenameItemList& list) {
                      return AddFiles(list, temp_.Create({name}), RealFileSystem());
                    })
                    .ok());
  }
  QStringList NewNames() const {
    QStringList names;
    for (int row = 0; row < model_.rowCount(); ++row) {
      names << model_.data(model_.index(row, FileListModel::kNewName)).toString();
    }
    return names;
  }
  PreviewWorker& Worker() {
    return *preview_.findChild<PreviewWorker*>(QStringLiteral("previewWorker"));
  }

  testing::TempFolder temp_;
  RenameItemList items_;
  FileListModel model_{items_};
  QLineEdit findBox_;
  QLabel statusText_;
  QWidget window_;
  LongWork longWork_{&window_};
  RenameOptions options_;
  PreviewController preview_{
      EngineContext::FromSystem(),
      RealFileSystem(),
      {items_, model_, findBox_, statusText_, longWork_, [this] { return options_; }},
      /*live=*/true,
      nullptr};
};

TEST_F(PreviewControllerTest, AnAnswerForAListChangedSinceItsSnapshotIsNotShown) {
  Add("a1.txt");
  QSignalSpy ready(&Worker(), &PreviewWorker::Ready);
  preview_.PreviewIfLive();  // the snapshot holds one file
  Add("a2.txt");
  ASSERT_TRUE(ready.wait());
  EXPECT_EQ(NewNames(), QStringList({"", ""}));

  preview_.ListEdited();
  QTRY_COMPARE(NewNames(), QStringList({"b1.txt", "b2.txt"}));
  EXPECT_EQ(statusText_.text(), "Files: 2");
}

TEST_F(PreviewControllerTest, LivePreviewOffAsksNothingAndShowsTheFileCount) {
  Add("a1.txt");
  QSignalSpy ready(&Worker(), &PreviewWorker::Ready);
  preview_.SetLive(false);
  preview_.ListEdited();
  preview_.OptionsEdited();
  EXPECT_FALSE(Worker().busy());
  EXPECT_EQ(ready.count(), 0);
  EXPECT_EQ(NewNames(), QStringList({""}));
  EXPECT_EQ(statusText_.text(), "Files: 1");
}

}  // namespace
}  // namespace corvane
