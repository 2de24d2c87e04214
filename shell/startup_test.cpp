#include "shell/startup.h"

#include <gtest/gtest.h>

#include "tests/support/app_fixture.h"
#include "text/gbk.h"

namespace {

class StartupTest : public testing_support::AppTest {};

TEST_F(StartupTest, FirstStartFillsTheCaptionsAndStaysSilent) {
  OnMainWindowCreated(*app);
  EXPECT_FALSE(app->ended());
  EXPECT_EQ(state().instance_mutex, 42);
  EXPECT_EQ(state().hotkey_id, 7);
  EXPECT_EQ(state().channel_id, "-10");
  EXPECT_EQ(state().channel_mode, "豆瓣精选"_gbk);
  EXPECT_EQ(state().desktop_lyrics_shown, "");
  EXPECT_EQ(form().提示.caption(), "音量：100"_gbk);
  EXPECT_EQ(form().设置分组框2.caption(), "收藏列表（共0首）"_gbk);
  EXPECT_EQ(form().标签5.caption(), "豆瓣精选 MHz"_gbk);
  EXPECT_EQ(loop.waited_ms(), 120);
  for (ui::Timer* t : form().Timers()) {
    EXPECT_EQ(t->period_ms(), t == &form().时钟1 ? 100 : 0) << t->name();
  }
  EXPECT_TRUE(state().NowPlaying.title.empty());
  for (const std::string& field : state().song_fields)
    EXPECT_TRUE(field.empty());
  EXPECT_TRUE(desktop.messages.empty());
}

// A second copy says so, ends with 0 and touches nothing else: no hotkey, no captions.
TEST_F(StartupTest, SecondCopyShowsItsMessageAndEnds) {
  desktop.lock_result = desktop::LockResult::kHeldElsewhere;
  OnMainWindowCreated(*app);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "你已经打开这个程序了！"_gbk);
  EXPECT_EQ(desktop.messages[0].caption, "信息："_gbk);
  EXPECT_TRUE(app->ended());
  EXPECT_TRUE(loop.quit());
  EXPECT_EQ(loop.exit_code(), 0);
  EXPECT_EQ(state().hotkey_id, 0);
  EXPECT_EQ(form().提示.caption(), "TovaselV1.6");
}

// Without a lock (no runtime folder, say) the program runs on, unreported.
TEST_F(StartupTest, MissingLockAndHotkeyAreNotReported) {
  desktop.lock_result = desktop::LockResult::kUnavailable;
  desktop.hotkey_id_to_give = 0;
  OnMainWindowCreated(*app);
  EXPECT_FALSE(app->ended());
  EXPECT_EQ(state().instance_mutex, 0);
  EXPECT_EQ(state().hotkey_id, 0);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(StartupTest, DestroyingReleasesLockAndHotkeyAndEndsWithZero) {
  OnMainWindowCreated(*app);
  OnMainWindowDestroying(*app);
  EXPECT_EQ(desktop.unlocked_handle, 42);
  EXPECT_EQ(desktop.unregistered_hotkey, 7);
  EXPECT_TRUE(loop.quit());
  EXPECT_EQ(loop.exit_code(), 0);
}

TEST_F(StartupTest, HotkeyPressReachesTheHandler) {
  OnMainWindowCreated(*app);
  ASSERT_TRUE(desktop.hotkey);
  desktop.hotkey(7);
  EXPECT_FALSE(form().window.visible());
  desktop.hotkey(7);
  EXPECT_TRUE(form().window.visible());
}

TEST(ToStoredFlag, IsTrueOnlyForTheTrueText) {
  struct Case {
    std::string text;
    bool expected;
  } cases[] = {{"真"_gbk, true}, {"假"_gbk, false},  {"1", false},
               {"", false},      {"真 "_gbk, false}, {"true", false}};
  for (const Case& c : cases)
    EXPECT_EQ(ToStoredFlag(c.text), c.expected) << c.text;
}

}  // namespace
