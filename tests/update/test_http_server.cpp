#include "update/test_http_server.h"

#include <QTcpSocket>

namespace corvane::testing {
namespace {

QByteArray Chunked(const QByteArray& body) {
  QByteArray out;
  for (qsizetype at = 0; at < body.size(); at += 4096) {
    const QByteArray piece = body.mid(at, 4096);
    out += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
  }
  return out + "0\r\n\r\n";
}

}  // namespace

Answer Answer::Page(QByteArray body) {
  Answer answer;
  answer.body = std::move(body);
  return answer;
}

Answer Answer::Status(QByteArray statusLine) {
  Answer answer;
  answer.statusLine = std::move(statusLine);
  answer.body = "<html>no</html>";
  return answer;
}

Answer Answer::Redirect(QByteArray location) {
  Answer answer = Status("HTTP/1.1 302 Found");
  answer.body.clear();
  answer.headers.append(std::pair<QByteArray, QByteArray>("Location", std::move(location)));
  return answer;
}

TestHttpServer::TestHttpServer() {
  server_.listen(QHostAddress::LocalHost);
  QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      ++connections_;
      QObject::connect(socket, &QTcpSocket::readyRead, socket,
                       [this, socket] { ReadRequests(socket); });
      QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
        pending_.remove(socket);
        if (pausedSocket_ == socket) pausedSocket_ = nullptr;
        socket->deleteLater();
      });
    }
  });
}

TestHttpServer::~TestHttpServer() {
  // The sockets' handlers use members that are gone before server_ deletes
  // its children.
  for (QTcpSocket* socket : server_.findChildren<QTcpSocket*>()) {
    socket->disconnect();
    delete socket;
  }
}

void TestHttpServer::Serve(const QByteArray& path, Answer answer) {
  answers_.insert(path, std::move(answer));
}

void TestHttpServer::ServeAfterRedirects(const QByteArray& path, int redirects, Answer last) {
  QByteArray from = path;
  for (int hop = 1; hop <= redirects; ++hop) {
    const QByteArray to = "/hop" + path + "/" + QByteArray::number(hop);
    Serve(from, Answer::Redirect(to));
    from = to;
  }
  Serve(from, std::move(last));
}

QUrl TestHttpServer::base() const {
  return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()));
}

QList<QByteArray> TestHttpServer::paths() const {
  QList<QByteArray> paths;
  for (const Request& request : requests_) paths.append(request.path);
  return paths;
}

void TestHttpServer::ReadRequests(QTcpSocket* socket) {
  QByteArray& buffer = pending_[socket];
  buffer += socket->readAll();
  qsizetype end;
  while ((end = buffer.indexOf("\r\n\r\n")) >= 0) {
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    buffer.remove(0, end + 4);
    Request request;
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
      const qsizetype colon = lines[i].indexOf(':');
      if (colon > 0) {
        request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                               lines[i].mid(colon + 1).trimmed());
      }
    }
    requests_.append(request);
    Answer_(socket, request);
  }
}

void TestHttpServer::Answer_(QTcpSocket* socket, const Request& request) {
  const Answer answer = answers_.value(request.path, Answer::Status("HTTP/1.1 404 Not Found"));
  QByteArray head = answer.statusLine + "\r\n";
  for (const auto& [name, value] : answer.headers) head += name + ": " + value + "\r\n";
  if (answer.chunked) {
    head += "Transfer-Encoding: chunked\r\n";
  } else if (answer.declareLength) {
    head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
  } else {
    head += "Connection: close\r\n";
  }
  head += "\r\n";
  const QByteArray body = answer.chunked ? Chunked(answer.body) : answer.body;
  const bool closes = !answer.chunked && !answer.declareLength;
  if (answer.pauseAfter >= 0) {
    socket->write(head + body.left(answer.pauseAfter));
    pausedSocket_ = socket;
    pausedRest_ = body.mid(answer.pauseAfter);
    if (answer.onPause) answer.onPause();
    return;
  }
  socket->write(head + body);
  if (closes) socket->disconnectFromHost();
}

void TestHttpServer::Trickle(qint64 bytes) {
  if (pausedSocket_ == nullptr || pausedRest_.isEmpty()) return;
  pausedSocket_->write(pausedRest_.left(bytes));
  pausedRest_.remove(0, bytes);
}

void TestHttpServer::Resume() {
  if (pausedSocket_ == nullptr) return;
  pausedSocket_->write(pausedRest_);
  pausedSocket_ = nullptr;
}

quint16 ClosedPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  const quint16 port = probe.serverPort();
  probe.close();
  return port;
}

UnansweredPort::UnansweredPort() : queued_(std::make_unique<QTcpSocket>()) {
  server_.setListenBacklogSize(0);
  server_.listen(QHostAddress::LocalHost);
  server_.pauseAccepting();
  queued_->connectToHost(QHostAddress::LocalHost, server_.serverPort());
  queued_->waitForConnected();
}

UnansweredPort::~UnansweredPort() = default;

QUrl UnansweredPort::base() const {
  QUrl url("http://127.0.0.1");
  url.setPort(server_.serverPort());
  return url;
}

}  // namespace corvane::testing
