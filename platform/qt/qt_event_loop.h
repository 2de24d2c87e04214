// The program's message loop on Qt: each form timer is a QTimer on the program thread.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

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

 private:
  std::unordered_map<ui::Timer*, std::unique_ptr<QTimer>> timers_;
  QElapsedTimer clock_;
  bool quit_ = false;
  int exit_code_ = 0;
};

}  // namespace qt
