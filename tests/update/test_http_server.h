// TestHttpServer: a scripted HTTP/1.1 server on the loopback address for the
// update's tests. It runs on the test's own thread: the client under test
// waits for its answers in event loops, which also serve the server.
//
// Each path answers as scripted (unknown paths answer 404): a status line,
// headers, a body sent with or without Content-Length or in chunks, and
// optionally a pause after some bytes of the body, which lasts until Resume
// (or for ever, for a stalled answer) and lets Trickle send a few more bytes. Connections are kept
// alive.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QUrl>

#include <functional>
#include <memory>
#include <utility>

class QTcpSocket;

namespace corvane::testing {

struct Answer {
  QByteArray statusLine = "HTTP/1.1 200 OK";
  QList<std::pair<QByteArray, QByteArray>> headers;
  QByteArray body;
  bool chunked = false;           // Transfer-Encoding: chunked, pieces of 4096 bytes
  bool declareLength = true;      // Content-Length (never with chunked)
  qint64 pauseAfter = -1;         // bytes of the encoded body sent before pausing
  std::function<void()> onPause;  // called once the first part is written

  static Answer Page(QByteArray body);
  static Answer Status(QByteArray statusLine);
  static Answer Redirect(QByteArray location);
};

struct Request {
  QByteArray method;
  QByteArray path;
  QHash<QByteArray, QByteArray> headers;  // names in lower case
};

class TestHttpServer {
 public:
  TestHttpServer();
  ~TestHttpServer();

  void Serve(const QByteArray& path, Answer answer);
  // `path` answers a redirect to /hop/<path>/1, which redirects on, until the
  // `redirects`-th redirect leads to a path answering `last`.
  void ServeAfterRedirects(const QByteArray& path, int redirects, Answer last);

  // Sends the rest of a paused answer.
  void Resume();
  // Sends the next `bytes` of a paused answer, which stays paused.
  void Trickle(qint64 bytes);

  // http://127.0.0.1:<port>
  QUrl base() const;
  const QList<Request>& requests() const { return requests_; }
  QList<QByteArray> paths() const;
  int connections() const { return connections_; }

 private:
  void Answer_(QTcpSocket* socket, const Request& request);
  void ReadRequests(QTcpSocket* socket);

  QTcpServer server_;
  QHash<QByteArray, Answer> answers_;
  QHash<QTcpSocket*, QByteArray> pending_;
  QList<Request> requests_;
  int connections_ = 0;
  QTcpSocket* pausedSocket_ = nullptr;
  QByteArray pausedRest_;
};

// A port on the loopback address where nothing listens.
quint16 ClosedPort();

// A port on the loopback address that answers no connect: its listener never
// accepts, and its queue of one is already taken, so the system drops every
// further connect's first packet and the connect waits for ever.
class UnansweredPort {
 public:
  UnansweredPort();
  ~UnansweredPort();
  // http://127.0.0.1:<port>
  QUrl base() const;

 private:
  QTcpServer server_;
  std::unique_ptr<QTcpSocket> queued_;  // the connect that fills the queue
};

}  // namespace corvane::testing
