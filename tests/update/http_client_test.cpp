// The client's own limits: the connect timeout and the status line of a
// failed answer.
#include "update/http_client.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>

#include "update/test_http_server.h"

namespace corvane {
namespace {

// TEST-NET-1 (RFC 5737) is never routed: depending on the machine a connect
// there is refused at once or never answered, and either way the client
// gives up within its connect timeout.
TEST(HttpClientTest, GivesUpConnectingWithinTheConnectTimeout) {
  HttpSettings settings;
  settings.connectTimeout = std::chrono::milliseconds(500);
  settings.readTimeout = std::chrono::seconds(60);
  HttpClient client(settings);
  QByteArray body;
  QBuffer sink(&body);
  sink.open(QIODevice::WriteOnly);
  QElapsedTimer clock;
  clock.start();
  const HttpOutcome outcome = client.Get(QUrl("http://192.0.2.1/download/zunt.exe"), sink);
  EXPECT_LT(clock.elapsed(), 3000);
  EXPECT_FALSE(outcome.ok());
  if (outcome.failure == HttpOutcome::Failure::kTimeout) {
    EXPECT_EQ(outcome.error->message(), "No connection to the server within 1 seconds.");
  }
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
    QByteArray body;
    QBuffer sink(&body);
    sink.open(QIODevice::WriteOnly);
    const HttpOutcome outcome = client.Get(server.base().resolved(QUrl("/page")), sink);
    EXPECT_EQ(outcome.failure, c.failure) << c.statusLine.constData();
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->message(), QString::fromLatin1(c.statusLine));
    EXPECT_EQ(server.paths(), QList<QByteArray>({"/page"}));
    EXPECT_TRUE(body.isEmpty()) << c.statusLine.constData();
  }
}

}  // namespace
}  // namespace corvane
