// Hiding the main window at the top, left or right screen edge, leaving 3 pixels on screen, and
// bringing it back when the mouse touches that edge. Nothing is kept between ticks: whether the
// window is docked follows from where it stands.
#pragma once

class App;

struct DockInput {
  int left, top, width, height;     // the window's outer frame
  int screen_width, screen_height;  // the primary screen's full size
  int mouse_x, mouse_y;
};

struct DockPlace {
  int left, top;
  bool operator==(const DockPlace&) const = default;
};

// Where one docking tick puts the window. The steps run in order, each on the place the steps
// before it left.
DockPlace DockToScreenEdge(const DockInput& in);

// Tick of 时钟1: docks the main window while it is visible.
void OnDockTimer(App& app);
