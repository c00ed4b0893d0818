// The version check: reading the pages, the display version, the decision and
// the message, and the whole check against a scripted server.
#include "update/version_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <QFile>
#include <QSet>
#include <QTimer>

#include "i18n/translation_catalogue.h"
#include "support/manual_clock.h"
#include "support/temp_folder.h"
#include "update/test_http_server.h"
#include "update/update_server.h"

namespace corvane {
namespace {

using testing::Answer;
using testing::TestHttpServer;

constexpr int kOwnVersion = 24;
const QByteArray kVersionPath = "/download/version/zunt-version.html";
const QByteArray kChangesPath = "/download/version/zunt-changes.html";

TEST(PageLinesTest, SplitsAtEveryLineEnd) {
  struct Case {
    const char* name;
    QByteArray page;
    QStringList lines;
  };
  const Case cases[] = {
      {"Empty", "", {}},
      {"OneLineWithoutEnd", "25/24", {"25/24"}},
      {"FinalLineEndStartsNoLine", "25/24\r\n", {"25/24"}},
      {"CrLfLfAndCr", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"EmptyLinesKept", "\n\na\r\n\r\n", {"", "", "a", ""}},
      {"ByteOrderMarkSkipped",
       "\xEF\xBB\xBF"
       "25/24\n",
       {"25/24"}},
      {"Utf8",
       "Schnellere Vorschau f\xC3\xBCr Bilder",
       {QString::fromUtf8("Schnellere Vorschau f\xC3\xBCr Bilder")}},
  };
  for (const Case& c : cases) EXPECT_EQ(PageLines(c.page), c.lines) << c.name;
}

TEST(ChangeLinesTest, DropsOnlyEmptyLines) {
  EXPECT_EQ(ChangeLines("\r\nFaster preview\r\n\r\n\n  \nFixed undo\n\n"),
            QStringList({"Faster preview", "  ", "Fixed undo"}));
  EXPECT_EQ(ChangeLines("\r\n\n"), QStringList());
}

TEST(VersionLineTest, ReadsNewestAndMinimum) {
  struct Case {
    const char* line;
    int newest;
    int minimum;
    const char* display;
  };
  const Case cases[] = {
      {"25/24", 25, 24, "2.5"}, {"30/0", 30, 0, "3.0"},      {"100/24", 100, 24, "10.0"},
      {"3/1", 3, 1, ".3"},      {"025/024", 25, 24, "02.5"}, {"24/25", 24, 25, "2.4"},
  };
  for (const Case& c : cases) {
    const std::optional<VersionLine> line = ParseVersionLine(QString::fromLatin1(c.line));
    ASSERT_TRUE(line) << c.line;
    EXPECT_EQ(line->newest, c.newest) << c.line;
    EXPECT_EQ(line->minimum, c.minimum) << c.line;
    EXPECT_EQ(line->displayVersion, c.display) << c.line;
  }
}

TEST(VersionLineTest, RefusesWhatIsNotTwoWholeNumbersAroundASlash) {
  for (const char* line : {"", "30", "30/abc", "/24", "25/", "/", "25/24/1", "2 5/24", "+25/24",
                           "25/-1", "25.0/24", "25/24 ", "99999999999/24", "٢٥/24"}) {
    EXPECT_FALSE(ParseVersionLine(QString::fromUtf8(line))) << line;
  }
}

TEST(VersionTenthsTest, DropsTheDot) {
  EXPECT_EQ(VersionTenths(u"2.4"), 24);
  EXPECT_EQ(VersionTenths(u"10.0"), 100);
  for (QStringView bad : {u"24", u"2.45", u".4", u"2.", u"a.4"}) {
    EXPECT_FALSE(VersionTenths(bad)) << bad.toString().toStdString();
  }
}

// The check against a server answering the two pages.
struct CheckCase {
  const char* name;
  Answer versionPage;
  Answer changeList;
  bool offered;
  bool quitAfterDialog;
  QString message;
};

const QString kOptional25 = "The new version 2.5 is available\r\n\r\nWhat's new:\r\n";
const QString kMandatory25 =
    "This version of the software is out of date. You must download the current version 2.5 "
    "to continue using the software.\r\n\r\nWhat's new:\r\n";

std::vector<CheckCase> CheckCases() {
  const Answer changes = Answer::Page("Faster preview\r\nFixed undo\r\n");
  const QString changeText = "Faster preview\r\nFixed undo\r\n";
  return {
      {"Optional", Answer::Page("25/24"), changes, true, false, kOptional25 + changeText},
      {"Mandatory", Answer::Page("25/25"), changes, true, true, kMandatory25 + changeText},
      {"NothingNewer", Answer::Page("24/20"), changes, false, false, ""},
      {"SameVersion", Answer::Page("24/24"), changes, false, false, ""},
      {"MinimumAboveNewest", Answer::Page("24/25"), changes, true, true,
       "This version of the software is out of date. You must download the current version 2.4 "
       "to continue using the software.\r\n\r\nWhat's new:\r\n" +
           changeText},
      {"NoSlash", Answer::Page("30"), changes, false, false, ""},
      {"NotANumber", Answer::Page("30/abc"), changes, false, false, ""},
      {"EmptyPage", Answer::Page(""), changes, false, false, ""},
      {"FirstLineEmpty", Answer::Page("\r\n25/24"), changes, false, false, ""},
      {"ByteOrderMark",
       Answer::Page("\xEF\xBB\xBF"
                    "25/24\r\n"),
       changes, true, false, kOptional25 + changeText},
      {"TextAfterTheFirstLine", Answer::Page("25/24\n<html>99/99</html>\n"), changes, true, false,
       kOptional25 + changeText},
      {"MarkupTakenLiterally", Answer::Page("<b>25/24</b>"), changes, false, false, ""},
      {"ChangeListWithEmptyLines", Answer::Page("25/24"),
       Answer::Page("\r\nFaster preview\r\n\r\n\r\nFixed undo\n\n"), true, false,
       kOptional25 + changeText},
      {"EmptyChangeList", Answer::Page("25/24"), Answer::Page(""), true, false, kOptional25},
      {"VersionPageNotFound", Answer::Status("HTTP/1.1 404 Not Found"), changes, false, false, ""},
      {"ChangeListAnswers500", Answer::Page("25/24"),
       Answer::Status("HTTP/1.1 500 Internal Server Error"), false, false, ""},
  };
}

class CheckForNewVersionTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckForNewVersionTest, DecidesAndComposes) {
  const CheckCase& c = GetParam();
  TestHttpServer server;
  server.Serve(kVersionPath, c.versionPage);
  server.Serve(kChangesPath, c.changeList);
  UpdateState state;
  EXPECT_EQ(CheckForNewVersion(server.base(), kOwnVersion, state), c.offered);
  EXPECT_EQ(state.QuitAfterDialog, c.quitAfterDialog);
  EXPECT_EQ(state.UpdateMessage.toStdString(), c.message.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Pages, CheckForNewVersionTest, ::testing::ValuesIn(CheckCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckForNewVersionRequestsTest, AsksForBothPagesInOrderOverOneConnection) {
  TestHttpServer server;
  server.Serve(kVersionPath, Answer::Page("30/30"));
  server.Serve(kChangesPath, Answer::Page("New look"));
  UpdateState state;
  ASSERT_TRUE(CheckForNewVersion(server.base(), kOwnVersion, state));
  EXPECT_EQ(server.paths(), QList<QByteArray>({kVersionPath, kChangesPath}));
  for (const testing::Request& request : server.requests()) {
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.headers.value("user-agent"), "Mozilla/4.0 (compatible; MyApp)");
    EXPECT_FALSE(request.headers.contains("cookie"));
    EXPECT_FALSE(request.headers.contains("authorization"));
  }
  EXPECT_EQ(server.connections(), 1);
}

TEST(CheckForNewVersionRequestsTest, TheTenthRedirectOfARequestEndsIt) {
  struct Case {
    const char* name;
    int versionRedirects;
    int changeRedirects;
    bool offered;
    QString message;
    qsizetype paths;  // the tenth redirect's target is never asked for
  };
  const Case cases[] = {
      {"NineOnTheVersionPage", 9, 0, true, kOptional25 + "New look\r\n", 11},
      {"TenOnTheVersionPage", 10, 0, false, "", 10},
      {"NineOnTheChangeList", 0, 9, true, kOptional25 + "New look\r\n", 11},
      {"TenOnTheChangeListLeaveItEmpty", 0, 10, true, kOptional25, 11},
  };
  for (const Case& c : cases) {
    TestHttpServer server;
    server.ServeAfterRedirects(kVersionPath, c.versionRedirects, Answer::Page("25/24"));
    server.ServeAfterRedirects(kChangesPath, c.changeRedirects, Answer::Page("New look"));
    UpdateState state;
    EXPECT_EQ(CheckForNewVersion(server.base(), kOwnVersion, state), c.offered) << c.name;
    EXPECT_EQ(state.UpdateMessage, c.message) << c.name;
    const QList<QByteArray> paths = server.paths();
    const QSet<QByteArray> asked(paths.begin(), paths.end());
    EXPECT_EQ(asked.size(), c.paths) << c.name;
  }
}

// The clock never moves: only the refusal itself can end the check.
TEST(CheckForNewVersionRequestsTest, AnUnreachableServerAnswersFalseAtOnce) {
  UpdateState state;
  testing::ManualClock clock;
  QUrl server = QUrl("http://127.0.0.1");
  server.setPort(testing::ClosedPort());
  EXPECT_FALSE(CheckForNewVersion(server, kOwnVersion, state, VersionCheckSettings(), {}, clock));
  EXPECT_TRUE(state.UpdateMessage.isEmpty());
}

// A server that stalls after its first bytes ends the check once the clock
// passes the client's timeouts (their exact bounds are the HTTP client's
// tests): the check answers instead of waiting for ever.
TEST(CheckForNewVersionRequestsTest, AServerThatSendsNothingEndsTheCheck) {
  TestHttpServer server;
  testing::ManualClock clock;
  QObject context;
  const HttpSettings settings = VersionCheckSettings();
  Answer stalled = Answer::Page("25/24");
  stalled.pauseAfter = 2;
  // Posted, and past both timeouts: the client may not have taken the bytes
  // yet (its answer comes from another thread), whichever of its timeouts is
  // running then runs out.
  stalled.onPause = [&] {
    QTimer::singleShot(0, &context, [&] {
      clock.Advance(std::max(settings.connectTimeout, settings.readTimeout) +
                    std::chrono::milliseconds(1));
    });
  };
  server.Serve(kVersionPath, stalled);
  UpdateState state;
  EXPECT_FALSE(CheckForNewVersion(server.base(), kOwnVersion, state, settings, {}, clock));
  EXPECT_EQ(server.paths(), QList<QByteArray>({kVersionPath}));
}

// Start-up waits for the check with no window: a server that keeps sending a
// byte now and then still ends the check within the check's deadline.
TEST(CheckForNewVersionRequestsTest, ATricklingServerEndsTheCheckWithinTheDeadline) {
  TestHttpServer server;
  testing::ManualClock clock;
  QObject context;
  const testing::ManualClock::TimePoint start = clock.Now();
  Answer trickling = Answer::Page("25/24\r\n" + QByteArray(100, ' '));
  trickling.pauseAfter = 1;
  std::function<void()> next = [&] {
    QTimer::singleShot(0, &context, [&] {
      clock.Advance(std::chrono::milliseconds(2000));
      server.Trickle(1);
      next();
    });
  };
  trickling.onPause = next;
  server.Serve(kVersionPath, trickling);
  UpdateState state;
  EXPECT_FALSE(
      CheckForNewVersion(server.base(), kOwnVersion, state, VersionCheckSettings(), {}, clock));
  EXPECT_LE(clock.Now() - start, std::chrono::milliseconds(12000));
  EXPECT_LE(VersionCheckSettings().deadline, std::chrono::milliseconds(12000));
}

// A translation whose placeholders do not fit the one version text makes the
// check answer false instead of showing a broken message.
TEST(ComposeUpdateTest, ATranslationThatDoesNotFitOffersNothing) {
  TranslationCatalogue catalogue;
  ASSERT_TRUE(
      catalogue
          .LoadFromBytes("2\nEnglish\nDeutsch\nen\nde\n"
                         "The new version %s is available\nVersion %s ist da\n"
                         "This version of the software is out of date. You must download the "
                         "current version %s to continue using the software.\nVersion %d ist alt\n"
                         "What's new:\nNeu:\n",
                         "de")
          .ok());
  const TextLookup german = [&catalogue](const QString& english) {
    return catalogue.Translate(english);
  };

  UpdateState optional;
  EXPECT_TRUE(ComposeUpdate({25, 24, "2.5"}, {"Neu"}, kOwnVersion, optional, german));
  EXPECT_EQ(optional.UpdateMessage, "Version 2.5 ist da\r\n\r\nNeu:\r\nNeu\r\n");
  UpdateState mandatory;
  EXPECT_FALSE(ComposeUpdate({25, 25, "2.5"}, {"Neu"}, kOwnVersion, mandatory, german));
  EXPECT_TRUE(mandatory.UpdateMessage.isEmpty());
  EXPECT_FALSE(mandatory.QuitAfterDialog);
}

}  // namespace
}  // namespace corvane
