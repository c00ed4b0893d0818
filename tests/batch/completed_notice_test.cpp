// Where the completed batch's notice says the undo log was saved.
#include "batch/completed_notice.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CompletedNoticeTest, FolderBelowTheHomeFolderStartsWithTilde) {
  struct Case {
    const char* folder;
    const char* home;
    const char* shown;
  };
  const Case cases[] = {
      {"/home/ann/.local/share/Larkwell/Corvane/", "/home/ann", "~/.local/share/Larkwell/Corvane"},
      {"/home/ann/", "/home/ann", "~"},
      {"/home/anne/data/", "/home/ann", "/home/anne/data"},
      {"/srv/logs/Larkwell/Corvane/", "/home/ann", "/srv/logs/Larkwell/Corvane"},
      {"/home/ann/x/", "", "/home/ann/x"},
      {"/home/ann/x/", "/", "/home/ann/x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderShownFromHome(c.folder, c.home), c.shown) << c.folder << " in " << c.home;
  }
}

TEST(CompletedNoticeTest, NamesTheLogsFolderWhereThereIsNoAppData) {
  const Notice notice =
      BatchCompletedNotice("/home/ann/.local/share/Larkwell/Corvane/last_rename.csv", "/home/ann");
  EXPECT_EQ(notice.kind, Notice::Kind::kInformation);
#ifdef Q_OS_WIN
  EXPECT_EQ(notice.text, "Batch completed. A CSV log has been saved in AppData.");
  EXPECT_TRUE(notice.args.isEmpty());
#else
  EXPECT_EQ(notice.text, "Batch completed. A CSV log has been saved in %s.");
  EXPECT_EQ(notice.args, QStringList({"~/.local/share/Larkwell/Corvane"}));
#endif
}

}  // namespace
}  // namespace corvane
