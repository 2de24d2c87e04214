// An event loop on a virtual clock: time moves only when a test advances it (or a handler waits),
// and the timers due meanwhile tick in time order, as they would on the real loop.
#pragma once

#include <map>

#include "platform/ui/event_loop.h"

namespace testing_support {

class VirtualLoop : public ui::EventLoop {
 public:
  // Moves the clock forward by `ms`, ticking every timer that comes due on the way.
  void Advance(long long ms);

  void Reschedule(ui::Timer& timer) override;
  void Forget(ui::Timer& timer) override;
  void WaitProcessingMessages(int ms) override;
  long long NowMs() const override { return now_ms_; }
  void Quit(int exit_code) override;
  int Run() override { return exit_code_; }

  bool quit() const { return quit_; }
  int exit_code() const { return exit_code_; }
  // The total of all handler waits, for tests that check them.
  long long waited_ms() const { return waited_ms_; }

 private:
  long long now_ms_ = 0;
  long long waited_ms_ = 0;
  std::map<ui::Timer*, long long> due_;  // running timers and when they tick next
  bool quit_ = false;
  int exit_code_ = 0;
};

}  // namespace testing_support
