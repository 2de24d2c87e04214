#include "platform/ui/timer.h"

#include <utility>

namespace ui {

Timer::Timer(std::string name, Control* parent, int period_ms)
    : Control(ControlKind::kTimer, std::move(name), parent), period_ms_(period_ms) {
  SetVisible(false);
}

Timer::~Timer() {
  if (scheduler_)
    scheduler_->Forget(*this);
}

void Timer::SetPeriod(int period_ms) {
  period_ms_ = period_ms < 0 ? 0 : period_ms;
  Changed(Property::kPeriod);
  if (scheduler_)
    scheduler_->Reschedule(*this);
}

void Timer::Bind(TimerScheduler* scheduler) {
  if (scheduler_)
    scheduler_->Forget(*this);
  scheduler_ = scheduler;
  if (scheduler_)
    scheduler_->Reschedule(*this);
}

}  // namespace ui
