#include "shell/panels.h"

#include <gtest/gtest.h>

#include "tests/support/app_fixture.h"

namespace {

class PanelsTest : public testing_support::AppTest {};

TEST_F(PanelsTest, SettingsButtonTestsOnlyTheLeftEdge) {
  MainForm& f = form();
  f.滑块条1.Show();
  f.设置.Click();
  EXPECT_TRUE(f.外形框1.visible());
  EXPECT_EQ(f.外形框1.left(), 182);
  EXPECT_FALSE(f.滑块条1.visible());
  f.设置.Click();
  EXPECT_FALSE(f.外形框1.visible());
  EXPECT_EQ(f.外形框1.left(), 430);

  // Hidden by the channel label while open: it keeps 182, so the next press only moves it.
  f.设置.Click();
  f.标签5.LeftPress();
  EXPECT_FALSE(f.外形框1.visible());
  EXPECT_EQ(f.外形框1.left(), 182);
  f.设置.Click();
  EXPECT_FALSE(f.外形框1.visible());
  EXPECT_EQ(f.外形框1.left(), 430);
  f.设置.Click();
  EXPECT_TRUE(f.外形框1.visible());
}

TEST_F(PanelsTest, FavouritesButtonWidensOnlyTheNormalWindow) {
  struct Case {
    int width, expected;
  } cases[] = {{432, 658}, {658, 432}, {500, 432}};
  for (const Case& c : cases) {
    form().window.SetGeometry(10, 20, c.width, 240);
    form().收藏按钮.Click();
    EXPECT_EQ(form().window.width(), c.expected) << c.width;
    EXPECT_EQ(form().window.left(), 10);
    EXPECT_EQ(form().window.top(), 20);
    EXPECT_EQ(form().window.height(), 240);
  }
}

TEST_F(PanelsTest, ChannelLabelSwapsWithTheList) {
  MainForm& f = form();
  f.标签5.LeftPress();
  EXPECT_TRUE(f.组合框1.visible());
  EXPECT_FALSE(f.标签5.visible());
  f.标签5.LeftPress();
  EXPECT_FALSE(f.组合框1.visible());
  EXPECT_TRUE(f.标签5.visible());
}

TEST_F(PanelsTest, ClickOnTheEmptyPlayerClosesEverything) {
  MainForm& f = form();
  f.设置.Click();
  f.组合框1.Show();
  f.标签5.Hide();
  f.滑块条1.Show();
  f.外形框3.Show();
  f.音乐播放外形框.LeftPress();
  EXPECT_FALSE(f.外形框3.visible());
  EXPECT_FALSE(f.滑块条1.visible());
  EXPECT_FALSE(f.组合框1.visible());
  EXPECT_TRUE(f.标签5.visible());
  EXPECT_FALSE(f.外形框1.visible());
  EXPECT_EQ(f.外形框1.left(), 430);
}

TEST_F(PanelsTest, SharePanelClosesFromItselfAndTheCode) {
  for (ui::Control* target : {static_cast<ui::Control*>(&form().外形框3),
                              static_cast<ui::Control*>(&form().二维码图片框)}) {
    form().外形框3.Show();
    target->LeftPress();
    EXPECT_FALSE(form().外形框3.visible()) << target->name();
  }
}

TEST_F(PanelsTest, HotkeyHidesAndShowsOnlyForItsId) {
  state().hotkey_id = 7;
  OnHotkey(*app, 3);
  EXPECT_TRUE(form().window.visible());
  EXPECT_EQ(state().hotkey_window_state, 0);
  int expected_states[] = {1, 2, 1, 2};
  for (int expected : expected_states) {
    OnHotkey(*app, 7);
    EXPECT_EQ(state().hotkey_window_state, expected);
    EXPECT_EQ(form().window.visible(), expected == 2);
  }
}

}  // namespace
