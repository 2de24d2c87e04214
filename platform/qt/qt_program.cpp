#include "platform/qt/qt_program.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>

#include "platform/qt/form_view.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_event_loop.h"

namespace qt {
namespace {

int g_argc = 1;
char g_name[] = "tovasel";
char* g_argv[] = {g_name, nullptr};

}  // namespace

QtProgram::QtProgram()
    : application_(std::make_unique<QApplication>(g_argc, g_argv)),
      loop_(std::make_unique<QtEventLoop>()),
      desktop_(std::make_unique<QtDesktop>()) {
  QApplication::setQuitOnLastWindowClosed(false);
}

QtProgram::~QtProgram() {
  view_.reset();
  desktop_.reset();
  loop_.reset();
}

ui::EventLoop& QtProgram::loop() {
  return *loop_;
}
desktop::Desktop& QtProgram::desktop() {
  return *desktop_;
}

void QtProgram::LoadForm(ui::Window& window, const std::function<void()>& on_created,
                         std::function<void()> on_close, const std::function<bool()>& ended) {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect full = screen->geometry();
    window.SetGeometry(full.x() + (full.width() - window.width()) / 2,
                       full.y() + (full.height() - window.height()) / 2, window.width(),
                       window.height());
  }
  view_ = std::make_unique<FormView>(window, std::move(on_close));
  // The created handler waits while processing messages; the window appears at the first such
  // wait, by when the one-copy check and the hotkey are done.
  loop_->SetBeforeNextWait([this, &ended] {
    if (!ended())
      view_->ApplyWindow();
  });
  on_created();
  loop_->SetBeforeNextWait(nullptr);
  if (!ended())
    view_->ApplyWindow();
}

int QtProgram::Run() {
  return loop_->Run();
}

void QtProgram::UnloadForm() {
  view_.reset();
}

bool QtProgram::SaveWindowScreenshot(const std::string& path) {
  QWidget* widget = view_ ? view_->window_widget() : nullptr;
  if (widget == nullptr)
    return false;
  QPixmap pixels = widget->grab();
  return !pixels.isNull() && pixels.save(QString::fromStdString(path), "PNG");
}

}  // namespace qt
