// The program's message loop on Qt: each form timer is a QTimer on the program thread.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>
#include <unordered_map>

#include "platform/ui/event_loop.h"

namespace qt {

class QtEventLoop : public ui::EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;

  void Reschedule(ui::Timer& timer) override;
  void Forget(ui::Timer& timer) override;
  void WaitProcessingMessages(int ms) override;
  long long NowMs() const override { return clock_.elapsed(); }
  void Quit(int exit_code) override;
  int Run() override;

  // Runs once, at the start of the next wait that processes messages; the window is shown there
  // while the created handler still runs.
  void SetBeforeNextWait(std::function<void()> hook) { before_next_wait_ = std::move(hook); }

 private:
  std::unordered_map<ui::Timer*, std::unique_ptr<QTimer>> timers_;
  QElapsedTimer clock_;
  std::function<void()> before_next_wait_;
  bool quit_ = false;
  int exit_code_ = 0;
};

}  // namespace qt
