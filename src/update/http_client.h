// HttpClient: one client for the update's GET requests, each waited for on
// the calling (user-interface) thread.
//
// Every request carries the User-Agent "Mozilla/4.0 (compatible; MyApp)" and
// no other header of the program's own. A request fails when the server is
// not connected within the connect timeout, when nothing arrives for the read
// timeout, on an answer other than a success (its status line is the error's
// text), on a redirect the settings do not allow, when the body cannot be
// written, and when Cancel ends it. The connection is closed with the client.
// A client with a deadline also fails every request still running, or made,
// once the deadline has passed since the client was made: a server that sends
// a byte now and then never meets the read timeout. All timeouts are measured
// on the clock given, which must outlive the client.
#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

#include "base/clock.h"
#include "base/error.h"

class QIODevice;
class QNetworkReply;

namespace corvane {

inline constexpr char kUpdateUserAgent[] = "Mozilla/4.0 (compatible; MyApp)";

struct HttpSettings {
  // Redirects followed within one request; the one after them ends the
  // request with kTooManyRedirects. With 0 a redirect answer is a failure.
  int redirectsFollowed = 0;
  std::chrono::milliseconds connectTimeout{3000};
  std::chrono::milliseconds readTimeout{10000};
  // The time all the client's requests together may take; 0 for no limit.
  std::chrono::milliseconds deadline{0};
  // Which events are handled while a request is waited for.
  QEventLoop::ProcessEventsFlags waitFor = QEventLoop::ExcludeUserInputEvents;
};

// How a request ended.
struct HttpOutcome {
  enum class Failure {
    kNone,
    kNetwork,           // no connection, a reset, a name that does not resolve
    kStatus,            // an answer other than a success
    kRedirect,          // a redirect answer where none is followed
    kTooManyRedirects,  // one redirect more than HttpSettings::redirectsFollowed
    kTimeout,           // no connection, or nothing read, in time
    kWrite,             // the body could not be written
    kCancelled,         // HttpClient::Cancel
  };

  Failure failure = Failure::kNone;
  std::optional<Error> error;  // set unless kNone

  bool ok() const { return failure == Failure::kNone; }
  Status status() const { return ok() ? Status() : Status(*error); }
};

// What a progress handler learns after each piece of the body.
struct HttpProgress {
  qint64 received = 0;          // bytes of the body so far
  qint64 declaredLength = -1;   // the Content-Length header, -1 without one
  QByteArray transferEncoding;  // the Transfer-Encoding header as sent
};

class HttpClient {
 public:
  explicit HttpClient(HttpSettings settings, Clock& clock = SystemClock());
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // GETs `url` and writes the body into `sink` (open for writing) as it
  // arrives, calling `onProgress` after each piece.
  HttpOutcome Get(const QUrl& url, QIODevice& sink,
                  const std::function<void(const HttpProgress&)>& onProgress = {});

  // Ends the running Get (called from an event handled while it waits) with
  // kCancelled and `reason`; does nothing when no Get is running.
  void Cancel(Error reason);

 private:
  // What is left of the deadline (never below zero); nullopt without one.
  std::optional<std::chrono::milliseconds> TimeLeft() const;

  HttpSettings settings_;
  Clock& clock_;
  QNetworkAccessManager manager_;
  QPointer<QNetworkReply> running_;
  std::optional<HttpOutcome> ending_;  // why the running Get was ended early
  std::optional<Clock::TimePoint> deadline_;
};

// "HTTP/1.1 404 Not Found": the status line of `reply`'s answer.
QString StatusLine(const QNetworkReply& reply);

}  // namespace corvane
