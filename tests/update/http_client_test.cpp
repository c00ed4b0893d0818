// The client's own limits: the connect and read timeouts, measured on a
// clock the test moves by hand, and the status line of a failed answer.
#include "update/http_client.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTimer>

#include "support/manual_clock.h"
#include "update/test_http_server.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
using testing::ManualClock;

struct Download {
  QByteArray body;
  QBuffer sink{&body};
  Download() { sink.open(QIODevice::WriteOnly); }
};

// Moves `clock` by `first` and then by `second` from within the running Get;
// `stillWaiting` tells whether its timeout was still to come after the first.
void AdvanceTwiceLater(QObject& context, ManualClock& clock, std::chrono::milliseconds first,
                       std::chrono::milliseconds second, bool& stillWaiting) {
  QTimer::singleShot(0, &context, [&clock, first, second, &stillWaiting] {
    clock.Advance(first);
    stillWaiting = clock.running() > 0;
    clock.Advance(second);
  });
}

TEST(HttpClientTest, GivesUpConnectingAtTheConnectTimeout) {
  const testing::UnansweredPort port;
  ManualClock clock;
  HttpSettings settings;
  settings.connectTimeout = 2500ms;
  settings.readTimeout = 2500ms;  // the same, so only the text tells them apart
  HttpClient client(settings, clock);
  Download download;
  QObject context;
  bool waitingJustBefore = false;
  AdvanceTwiceLater(context, clock, 2499ms, 1ms, waitingJustBefore);
  const HttpOutcome outcome =
      client.Get(port.base().resolved(QUrl("/download/zunt.exe")), download.sink);
  EXPECT_TRUE(waitingJustBefore);
  EXPECT_EQ(outcome.failure, HttpOutcome::Failure::kTimeout);
  ASSERT_TRUE(outcome.error);
  EXPECT_EQ(outcome.error->message(), "No connection to the server within 3 seconds.");
}

TEST(HttpClientTest, GivesUpWhenNothingArrivesForTheReadTimeout) {
  testing::TestHttpServer server;
  testing::Answer stalled = testing::Answer::Page("25/24 and more");
  stalled.pauseAfter = 2;
  server.Serve("/page", stalled);
  ManualClock clock;
  HttpSettings settings;
  settings.connectTimeout = 4000ms;
  settings.readTimeout = 4000ms;
  HttpClient client(settings, clock);
  Download download;
  QObject context;
  bool waitingJustBefore = false;
  // Counted from the last bytes that arrived.
  const HttpOutcome outcome = client.Get(
      server.base().resolved(QUrl("/page")), download.sink, [&](const HttpProgress& progress) {
        if (progress.received == 2) {
          AdvanceTwiceLater(context, clock, 3999ms, 1ms, waitingJustBefore);
        }
      });
  EXPECT_TRUE(waitingJustBefore);
  EXPECT_EQ(download.body, "25");
  EXPECT_EQ(outcome.failure, HttpOutcome::Failure::kTimeout);
  ASSERT_TRUE(outcome.error);
  EXPECT_EQ(outcome.error->message(), "The server sent nothing for 4 seconds.");
}

// A server that sends a byte every two seconds never meets the read timeout:
// the deadline, counted from the client's making across its requests, ends
// the answer, and a request made after it is not even sent.
TEST(HttpClientTest, ATricklingAnswerEndsAtTheDeadline) {
  testing::TestHttpServer server;
  server.Serve("/version", testing::Answer::Page("25/24"));
  testing::Answer trickling = testing::Answer::Page(QByteArray(100, 'x'));
  trickling.pauseAfter = 1;
  server.Serve("/changes", trickling);
  ManualClock clock;
  const ManualClock::TimePoint start = clock.Now();
  HttpSettings settings;
  settings.readTimeout = 10000ms;
  settings.deadline = 12000ms;
  HttpClient client(settings, clock);
  Download version;
  ASSERT_TRUE(client.Get(server.base().resolved(QUrl("/version")), version.sink).ok());
  clock.Advance(4000ms);

  QObject context;
  Download changes;
  const HttpOutcome outcome =
      client.Get(server.base().resolved(QUrl("/changes")), changes.sink, [&](const HttpProgress&) {
        QTimer::singleShot(0, &context, [&] {
          clock.Advance(2000ms);
          server.Trickle(1);
        });
      });
  EXPECT_EQ(clock.Now() - start, 12000ms);
  EXPECT_EQ(outcome.failure, HttpOutcome::Failure::kTimeout);
  ASSERT_TRUE(outcome.error);
  EXPECT_EQ(outcome.error->message(), "The server did not finish its answer within 12 seconds.");
  EXPECT_LT(changes.body.size(), 100);

  Download late;
  const HttpOutcome after = client.Get(server.base().resolved(QUrl("/late")), late.sink);
  EXPECT_EQ(after.failure, HttpOutcome::Failure::kTimeout);
  EXPECT_EQ(server.paths(), QList<QByteArray>({"/version", "/changes"}));
}

// Refused at once: the answer comes without the clock ever moving (a client
// that waited for its timeout instead would never return here).
TEST(HttpClientTest, ARefusedConnectionFailsWithoutWaitingForATimeout) {
  ManualClock clock;
  HttpClient client(HttpSettings{}, clock);
  Download download;
  QUrl url("http://127.0.0.1/page");
  url.setPort(testing::ClosedPort());
  const HttpOutcome outcome = client.Get(url, download.sink);
  EXPECT_EQ(outcome.failure, HttpOutcome::Failure::kNetwork);
  ASSERT_TRUE(outcome.error);
}

TEST(HttpClientTest, AFailedAnswerIsItsStatusLine) {
  struct Case {
    QByteArray statusLine;
    HttpOutcome::Failure failure;
  };
  const Case cases[] = {
      {"HTTP/1.1 404 Not Found", HttpOutcome::Failure::kStatus},
      {"HTTP/1.1 503 Service Unavailable", HttpOutcome::Failure::kStatus},
      {"HTTP/1.1 301 Moved Permanently", HttpOutcome::Failure::kRedirect},
  };
  for (const Case& c : cases) {
    testing::TestHttpServer server;
    testing::Answer answer = testing::Answer::Status(c.statusLine);
    answer.headers.append(std::pair<QByteArray, QByteArray>("Location", "/elsewhere"));
    server.Serve("/page", answer);
    HttpClient client(HttpSettings{});
    Download download;
    const HttpOutcome outcome = client.Get(server.base().resolved(QUrl("/page")), download.sink);
    EXPECT_EQ(outcome.failure, c.failure) << c.statusLine.constData();
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->message(), QString::fromLatin1(c.statusLine));
    EXPECT_EQ(server.paths(), QList<QByteArray>({"/page"}));
    EXPECT_TRUE(download.body.isEmpty()) << c.statusLine.constData();
  }
}

}  // namespace
}  // namespace corvane
