// StopRequest: asks long work (a batch) to stop at its next safe point.
//
// Request may be called from a signal handler or another thread; the work
// polls requested() between files, so the file in hand is always finished.
#pragma once

#include <atomic>

namespace corvane {

class StopRequest {
 public:
  // `reason` is the caller's own (the command line passes the signal number);
  // it must not be 0.
  void Request(int reason) { reason_.store(reason, std::memory_order_relaxed); }
  bool requested() const { return reason_.load(std::memory_order_relaxed) != 0; }
  int reason() const { return reason_.load(std::memory_order_relaxed); }

  // Whether work that listens is running: a signal handler asks it to stop
  // when armed, and otherwise lets the signal end the program as usual.
  void Arm(bool armed) { armed_.store(armed, std::memory_order_relaxed); }
  bool armed() const { return armed_.load(std::memory_order_relaxed); }

 private:
  static_assert(std::atomic<int>::is_always_lock_free, "must be safe in a signal handler");
  std::atomic<int> reason_{0};
  std::atomic<bool> armed_{false};
};

}  // namespace corvane
