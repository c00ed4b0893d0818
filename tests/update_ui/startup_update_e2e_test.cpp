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
  bool ended = false;  // false: still running (the main window is open), then killed
  int exitCode = -1;
  QString out;
};

// Runs corvane while the server, on this thread, keeps answering. A run that
// goes on to the main window never ends by itself: once the server has been
// asked `requestsBeforeWindow` times, the program has two more seconds to end
// (wrongly), and is then taken for a window and killed.
ProgramRun RunCorvane(const QStringList& args, const testing::TestHttpServer& server,
                      const testing::TempFolder& temp, qsizetype requestsBeforeWindow) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("CORVANE_UPDATE_SERVER", server.base().toString());
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
  QTimer poll;
  bool graceStarted = false;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (requestsBeforeWindow > 0 && !graceStarted &&
        server.requests().size() >= requestsBeforeWindow) {
      graceStarted = true;
      QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    }
  });
  poll.start(20);
  process.start(QStringLiteral(CORVANE_EXECUTABLE), args);
  loop.exec();
  ProgramRun run;
  run.ended = process.state() == QProcess::NotRunning;
  if (!run.ended) process.kill();
  process.waitForFinished();
  if (run.ended) {
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    run.exitCode = process.exitCode();
  }
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  return run;
}

TEST(StartupUpdateEndToEndTest, WindowStartsAndTerminalRuns) {
  struct Case {
    const char* name;
    QStringList args;
    QByteArray versionPage;
    bool checks;
    bool goesOn;  // on to the main window
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
    const ProgramRun run = RunCorvane(c.args, server, temp, c.goesOn ? 2 : 0);
    EXPECT_EQ(run.ended, !c.goesOn) << c.name;
    if (!c.goesOn) {
      EXPECT_EQ(run.exitCode, 0) << c.name;
    }
    if (c.checks) {
      EXPECT_EQ(server.paths(), QList<QByteArray>({"/download/version/zunt-version.html",
                                                   "/download/version/zunt-changes.html"}))
          << c.name;
    } else {
      EXPECT_TRUE(server.requests().isEmpty()) << c.name;
    }
  }
}

}  // namespace
}  // namespace corvane
