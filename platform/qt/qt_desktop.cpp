#include "platform/qt/qt_desktop.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "platform/desktop/instance_lock.h"
#include "platform/desktop/open_url.h"
#include "platform/qt/qt_text.h"

namespace qt {

namespace {
constexpr int kHotkeyId = 1;
}

desktop::ScreenSize QtDesktop::PrimaryScreenSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen)
    return {};
  QRect full = screen->geometry();
  return {full.width(), full.height()};
}

desktop::CursorPoint QtDesktop::CursorPosition() {
  QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

desktop::InstanceLock QtDesktop::LockInstance(std::string_view name) {
  return desktop::LockInstanceFile(name);
}

void QtDesktop::UnlockInstance(int handle) {
  desktop::UnlockInstanceFile(handle);
}

void QtDesktop::ShowMessageBox(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), QMessageBox::Ok);
  box.exec();
}

int QtDesktop::RegisterHotkey(std::function<void(int id)> on_press) {
  auto hotkey = std::make_unique<desktop::X11Hotkey>();
  if (!hotkey->Grab([on_press = std::move(on_press)] { on_press(kHotkeyId); }))
    return 0;
  hotkey_ = std::move(hotkey);
  return kHotkeyId;
}

void QtDesktop::UnregisterHotkey(int id) {
  if (id == kHotkeyId)
    hotkey_.reset();
}

void QtDesktop::SetClipboardText(const std::string& text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard())
    clipboard->setText(ToQString(text));
}

void QtDesktop::OpenInBrowser(const std::string& url) {
  desktop::OpenUrlInBrowser(url);
}

}  // namespace qt
