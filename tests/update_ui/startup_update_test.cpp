// Start-up's update step: whether start-up goes on to the main window.
#include "update_ui/startup_update.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include "support/temp_folder.h"
#include "update/test_http_server.h"
#include "update/update_server.h"
#include "update_ui/recorded_services.h"

namespace corvane {
namespace {

using testing::Answer;

TEST(StartupUpdateTest, GoesOnOnlyWhenNothingOrAnOptionalUpdateWasDismissed) {
  struct Case {
    const char* name;
    QByteArray versionPage;
    const char* button;  // clicked once the dialog shows; nullptr: its close box
    bool continues;
    bool dialogShown;
  };
  const Case cases[] = {
      {"NothingNewer", "24/20", nullptr, true, false},
      {"OptionalSkipped", "25/24", "btCancel", true, true},
      {"OptionalClosed", "25/24", nullptr, true, true},
      {"MandatoryExit", "25/25", "btCancel", false, true},
      {"MandatoryClosed", "25/25", nullptr, false, true},
      {"OptionalDownloaded", "25/24", "btUpdateNow", false, true},
  };
  for (const Case& c : cases) {
    testing::TestHttpServer server;
    testing::TempFolder temp;
    server.Serve("/download/version/zunt-version.html", Answer::Page(c.versionPage));
    server.Serve("/download/version/zunt-changes.html", Answer::Page("Faster"));
    server.Serve("/download/zunt.exe", Answer::Page("MZ"));
    testing::RecordedServices recorded;
    DownloadPlan plan;
    plan.installerUrl = ServerAddress(server.base(), kInstallerPath);
    plan.homePage = HomePage(server.base());
    plan.installerFile = [&]() -> Result<QString> { return temp.file("lrk_update.exe"); };
    bool shown = false;
    const bool continues = RunStartupUpdateCheckAgainst(
        server.base(), 24, recorded.services(), VersionCheckSettings(), plan,
        [&](TfrmNewVersion& dialog) {
          shown = dialog.isVisible();
          if (c.button == nullptr) {
            dialog.close();
          } else {
            dialog.findChild<QPushButton*>(QLatin1String(c.button))->click();
          }
        });
    EXPECT_EQ(continues, c.continues) << c.name;
    EXPECT_EQ(shown, c.dialogShown) << c.name;
  }
}

TEST(StartupUpdateTest, AnUnreachableServerLetsStartUpGoOn) {
  QUrl server("http://127.0.0.1");
  server.setPort(testing::ClosedPort());
  testing::RecordedServices recorded;
  bool shown = false;
  EXPECT_TRUE(RunStartupUpdateCheckAgainst(server, 24, recorded.services(), VersionCheckSettings(),
                                           DownloadPlan{}, [&](TfrmNewVersion&) { shown = true; }));
  EXPECT_FALSE(shown);
  EXPECT_TRUE(recorded.events.isEmpty());
}

}  // namespace
}  // namespace corvane
