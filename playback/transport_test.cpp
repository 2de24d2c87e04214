#include "playback/transport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playback/start_stream.h"
#include "tests/support/app_fixture.h"
#include "text/gbk.h"

namespace {

class TransportTest : public testing_support::AppTest, public ::testing::WithParamInterface<bool> {
 protected:
  // Runs the test once before any song and once after one started.
  void SetUp() override {
    if (GetParam())
      StartStream(*app, "http://127.0.0.1:9/song.mp3");
    player->TakeCalls();
  }
  bool song_started() const { return GetParam(); }
  std::vector<std::string> Expect(std::vector<std::string> calls) const {
    return song_started() ? calls : std::vector<std::string>{};
  }
};

// Catches a pair that does not swap (two buttons visible, or none), an indicator left running
// while paused, a slider or settings panel left open, and player calls before any song.
TEST_P(TransportTest, PauseAndResumeSwapThePair) {
  MainForm& f = form();
  f.滑块条1.Show();
  f.外形框1.SetLeft(MainForm::kSettingsOpenLeft);
  f.图片框2.SetAnimating(true);

  f.暂停按钮.Click();
  EXPECT_FALSE(f.暂停按钮.visible());
  EXPECT_TRUE(f.继续播放.visible());
  EXPECT_FALSE(f.图片框2.animating());
  EXPECT_FALSE(f.滑块条1.visible());
  EXPECT_EQ(f.外形框1.left(), MainForm::kSettingsClosedLeft);
  EXPECT_EQ(player->TakeCalls(), Expect({"Pause"}));

  f.滑块条1.Show();
  f.外形框1.SetLeft(MainForm::kSettingsOpenLeft);
  f.继续播放.Click();
  EXPECT_TRUE(f.暂停按钮.visible());
  EXPECT_FALSE(f.继续播放.visible());
  EXPECT_TRUE(f.图片框2.animating());
  EXPECT_FALSE(f.滑块条1.visible());
  EXPECT_EQ(f.外形框1.left(), MainForm::kSettingsClosedLeft);
  EXPECT_EQ(player->TakeCalls(), Expect({"Play"}));
}

// Catches a wrong step per notch, a partial notch that counts, and a volume that does not reach
// the player (once a song plays) or the status label.
TEST_P(TransportTest, WheelMovesTheSliderSixPerNotch) {
  struct Row {
    int from;
    int notches;
    int to;
  };
  const Row rows[] = {{50, 1, 56}, {50, -2, 38}, {50, 0, 50}, {98, 1, 100}, {3, -1, 1}};
  for (const Row& row : rows) {
    form().滑块条1.SetPosition(row.from);
    player->TakeCalls();
    form().滑块条1.Wheel(row.notches);
    EXPECT_EQ(form().滑块条1.position(), row.to) << row.from << " " << row.notches;
    EXPECT_EQ(form().提示.caption(), "音量："_gbk + std::to_string(row.to));
    EXPECT_EQ(player->TakeCalls(), row.to == row.from
                                       ? std::vector<std::string>{}
                                       : Expect({"SetVolume " + std::to_string(row.to)}));
  }
}

// Catches a slider that the volume button cannot bring back, or that stays after the drag.
TEST_P(TransportTest, VolumeButtonTogglesAndReleaseHides) {
  ui::Slider& slider = form().滑块条1;
  EXPECT_FALSE(slider.visible());
  form().音量.Click();
  EXPECT_TRUE(slider.visible());
  form().音量.Click();
  EXPECT_FALSE(slider.visible());
  form().音量.Click();
  slider.Release();
  EXPECT_FALSE(slider.visible());
}

INSTANTIATE_TEST_SUITE_P(Song, TransportTest, ::testing::Values(false, true), [](const auto& row) {
  return std::string(row.param ? "AfterOne" : "BeforeAny");
});

// Catches a status timer that keeps ticking, or a message that a volume change does not replace.
class StatusLabelTest : public testing_support::AppTest {};

TEST_F(StatusLabelTest, TimerPutsTheVolumeTextBackOnce) {
  MainForm& f = form();
  f.提示.SetCaption("歌曲信息已复制"_gbk);
  f.时钟2.SetPeriod(1000);
  f.滑块条1.SetPosition(40);
  EXPECT_EQ(f.提示.caption(), "音量：40"_gbk);

  f.提示.SetCaption("歌曲收藏已存在"_gbk);
  loop.Advance(999);
  EXPECT_EQ(f.提示.caption(), "歌曲收藏已存在"_gbk);
  loop.Advance(1);
  EXPECT_EQ(f.提示.caption(), "音量：40"_gbk);
  EXPECT_EQ(f.时钟2.period_ms(), 0);
  f.提示.SetCaption("x");
  loop.Advance(5000);
  EXPECT_EQ(f.提示.caption(), "x");
}

// Catches a song start that ignores the slider: every song begins at the volume it shows.
TEST_F(StatusLabelTest, StartStreamUsesTheSlidersVolume) {
  form().滑块条1.SetPosition(37);
  StartStream(*app, "http://127.0.0.1:9/a.mp3");
  EXPECT_EQ(player->TakeCalls(),
            (std::vector<std::string>{"SetUrl http://127.0.0.1:9/a.mp3", "SetVolume 37"}));
}

}  // namespace
