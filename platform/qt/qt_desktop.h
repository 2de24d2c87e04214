// The desktop on Qt and X11: screen, mouse, message box and clipboard through Qt; the lock, the
// browser and the hotkey through their layers in platform/desktop.
#pragma once

#include <memory>

#include "platform/desktop/desktop.h"
#include "platform/desktop/x11_hotkey.h"

namespace qt {

class QtDesktop : public desktop::Desktop {
 public:
  desktop::ScreenSize PrimaryScreenSize() override;
  desktop::CursorPoint CursorPosition() override;
  desktop::InstanceLock LockInstance(std::string_view name) override;
  void UnlockInstance(int handle) override;
  void ShowMessageBox(const std::string& text, const std::string& caption) override;
  int RegisterHotkey(std::function<void(int id)> on_press) override;
  void UnregisterHotkey(int id) override;
  void SetClipboardText(const std::string& text) override;
  void OpenInBrowser(const std::string& url) override;

 private:
  std::unique_ptr<desktop::X11Hotkey> hotkey_;
};

}  // namespace qt
