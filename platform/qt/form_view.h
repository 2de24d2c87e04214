// Mirrors the control model on screen with Qt widgets and turns the user's input into the
// model's events. It owns the widgets; the model owns the state.
#pragma once

#include <QObject>
#include <QWidget>

#include <functional>
#include <unordered_map>

#include "platform/qt/control_widgets.h"
#include "platform/ui/controls.h"

namespace qt {

class FormView : public QObject, public ui::ControlObserver {
 public:
  // Builds a widget for every control of `window`'s tree. `on_close` runs when the user closes
  // the window (close button or Esc).
  FormView(ui::Window& window, std::function<void()> on_close);
  ~FormView() override;

  MainWindowWidget* window_widget() { return window_widget_; }
  // Shows or hides the window as the model says; the first show centres nothing, the caller
  // places the window in the model first.
  void ApplyWindow();

  void OnControlChanged(ui::Control& control, ui::Property what) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Build(ui::Control& control, QWidget* parent);
  void ApplyAll(ui::Control& control);
  void ApplyWindowGeometry();
  void Detach(ui::Control& control);

  ui::Window& window_;
  MainWindowWidget* window_widget_ = nullptr;
  std::unordered_map<ui::Control*, QWidget*> widgets_;
  std::unordered_map<QObject*, ui::Control*> controls_;
  bool applying_geometry_ = false;
};

}  // namespace qt
