#include "shell/edge_docking.h"

#include <gtest/gtest.h>

#include "tests/support/app_fixture.h"

namespace {

// A 432 x 240 window on a 1920 x 1080 screen, through one tick each.
TEST(DockToScreenEdge, FollowsTheEightSteps) {
  struct Case {
    const char* name;
    int left, top, mouse_x, mouse_y;
    DockPlace expected;
  } cases[] = {
      {"hides at the top when the mouse leaves", 100, 0, 300, 400, {100, -237}},
      {"shows from the top at y 0", 100, -237, 101, 0, {100, 0}},
      {"shows from the top at y 2, right end", 100, -237, 531, 2, {100, 0}},
      {"top touch zone excludes the left end", 100, -237, 100, 0, {100, -237}},
      {"top touch zone excludes the right end", 100, -237, 532, 0, {100, -237}},
      {"y 3 does not show it", 100, -237, 300, 3, {100, -237}},
      {"hides at the left", 0, 100, 1000, 200, {-429, 100}},
      {"shows from the left at x 2", -429, 100, 2, 101, {0, 100}},
      {"shows from the left, lower end", -429, 100, 0, 339, {0, 100}},
      {"x 3 does not show it from the left", -429, 100, 3, 200, {-429, 100}},
      {"hides at the right", 1488, 100, 500, 500, {1917, 100}},
      {"shows from the right at x 1918", 1917, 100, 1918, 101, {1488, 100}},
      {"shows from the right at x 1919", 1917, 100, 1919, 339, {1488, 100}},
      {"x 1917 does not show it", 1917, 100, 1917, 200, {1917, 100}},
      {"right edge pulls an undocked window", 500, 300, 1919, 400, {1488, 300}},
      {"top-left corner, mouse on the window", -50, -20, 100, 100, {0, 1}},
      {"top-left corner, mouse away docks left", -50, -20, 960, 540, {-429, 1}},
      {"top-right corner, mouse on the window", 1500, -10, 1600, 100, {1487, 0}},
      {"exactly at (0, 0) stays", 0, 0, 960, 540, {0, 0}},
      {"the bottom edge has no docking", 100, 840, 960, 100, {100, 840}},
      {"mouse on the bottom line counts as on the window", 100, 0, 300, 240, {100, 0}},
  };
  for (const Case& c : cases) {
    DockInput in{c.left, c.top, 432, 240, 1920, 1080, c.mouse_x, c.mouse_y};
    EXPECT_EQ(DockToScreenEdge(in), c.expected) << c.name;
  }
}

class DockTimerTest : public testing_support::AppTest {};

// The docking tick reads the real window and mouse and does nothing while the window is hidden.
TEST_F(DockTimerTest, TicksEvery100msAndRestsWhileHidden) {
  form().window.SetGeometry(100, 0, 432, 240);
  desktop.mouse = {300, 600};
  loop.Advance(99);
  EXPECT_EQ(form().window.top(), 0);
  loop.Advance(1);
  EXPECT_EQ(form().window.top(), -237);

  form().window.Hide();
  desktop.mouse = {300, 0};
  loop.Advance(500);
  EXPECT_EQ(form().window.top(), -237);
  form().window.Show();
  loop.Advance(100);
  EXPECT_EQ(form().window.top(), 0);
}

}  // namespace
