#include "update/http_client.h"

#include <QIODevice>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>
#include <memory>

#include "base/english_text.h"
#include "base/format.h"

namespace corvane {
namespace {

constexpr char16_t kConnectTimeoutText[] =
    EN_TEXT("No connection to the server within %d seconds.");
constexpr char16_t kReadTimeoutText[] = EN_TEXT("The server sent nothing for %d seconds.");
constexpr char16_t kDeadlineText[] =
    EN_TEXT("The server did not finish its answer within %d seconds.");

Error TimeoutError(const char16_t* text, std::chrono::milliseconds timeout) {
  const auto seconds = std::chrono::ceil<std::chrono::seconds>(timeout).count();
  return Error(QString::fromUtf16(text), {QString::number(seconds)}, Error::Code::kGeneric);
}

std::optional<int> StatusCode(const QNetworkReply& reply) {
  const QVariant code = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (!code.isValid()) return std::nullopt;
  return code.toInt();
}

// A failure for an answer that is not a success, nullopt for a success (or
// before any answer arrived).
std::optional<HttpOutcome> AnswerFailure(const QNetworkReply& reply) {
  const std::optional<int> code = StatusCode(reply);
  if (!code || (*code >= 200 && *code < 300)) return std::nullopt;
  const bool redirect = *code >= 300 && *code < 400;
  return HttpOutcome{redirect ? HttpOutcome::Failure::kRedirect : HttpOutcome::Failure::kStatus,
                     Error(StatusLine(reply))};
}

HttpOutcome FinishedOutcome(const QNetworkReply& reply) {
  using Failure = HttpOutcome::Failure;
  switch (reply.error()) {
    case QNetworkReply::NoError:
      break;
    case QNetworkReply::TooManyRedirectsError:
      return {Failure::kTooManyRedirects, Error(reply.errorString())};
    default:
      if (std::optional<HttpOutcome> answer = AnswerFailure(reply)) return *answer;
      return {Failure::kNetwork, Error(reply.errorString())};
  }
  if (std::optional<HttpOutcome> answer = AnswerFailure(reply)) return *answer;
  return {};
}

}  // namespace

QString StatusLine(const QNetworkReply& reply) {
  const bool http2 = reply.attribute(QNetworkRequest::Http2WasUsedAttribute).toBool();
  QString line = http2 ? QStringLiteral("HTTP/2 ") : QStringLiteral("HTTP/1.1 ");
  line += QString::number(StatusCode(reply).value_or(0));
  const QString reason = reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
  if (!reason.isEmpty()) line += u' ' + reason;
  return line;
}

HttpClient::HttpClient(HttpSettings settings, Clock& clock) : settings_(settings), clock_(clock) {
  if (settings_.deadline.count() > 0) deadline_ = clock_.Now() + settings_.deadline;
}

std::optional<std::chrono::milliseconds> HttpClient::TimeLeft() const {
  if (!deadline_) return std::nullopt;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline_ - clock_.Now());
  return std::max(left, std::chrono::milliseconds(0));
}

HttpOutcome HttpClient::Get(const QUrl& url, QIODevice& sink,
                            const std::function<void(const HttpProgress&)>& onProgress) {
  const std::optional<std::chrono::milliseconds> timeLeft = TimeLeft();
  if (timeLeft && timeLeft->count() == 0) {
    return {HttpOutcome::Failure::kTimeout, TimeoutError(kDeadlineText, settings_.deadline)};
  }
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kUpdateUserAgent));
  if (settings_.redirectsFollowed > 0) {
    // Never from https down to http: the address's own scheme is the promise.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(settings_.redirectsFollowed);
  } else {
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
  }

  const std::unique_ptr<QNetworkReply> reply(manager_.get(request));
  running_ = reply.get();
  ending_.reset();
  HttpProgress progress;

  std::optional<Error> expiry;
  // A failed answer is left to finish by itself: aborting a reply from inside
  // its own readyRead upsets Qt. The rest of its body is dropped.
  const auto end = [&](HttpOutcome outcome, bool stop) {
    if (!ending_) ending_ = std::move(outcome);
    if (stop && !reply->isFinished()) reply->abort();
  };
  // One watchdog: until a request has gone out it waits for the connection,
  // afterwards for the next bytes of the answer.
  const std::unique_ptr<ClockTimer> watchdog = clock_.MakeTimer([&] {
    end({HttpOutcome::Failure::kTimeout, *expiry}, true);
  });
  const auto arm = [&](std::chrono::milliseconds timeout, const char16_t* text) {
    expiry = TimeoutError(text, timeout);
    watchdog->Start(timeout);
  };
  arm(settings_.connectTimeout, kConnectTimeoutText);
  const std::unique_ptr<ClockTimer> deadline = clock_.MakeTimer([&] {
    end({HttpOutcome::Failure::kTimeout, TimeoutError(kDeadlineText, settings_.deadline)}, true);
  });
  if (timeLeft) deadline->Start(*timeLeft);
  QObject::connect(reply.get(), &QNetworkReply::redirected, reply.get(),
                   [&] { arm(settings_.connectTimeout, kConnectTimeoutText); });
  QObject::connect(reply.get(), &QNetworkReply::requestSent, reply.get(),
                   [&] { arm(settings_.readTimeout, kReadTimeoutText); });
  QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, reply.get(),
                   [&] { arm(settings_.readTimeout, kReadTimeoutText); });
  const auto take = [&] {
    const QByteArray piece = reply->readAll();
    if (ending_) return;
    if (std::optional<HttpOutcome> answer = AnswerFailure(*reply)) return end(*answer, false);
    if (sink.write(piece) != piece.size()) {
      return end({HttpOutcome::Failure::kWrite, Error(sink.errorString())}, false);
    }
    progress.received += piece.size();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    progress.declaredLength = length.isValid() ? length.toLongLong() : -1;
    progress.transferEncoding = reply->rawHeader("Transfer-Encoding");
    if (onProgress) onProgress(progress);
  };
  QObject::connect(reply.get(), &QNetworkReply::readyRead, reply.get(), [&] {
    arm(settings_.readTimeout, kReadTimeoutText);
    take();
  });

  if (!reply->isFinished()) {
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec(settings_.waitFor);
  }
  watchdog->Stop();
  deadline->Stop();
  if (!ending_ && reply->error() == QNetworkReply::NoError && reply->bytesAvailable() > 0) take();
  running_ = nullptr;
  if (ending_) return *std::exchange(ending_, std::nullopt);
  return FinishedOutcome(*reply);
}

void HttpClient::Cancel(Error reason) {
  if (!running_ || ending_ || running_->isFinished()) return;
  ending_ = HttpOutcome{HttpOutcome::Failure::kCancelled, std::move(reason)};
  running_->abort();
}

}  // namespace corvane
