#include "platform/desktop/x11_hotkey.h"

#include <xcb/xcb.h>
#include <QGuiApplication>

#include <cstdlib>

namespace desktop {
namespace {

constexpr xcb_keysym_t kHomeKeysym = 0xff50;
constexpr uint16_t kLockMasks[] = {0, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK,
                                   XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK};

xcb_keycode_t KeycodeOf(xcb_connection_t* c, xcb_keysym_t keysym) {
  const xcb_setup_t* setup = xcb_get_setup(c);
  xcb_keycode_t first = setup->min_keycode;
  int count = setup->max_keycode - setup->min_keycode + 1;
  xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
      c, xcb_get_keyboard_mapping(c, first, static_cast<uint8_t>(count)), nullptr);
  if (!reply)
    return 0;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
  int per = reply->keysyms_per_keycode;
  xcb_keycode_t found = 0;
  for (int k = 0; k < count && !found; ++k) {
    for (int i = 0; i < per; ++i) {
      if (syms[k * per + i] == keysym) {
        found = static_cast<xcb_keycode_t>(first + k);
        break;
      }
    }
  }
  std::free(reply);
  return found;
}

}  // namespace

X11Hotkey::~X11Hotkey() {
  Ungrab();
}

bool X11Hotkey::Grab(std::function<void()> on_press) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c)
    return false;
  const xcb_setup_t* setup = xcb_get_setup(c);
  xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
  if (!screen)
    return false;
  xcb_keycode_t keycode = KeycodeOf(c, kHomeKeysym);
  if (keycode == 0)
    return false;

  bool ok = true;
  for (uint16_t mask : kLockMasks) {
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_grab_key_checked(c, 1, screen->root, mask, keycode,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    if (error) {  // BadAccess: another client holds the key
      ok = false;
      std::free(error);
    }
  }
  if (!ok) {
    for (uint16_t mask : kLockMasks)
      xcb_ungrab_key(c, keycode, screen->root, mask);
    xcb_flush(c);
    return false;
  }
  connection_ = c;
  root_ = screen->root;
  keycode_ = keycode;
  on_press_ = std::move(on_press);
  qGuiApp->installNativeEventFilter(this);
  return true;
}

void X11Hotkey::Ungrab() {
  if (!connection_)
    return;
  auto* c = static_cast<xcb_connection_t*>(connection_);
  for (uint16_t mask : kLockMasks)
    xcb_ungrab_key(c, keycode_, root_, mask);
  xcb_flush(c);
  if (qGuiApp)
    qGuiApp->removeNativeEventFilter(this);
  connection_ = nullptr;
  on_press_ = nullptr;
}

bool X11Hotkey::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (!connection_ || type != "xcb_generic_event_t")
    return false;
  auto* event = static_cast<xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
    return false;
  // Match the keycode, not the window: a press while our own window has the focus is reported
  // to that window rather than to the root.
  auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
  if (key->detail != keycode_)
    return false;
  uint16_t modifiers = key->state & ~(XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK) & 0xff;
  if (modifiers != 0)
    return false;
  if (on_press_)
    on_press_();
  return true;
}

}  // namespace desktop
