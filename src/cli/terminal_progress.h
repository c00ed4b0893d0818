// TerminalProgress: the progress line of a long batch or undo on a terminal.
//
// Once the work has run for `firstAfter`, it writes "Files done: N of M" (in
// the current language) after a carriage return, so that each line
// overwrites the one before, at most once per `every`; destroying it clears
// the line again, so that what is printed next starts on a clean line. Work
// that ends sooner writes nothing. `write` must outlive it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <chrono>
#include <functional>

#include "base/progress_report.h"

namespace corvane {

// Where a progress line goes: standard error when it is a terminal.
using TerminalWriter = std::function<void(QByteArrayView)>;

// Writes to standard error when it is a terminal; empty otherwise (a pipe, a
// file), so that nothing but the program's messages reaches them.
TerminalWriter StandardErrorIfTerminal();

class TerminalProgress : public ProgressReport {
 public:
  explicit TerminalProgress(TerminalWriter write,
                            std::chrono::milliseconds firstAfter = std::chrono::milliseconds(500),
                            std::chrono::milliseconds every = std::chrono::milliseconds(100));
  ~TerminalProgress() override;
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  void Advanced(qsizetype done, qsizetype total) override;

 private:
  using Clock = std::chrono::steady_clock;

  TerminalWriter write_;
  std::chrono::milliseconds every_;
  Clock::time_point next_;
  qsizetype calls_ = 0;
  qsizetype shownWidth_ = 0;  // characters of the line on screen; 0: none
};

}  // namespace corvane
