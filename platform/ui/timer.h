// A window timer of the form: it ticks every `period_ms` on the program thread; period 0 stops
// it. Setting a period restarts the count, as a window timer does. Ticks never pile up: a tick
// that comes due while the program is busy runs once when it is free again.
#pragma once

#include <string>

#include "platform/ui/control.h"

namespace ui {

class Timer;

// Runs timers: the Qt loop in the program, a virtual clock in tests.
class TimerScheduler {
 public:
  virtual ~TimerScheduler() = default;
  // Called whenever `timer` got a period, also the same one again; 0 stops it.
  virtual void Reschedule(Timer& timer) = 0;
  virtual void Forget(Timer& timer) = 0;
};

class Timer : public Control {
 public:
  Timer(std::string name, Control* parent, int period_ms);
  ~Timer() override;

  int period_ms() const { return period_ms_; }
  void SetPeriod(int period_ms);

  // Attaches the timer to the loop that runs it; a timer with a period starts counting now.
  void Bind(TimerScheduler* scheduler);
  TimerScheduler* scheduler() const { return scheduler_; }

  Handler on_tick;
  void Tick() { Raise(on_tick); }

 private:
  int period_ms_;
  TimerScheduler* scheduler_ = nullptr;
};

}  // namespace ui
