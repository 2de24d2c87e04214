// What the program asks of the desktop it runs on: the screen and the mouse, the one-copy lock,
// the message box, the global hotkey, the clipboard and the browser. Texts are GBK. All calls are
// made on the program thread.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace desktop {

struct ScreenSize {
  int width = 0;
  int height = 0;
};

struct CursorPoint {
  int x = 0;
  int y = 0;
};

enum class LockResult {
  kAcquired,       // this process holds the lock now; `handle` names it
  kHeldElsewhere,  // another running copy holds it
  kUnavailable,    // no lock could be had (the program runs on without one)
};

struct InstanceLock {
  LockResult result = LockResult::kUnavailable;
  int handle = 0;  // non-zero while held
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // The primary screen's full size (not the work area), and the mouse position, in screen pixels.
  virtual ScreenSize PrimaryScreenSize() = 0;
  virtual CursorPoint CursorPosition() = 0;

  // Takes the per-user-session lock `name` in one atomic step. The lock goes with the process,
  // however it ends.
  virtual InstanceLock LockInstance(std::string_view name) = 0;
  virtual void UnlockInstance(int handle) = 0;

  // Shows a modal message with an OK button and returns when it was closed.
  virtual void ShowMessageBox(const std::string& text, const std::string& caption) = 0;

  // Grabs the Home key without modifiers wherever the focus is. Returns the hotkey's id, or 0
  // when it cannot be had; `on_press` then never runs. A press calls `on_press` with the id.
  virtual int RegisterHotkey(std::function<void(int id)> on_press) = 0;
  virtual void UnregisterHotkey(int id) = 0;

  virtual void SetClipboardText(const std::string& text) = 0;
  // Opens a URL in the default browser, passing it as one argument and never through a shell.
  virtual void OpenInBrowser(const std::string& url) = 0;
};

}  // namespace desktop
