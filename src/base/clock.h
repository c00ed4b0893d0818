// Clock: where waiting code learns the time and sets its timers, so that a
// test can hold time still and move it by hand (tests/support/manual_clock.h)
// instead of waiting on the wall clock.
//
// A timer is one-shot and calls its handler on the thread that made it, from
// that thread's event loop; Start restarts a running timer. SystemClock() is
// the real one: steady time and QTimer. It lives as long as the program.
#pragma once

#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <utility>

namespace corvane {

class ClockTimer {
 public:
  virtual ~ClockTimer() = default;
  virtual void Start(std::chrono::milliseconds delay) = 0;
  virtual void Stop() = 0;
  virtual bool active() const = 0;
};

class Clock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  virtual ~Clock() = default;
  virtual TimePoint Now() const = 0;
  // A stopped timer that calls `onExpiry` each time it runs out.
  virtual std::unique_ptr<ClockTimer> MakeTimer(std::function<void()> onExpiry) = 0;
};

namespace internal {

class QtClockTimer final : public ClockTimer {
 public:
  explicit QtClockTimer(std::function<void()> onExpiry) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(onExpiry));
  }
  void Start(std::chrono::milliseconds delay) override { timer_.start(delay); }
  void Stop() override { timer_.stop(); }
  bool active() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
};

class SteadyClock final : public Clock {
 public:
  TimePoint Now() const override { return std::chrono::steady_clock::now(); }
  std::unique_ptr<ClockTimer> MakeTimer(std::function<void()> onExpiry) override {
    return std::make_unique<QtClockTimer>(std::move(onExpiry));
  }
};

}  // namespace internal

inline Clock& SystemClock() {
  static internal::SteadyClock clock;
  return clock;
}

}  // namespace corvane
