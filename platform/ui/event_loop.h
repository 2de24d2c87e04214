// The program's message loop, as the handlers see it: timers, the waits that keep processing
// messages, and the end of the program.
#pragma once

#include "platform/ui/timer.h"

namespace ui {

class EventLoop : public TimerScheduler {
 public:
  // Returns after `ms` milliseconds, having run the events and timer ticks that came due
  // meanwhile (a handler's wait that keeps the window alive).
  virtual void WaitProcessingMessages(int ms) = 0;
  // Milliseconds on this loop's clock, for measuring and for tests.
  virtual long long NowMs() const = 0;
  // Ends the loop; `Run` then returns `exit_code`.
  virtual void Quit(int exit_code) = 0;
  virtual int Run() = 0;
};

}  // namespace ui
