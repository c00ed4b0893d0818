// LongWork: runs work that may take long (a batch, an undo, a folder scan) on
// a worker thread while the window's events go on, so the window stays
// painted, and shows how far it is when it lasts.
//
// The work hears a StopRequest and a ProgressReport. Its reports only store
// two counts in atomics; the window thread reads them on a timer, so a report
// after each file costs the work next to nothing. A window-modal progress
// dialog (object name "dlgProgress") comes up once the work looks set to last
// longer than half a second, and at the latest half a second after it began.
// It shows "12 of 300 files", or "1234 files found" while the total is
// unknown, and a Cancel button ("btnCancelWork"), which asks the work to stop
// at its next safe point; closing the dialog does the same.
//
// The half second and the reading are measured on the clock given, which
// must outlive this object.
//
// The work must touch no widget, and nothing that the window thread may
// change meanwhile: the caller keeps such things still while running() is
// true (it refuses the commands that would change them).
#pragma once

#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <type_traits>

#include "base/clock.h"
#include "base/progress_report.h"
#include "base/stop_request.h"

class QWidget;

namespace corvane {

// The progress report of the worker: the last counts heard, for another
// thread to read at any time.
class WorkCounts final : public ProgressReport {
 public:
  void Advanced(qsizetype done, qsizetype total) override {
    done_.store(done, std::memory_order_relaxed);
    total_.store(total, std::memory_order_relaxed);
  }
  qsizetype done() const { return done_.load(std::memory_order_relaxed); }
  qsizetype total() const { return total_.load(std::memory_order_relaxed); }

 private:
  std::atomic<qsizetype> done_{0};
  std::atomic<qsizetype> total_{ProgressReport::kUnknownTotal};
};

// The dialog's text for the counts: "%d of %d files" or "%d files found",
// translated; empty before anything was heard.
QString WorkCountsText(qsizetype done, qsizetype total);

// Whether the progress dialog is due `elapsed` after the work began, with
// these counts: from half a second on, and after the first 50 ms already
// when the counts so far say that the rest will take half a second or more.
bool ProgressDialogDue(std::chrono::milliseconds elapsed, qsizetype done, qsizetype total);

class LongWork {
 public:
  using Work = std::function<void(const StopRequest& stop, ProgressReport& progress)>;

  // The dialog is shown over `window`, which must outlive this object.
  explicit LongWork(QWidget* window, Clock& clock = SystemClock())
      : window_(window), clock_(clock) {}
  LongWork(const LongWork&) = delete;
  LongWork& operator=(const LongWork&) = delete;

  // Runs `work` on a worker thread and returns once it has ended, running
  // the program's events meanwhile. When the program quits meanwhile, the
  // work is asked to stop and waited for. Returns false, running nothing,
  // while other work runs.
  bool Run(const Work& work);

  // The same for work that returns a value; nullopt when refused.
  template <typename F>
  auto RunFor(F&& work)
      -> std::optional<std::invoke_result_t<F&, const StopRequest&, ProgressReport&>> {
    std::optional<std::invoke_result_t<F&, const StopRequest&, ProgressReport&>> result;
    const bool ran = Run([&](const StopRequest& stop, ProgressReport& progress) {
      result.emplace(work(stop, progress));
    });
    if (!ran) return std::nullopt;
    return result;
  }

  bool running() const { return stop_ != nullptr; }

  // Asks the running work to stop at its next safe point, as Cancel does;
  // nothing when none runs.
  void RequestStop();

  // The delay after which the dialog is shown at the latest, in ms.
  static constexpr int kShowAfterMs = 500;
  // How often the window thread reads the counts, in ms.
  static constexpr int kReadEveryMs = 100;

 private:
  QWidget* window_;
  Clock& clock_;
  StopRequest* stop_ = nullptr;  // of the running work
};

}  // namespace corvane
