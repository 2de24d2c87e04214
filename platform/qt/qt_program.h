// Runs the program's form on Qt: the application object, the loop, the desktop, and the
// window built from the form.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/desktop/desktop.h"
#include "platform/ui/controls.h"
#include "platform/ui/event_loop.h"

class QApplication;

namespace qt {

class FormView;
class QtDesktop;
class QtEventLoop;

class QtProgram {
 public:
  // Takes no command line: the program reads none.
  QtProgram();
  ~QtProgram();
  QtProgram(const QtProgram&) = delete;
  QtProgram& operator=(const QtProgram&) = delete;

  ui::EventLoop& loop();
  desktop::Desktop& desktop();

  // Builds the window of `window`'s form centred on the primary screen, runs `on_created` once
  // all controls exist, and shows the window unless `ended` says the program ended meanwhile:
  // at the first wait of `on_created` that processes messages, or after it.
  // `on_close` runs when the user closes the window.
  void LoadForm(ui::Window& window, const std::function<void()>& on_created,
                std::function<void()> on_close, const std::function<bool()>& ended);

  // Runs the message loop; returns the exit code the program ended with.
  int Run();

  // Destroys the window's widgets; call before the form they mirror goes.
  void UnloadForm();

  // Renders the main window as it stands now and writes it as a PNG file at `path` (UTF-8).
  // False when no window is loaded or the file cannot be written. On the program thread.
  bool SaveWindowScreenshot(const std::string& path);

 private:
  std::unique_ptr<QApplication> application_;
  std::unique_ptr<QtEventLoop> loop_;
  std::unique_ptr<QtDesktop> desktop_;
  std::unique_ptr<FormView> view_;
};

}  // namespace qt
