#include "shell/edge_docking.h"

#include "shell/app.h"

DockPlace DockToScreenEdge(const DockInput& in) {
  int l = in.left;
  int t = in.top;
  const int w = in.width, h = in.height;
  const int sw = in.screen_width, sh = in.screen_height;
  const int mx = in.mouse_x, my = in.mouse_y;

  if (l < 0 && t < 0) {  // top-left corner
    l = 0;
    t = 1;
  }
  if (l >= sw - w && t < 0) {  // top-right corner
    l = sw - w - 1;
    t = 0;
  }
  if (t < 0 && l < mx && mx < l + w && my <= 2)
    t = 0;  // show from the top
  if (t <= 0 && 0 < l && l < sw - w && (mx < l || mx > l + w || my > t + h))
    t = 3 - h;
  if (l < 0 && t < my && my < t + h && mx <= 2)
    l = 0;  // show from the left
  if (l <= 0 && 0 < t && t < sh - h && (my < t || my > t + h || mx > w))
    l = 3 - w;
  if (mx > sw - 3 && t < my && my < t + h)
    l = sw - w;  // show from the right
  if (l >= sw - w && 0 < t && t < sh - h && (my < t || my > t + h || mx < sw - w))
    l = sw - 3;
  return {l, t};
}

void OnDockTimer(App& app) {
  ui::Window& w = app.form.window;
  if (!w.visible())
    return;
  desktop::ScreenSize screen = app.desktop.PrimaryScreenSize();
  desktop::CursorPoint mouse = app.desktop.CursorPosition();
  DockPlace place = DockToScreenEdge(
      {w.left(), w.top(), w.width(), w.height(), screen.width, screen.height, mouse.x, mouse.y});
  if (place.left != w.left() || place.top != w.top()) {
    w.SetGeometry(place.left, place.top, w.width(), w.height());
  }
}
