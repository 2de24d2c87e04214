// A desktop for handler tests: a screen and a mouse the test sets, a lock the test decides, and a
// record of what the program asked for.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"

namespace testing_support {

class FakeDesktop : public desktop::Desktop {
 public:
  desktop::ScreenSize screen{1920, 1080};
  desktop::CursorPoint mouse{960, 540};
  desktop::LockResult lock_result = desktop::LockResult::kAcquired;
  int hotkey_id_to_give = 7;

  struct Message {
    std::string text;
    std::string caption;
  };
  std::vector<Message> messages;
  std::vector<std::string> clipboard;
  std::vector<std::string> opened_urls;
  std::function<void(int)> hotkey;
  int unlocked_handle = 0;
  int unregistered_hotkey = 0;

  desktop::ScreenSize PrimaryScreenSize() override { return screen; }
  desktop::CursorPoint CursorPosition() override { return mouse; }
  desktop::InstanceLock LockInstance(std::string_view) override {
    return {lock_result, lock_result == desktop::LockResult::kAcquired ? 42 : 0};
  }
  void UnlockInstance(int handle) override { unlocked_handle = handle; }
  void ShowMessageBox(const std::string& text, const std::string& caption) override {
    messages.push_back({text, caption});
  }
  int RegisterHotkey(std::function<void(int)> on_press) override {
    if (hotkey_id_to_give != 0)
      hotkey = std::move(on_press);
    return hotkey_id_to_give;
  }
  void UnregisterHotkey(int id) override { unregistered_hotkey = id; }
  void SetClipboardText(const std::string& text) override { clipboard.push_back(text); }
  void OpenInBrowser(const std::string& url) override { opened_urls.push_back(url); }
};

}  // namespace testing_support
