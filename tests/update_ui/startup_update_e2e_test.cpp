// The built corvane against the scripted server: a start without /cli checks
// for a newer version before the main window, a terminal run never does.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

#include "support/temp_folder.h"
#include "update/test_http_server.h"

namespace corvane {
namespace {

using testing::Answer;

struct ProgramRun {
  int exitCode = -1;
  QString out;
};

// Runs corvane while the server, on this thread, keeps answering.
ProgramRun RunCorvane(const QStringList& args, const QUrl& server, const testing::TempFolder& temp) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("CORVANE_UPDATE_SERVER", server.toString());
  env.insert("CORVANE_UPDATE_DIALOG_TEST_CLOSE", "1");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("APPDATA", temp.file("appdata"));
  env.insert("XDG_CONFIG_HOME", temp.file("config"));
  QProcess process;
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(temp.path());
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  process.start(QStringLiteral(CORVANE_EXECUTABLE), args);
  loop.exec();
  EXPECT_EQ(process.state(), QProcess::NotRunning) << "corvane did not end";
  if (process.state() != QProcess::NotRunning) process.kill();
  process.waitForFinished();
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

TEST(StartupUpdateEndToEndTest, WindowStartsAndTerminalRuns) {
  struct Case {
    const char* name;
    QStringList args;
    QByteArray versionPage;
    bool checks;
    bool goesOn;  // on to the main window, which today prints the usage
  };
  const Case cases[] = {
      {"MandatoryUpdateEndsWithoutTheWindow", {}, "25/25", true, false},
      {"DismissedOptionalUpdateGoesOn", {}, "25/24", true, true},
      {"NothingNewerGoesOn", {}, "24/24", true, true},
      {"CliNeverChecks", {"/cli", "/dryrun", "/pattern=x"}, "25/25", false, false},
      {"VersionNeverChecks", {"/version"}, "25/25", false, false},
  };
  for (const Case& c : cases) {
    testing::TestHttpServer server;
    testing::TempFolder temp;
    server.Serve("/download/version/zunt-version.html", Answer::Page(c.versionPage));
    server.Serve("/download/version/zunt-changes.html", Answer::Page("Faster"));
    const ProgramRun run = RunCorvane(c.args, server.base(), temp);
    if (c.checks) {
      EXPECT_EQ(run.exitCode, 0) << c.name;
      EXPECT_EQ(run.out.startsWith("Usage: corvane /cli"), c.goesOn) << c.name;
      EXPECT_EQ(server.paths(), QList<QByteArray>({"/download/version/zunt-version.html",
                                                   "/download/version/zunt-changes.html"}))
          << c.name;
    } else {
      EXPECT_TRUE(server.requests().isEmpty()) << c.name;
      EXPECT_FALSE(run.out.startsWith("Usage: corvane /cli")) << c.name;
    }
  }
}

}  // namespace
}  // namespace corvane
