// MessageSink: where an operation sends what the user should read.
//
// Notices and errors arrive in the program's English, untranslated; the sink
// looks them up in the user's language and shows them (lines on a console; modal
// boxes once a window supplies a sink of its own). Lines are output that is
// no message, such as the usage or the preview pairs, already in their final
// language.
#pragma once

#include <QString>

#include "base/error.h"
#include "base/notice.h"

namespace corvane {

class MessageSink {
 public:
  virtual ~MessageSink() = default;

  virtual void ShowNotice(const Notice& notice) = 0;
  // The error that ended an operation, shown as the general error report.
  virtual void ShowError(const Error& error) = 0;
  virtual void ShowLine(const QString& line) = 0;
  // A line that says why a command line cannot run, in its final language,
  // shown beside the errors (never as a general error report: nothing was
  // attempted, and no full stop may be put after a path).
  virtual void ShowErrorLine(const QString& line) = 0;
};

}  // namespace corvane
