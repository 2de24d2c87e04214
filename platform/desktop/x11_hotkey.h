// The global Home key on X11: a passive grab on the root window, so that a press reaches us
// wherever the focus is. Grabbed also with NumLock and CapsLock on, which X11 counts as modifiers.
#pragma once

#include <QAbstractNativeEventFilter>

#include <functional>

namespace desktop {

class X11Hotkey : public QAbstractNativeEventFilter {
 public:
  X11Hotkey() = default;
  ~X11Hotkey() override;
  X11Hotkey(const X11Hotkey&) = delete;
  X11Hotkey& operator=(const X11Hotkey&) = delete;

  // False where no X11 connection exists (Wayland alone, the offscreen platform) or another
  // client holds the key. Call before the window is shown.
  bool Grab(std::function<void()> on_press);
  void Ungrab();

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  void* connection_ = nullptr;  // xcb_connection_t*
  unsigned root_ = 0;
  unsigned char keycode_ = 0;
  std::function<void()> on_press_;
};

}  // namespace desktop
