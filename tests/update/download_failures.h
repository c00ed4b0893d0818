// Answers on which the installer download fails, each with the error text it
// gives when the read timeout is 300 ms; shared by the download's and the
// dialog's tests.
#pragma once

#include <QString>

#include <vector>

#include "update/test_http_server.h"

namespace corvane::testing {

struct DownloadFailure {
  const char* name;
  Answer answer;
  QString error;
};

inline std::vector<DownloadFailure> DownloadFailures() {
  Answer stalled = Answer::Page(QByteArray(100000, 'I'));
  stalled.pauseAfter = 5000;
  return {
      {"NotFound", Answer::Status("HTTP/1.1 404 Not Found"), "HTTP/1.1 404 Not Found"},
      {"RedirectNotFollowed", Answer::Redirect("/download/elsewhere.exe"), "HTTP/1.1 302 Found"},
      {"Stalled", stalled, "The server sent nothing for 1 seconds."},
  };
}

}  // namespace corvane::testing
