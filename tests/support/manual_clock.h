// ManualClock: a clock that stands still until the test moves it. Advance
// runs every timer that falls due on the way, in order of its due time, each
// with Now() at that time, so a timer a handler restarts counts from there.
#pragma once

#include <chrono>
#include <vector>

#include "base/clock.h"

namespace corvane::testing {

class ManualClock final : public Clock {
 public:
  ManualClock() = default;
  ManualClock(const ManualClock&) = delete;
  ManualClock& operator=(const ManualClock&) = delete;
  ~ManualClock() override;

  TimePoint Now() const override { return now_; }
  std::unique_ptr<ClockTimer> MakeTimer(std::function<void()> onExpiry) override;

  void Advance(std::chrono::milliseconds by);
  // How many timers are running.
  int running() const;

 private:
  class Timer;
  friend class Timer;

  TimePoint now_{};
  std::vector<Timer*> timers_;
};

}  // namespace corvane::testing
