// The window's Extension case drop-down and its Add Folder command.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>

#include "ui/preview_worker.h"
#include "ui/window_fixture.h"

namespace corvane {
namespace {

class ExtensionCaseWindowTest : public testing::WindowTest {
 protected:
  QComboBox* ExtCase() const { return Find<QComboBox>("cbExtCase"); }
  void WaitForPreview() {
    auto* worker = Find<PreviewWorker>("previewWorker");
    QCoreApplication::processEvents();
    while (worker->busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
};

TEST_F(ExtensionCaseWindowTest, TheDropDownSitsUnderCaseWithItsCaptionAsName) {
  QComboBox* list = ExtCase();
  ASSERT_NE(list, nullptr);
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
  EXPECT_EQ(entries, QStringList({"Unchanged", "lowercase", "UPPERCASE"}));
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_EQ(list->accessibleName(), "Extension case:");
  bool labelled = false;
  for (QLabel* label : window_.findChildren<QLabel*>()) {
    labelled = labelled || (label->buddy() == list && label->text() == "Extension case:");
  }
  EXPECT_TRUE(labelled);
  EXPECT_EQ(list->parentWidget(), Find<QComboBox>("cbCase")->parentWidget());
  EXPECT_GT(list->y(), Find<QComboBox>("cbCase")->y());
}

TEST_F(ExtensionCaseWindowTest, LivePreviewFollowsTheChoiceAndLeavesTheNameAlone) {
  Drop(temp_.Create({"in/Photo.JPG", "in/notes.Txt", "in/README"}));
  Find<QComboBox>("cbCase")->setCurrentIndex(2);  // the name's own case stays its own
  Action("LivePreview1")->trigger();
  struct Row {
    int extCase;
    QStringList names;
  };
  const Row rows[] = {{1, {"PHOTO.jpg", "NOTES.txt", "README"}},
                      {2, {"PHOTO.JPG", "NOTES.TXT", "README"}},
                      {0, {"PHOTO.JPG", "NOTES.Txt", "README"}}};
  for (const Row& r : rows) {
    ExtCase()->setCurrentIndex(r.extCase);
    WaitForPreview();
    EXPECT_EQ(Column(1), r.names) << r.extCase;
    EXPECT_EQ(window_.ReadOptions().extCase, r.extCase);
  }
  EXPECT_TRUE(dialogs_.messages.isEmpty());
}

TEST_F(ExtensionCaseWindowTest, AddFolderComesAfterAddFilesInTheFileMenu) {
  const QList<QAction*> items = Find<QMenu>("File1")->actions();
  ASSERT_GE(items.size(), 2);
  EXPECT_EQ(items[0]->objectName(), "AddFiles1");
  EXPECT_EQ(items[1]->objectName(), "AddFolder1");
  EXPECT_EQ(items[1]->text(), "Add Folder...");
}

TEST_F(ExtensionCaseWindowTest, AddFolderAddsTheChosenFolderAsADropDoes) {
  temp_.Create({"f/one.txt", "f/.hidden", "f/sub/deep.txt", "loose.txt"});
  struct Case {
    const char* name;
    bool subfolders;
    const char* folder;  // empty: the dialog is cancelled
    QStringList names;   // sorted
  };
  const Case cases[] = {
      {"without subfolders", false, "f", {".hidden", "one.txt"}},
      {"with subfolders", true, "f", {".hidden", "deep.txt", "one.txt"}},
      {"cancelled", true, "", {}},
  };
  for (const Case& c : cases) {
    SelectRows({0});
    Action("Clearlist1")->trigger();
    dialogs_.folderDialogs.clear();
    Find<QCheckBox>("chkIncludeSubfolders")->setChecked(c.subfolders);
    dialogs_.ChooseNextFolder(*c.folder ? temp_.file(QString::fromLatin1(c.folder)) : QString());
    Action("AddFolder1")->trigger();
    EXPECT_EQ(dialogs_.folderDialogs,
              QStringList({"Select a folder to add|" + QDir::currentPath()}))
        << c.name;
    QStringList names = Column(0);
    names.sort();
    EXPECT_EQ(names, c.names) << c.name;
  }
  EXPECT_TRUE(dialogs_.AllAnswersTaken());
  EXPECT_TRUE(dialogs_.messages.isEmpty());
}

}  // namespace
}  // namespace corvane
