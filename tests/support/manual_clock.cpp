#include "support/manual_clock.h"

#include <algorithm>

namespace corvane::testing {

class ManualClock::Timer final : public ClockTimer {
 public:
  Timer(ManualClock& clock, std::function<void()> onExpiry)
      : clock_(&clock), onExpiry_(std::move(onExpiry)) {
    clock_->timers_.push_back(this);
  }
  ~Timer() override {
    if (clock_) std::erase(clock_->timers_, this);
  }
  void Start(std::chrono::milliseconds delay) override {
    due_ = clock_->now_ + delay;
    active_ = true;
  }
  void Stop() override { active_ = false; }
  bool active() const override { return active_; }

  TimePoint due() const { return due_; }
  void Expire() {
    active_ = false;
    onExpiry_();
  }
  void Forget() { clock_ = nullptr; }

 private:
  ManualClock* clock_;
  std::function<void()> onExpiry_;
  TimePoint due_{};
  bool active_ = false;
};

ManualClock::~ManualClock() {
  for (Timer* timer : timers_) timer->Forget();
}

std::unique_ptr<ClockTimer> ManualClock::MakeTimer(std::function<void()> onExpiry) {
  return std::make_unique<Timer>(*this, std::move(onExpiry));
}

void ManualClock::Advance(std::chrono::milliseconds by) {
  const TimePoint target = now_ + by;
  // Looked for anew after each handler: it may start, stop or delete timers.
  for (;;) {
    Timer* next = nullptr;
    for (Timer* timer : timers_) {
      if (timer->active() && timer->due() <= target && (!next || timer->due() < next->due())) {
        next = timer;
      }
    }
    if (!next) break;
    now_ = next->due();
    next->Expire();
  }
  now_ = target;
}

int ManualClock::running() const {
  return int(std::count_if(timers_.begin(), timers_.end(),
                           [](const Timer* timer) { return timer->active(); }));
}

}  // namespace corvane::testing
