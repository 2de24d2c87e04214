#include "platform/qt/qt_event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace qt {

QtEventLoop::QtEventLoop() {
  clock_.start();
}

QtEventLoop::~QtEventLoop() = default;

void QtEventLoop::Reschedule(ui::Timer& timer) {
  auto& slot = timers_[&timer];
  if (!slot) {
    slot = std::make_unique<QTimer>();
    QObject::connect(slot.get(), &QTimer::timeout, [&timer] { timer.Tick(); });
  }
  if (timer.period_ms() > 0) {
    slot->start(timer.period_ms());
  } else {
    slot->stop();
  }
}

void QtEventLoop::Forget(ui::Timer& timer) {
  timers_.erase(&timer);
}

void QtEventLoop::WaitProcessingMessages(int ms) {
  if (auto hook = std::move(before_next_wait_)) {
    before_next_wait_ = nullptr;
    hook();
  }
  if (ms <= 0 || quit_)
    return;
  QEventLoop wait;
  QTimer::singleShot(ms, &wait, &QEventLoop::quit);
  wait.exec();
}

void QtEventLoop::Quit(int exit_code) {
  quit_ = true;
  exit_code_ = exit_code;
  for (auto& [timer, qtimer] : timers_)
    qtimer->stop();
  QCoreApplication::exit(exit_code);
}

int QtEventLoop::Run() {
  if (quit_)
    return exit_code_;
  QCoreApplication::exec();
  return exit_code_;
}

}  // namespace qt
