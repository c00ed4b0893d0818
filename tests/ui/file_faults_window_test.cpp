// The window over a file system that fails on purpose: the user is told what
// failed, in the error box, and nothing is left half done on disk or in the
// list.
#include "support/fault_injecting_file_system.h"
#include "window_fixture.h"

#include <QLineEdit>

namespace corvane::testing {
namespace {

// Made before the window, which works on it from its first moment.
struct FailingDisk {
  FaultInjectingFileSystem disk{RealFileSystem()};
};

class FileFaultsWindowTest : protected FailingDisk, public WindowTest {
 protected:
  FileFaultsWindowTest() : WindowTest(QString(), disk) {}

  void ExpectOneErrorBox(const QString& text) {
    ASSERT_EQ(dialogs_.messages.size(), 1) << Messages().join(u'\n').toStdString();
    EXPECT_EQ(dialogs_.messages[0].kind, Dialogs::Kind::kError);
    EXPECT_EQ(dialogs_.messages[0].title, "Corvane");
    EXPECT_TRUE(dialogs_.messages[0].text.startsWith(text))
        << dialogs_.messages[0].text.toStdString();
  }
};

TEST_F(FileFaultsWindowTest, AFailedPresetSaveShowsTheErrorAndLeavesTheOldPresetWhole) {
  const QByteArray old = "\xEF\xBB\xBF{\r\n\"find\":\"old\"}\r\n";
  temp_.Create({"mine.json"}, old);
  Find<QLineEdit>("edtFind")->setText(QStringLiteral("new"));
  disk.AddFault(FileOp::kWriteFileAtomically, "mine.json", Error("No space left on device"));

  dialogs_.ChooseNextFile(temp_.file("mine.json"));
  Click("btnSavePreset");

  ExpectOneErrorBox("No space left on device");
  EXPECT_EQ(temp_.Read("mine.json"), old);
  EXPECT_EQ(temp_.List().filter(QStringLiteral("mine")), QStringList{"mine.json"});
  EXPECT_EQ(window_.ReadOptions().find, "new");

  // The next save, with the disk well again, replaces the file whole.
  dialogs_.messages.clear();
  dialogs_.ChooseNextFile(temp_.file("mine.json"));
  Click("btnSavePreset");
  EXPECT_TRUE(dialogs_.messages.isEmpty());
  EXPECT_TRUE(temp_.Read("mine.json").contains("\"find\":\"new\""));
}

// A file of a dropped folder that the system cannot read ends the drop with
// the system's error; a folder that cannot be listed is passed over without a
// message. Either way the list stays as it was.
TEST_F(FileFaultsWindowTest, AFolderScanThatFailsLeavesTheListAsItWas) {
  struct Case {
    const char* name;
    FileOp op;
    const char* shown;  // empty: no message
  };
  const Case cases[] = {
      {"unreadable", FileOp::kReadMetadata, "Cannot read the file"},
      {"unlistable", FileOp::kListEntries, ""},
  };
  const QString kept = temp_.Create({"kept.txt"})[0];
  Drop({kept});
  ASSERT_EQ(Column(0), QStringList{"kept.txt"});
  for (const Case& c : cases) {
    dialogs_.messages.clear();
    const QString folder = temp_.CreateFolder(QString::fromLatin1(c.name));
    temp_.Create({QString::fromLatin1(c.name) + "/a.txt", QString::fromLatin1(c.name) + "/b.txt"});
    disk.AddFault(c.op, folder, Error(QStringLiteral("Cannot read the file: Input/output error")),
                  -1);
    const QString statusBefore = Status();

    Drop({folder});

    EXPECT_EQ(Column(0), QStringList{"kept.txt"}) << c.name;
    if (*c.shown) {
      ExpectOneErrorBox(QString::fromLatin1(c.shown));
      EXPECT_EQ(Status(), statusBefore) << c.name;
    } else {
      EXPECT_TRUE(dialogs_.messages.isEmpty()) << c.name;
    }
  }
}

}  // namespace
}  // namespace corvane::testing
