#include "tests/support/virtual_loop.h"

namespace testing_support {

void VirtualLoop::Advance(long long ms) {
  const long long target = now_ms_ + ms;
  while (true) {
    ui::Timer* next = nullptr;
    long long when = target + 1;
    for (const auto& [timer, due] : due_) {
      if (due < when) {
        when = due;
        next = timer;
      }
    }
    if (!next || when > target)
      break;
    if (when > now_ms_)
      now_ms_ = when;
    // The next tick is counted from this one; a period set inside the tick restarts the count.
    due_[next] = now_ms_ + next->period_ms();
    next->Tick();
  }
  if (target > now_ms_)
    now_ms_ = target;
}

void VirtualLoop::Reschedule(ui::Timer& timer) {
  if (timer.period_ms() > 0) {
    due_[&timer] = now_ms_ + timer.period_ms();
  } else {
    due_.erase(&timer);
  }
}

void VirtualLoop::Forget(ui::Timer& timer) {
  due_.erase(&timer);
}

void VirtualLoop::WaitProcessingMessages(int ms) {
  waited_ms_ += ms;
  Advance(ms);
}

void VirtualLoop::Quit(int exit_code) {
  quit_ = true;
  exit_code_ = exit_code;
}

}  // namespace testing_support
