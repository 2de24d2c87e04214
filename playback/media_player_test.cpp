#include "playback/media_player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/scripted_player.h"
#include "text/gbk.h"

namespace {

using testing_support::ScriptedPlayer;

// Catches a lost leading zero, minutes capped at two digits, or seconds that carry into minutes.
TEST(FormatTime, MinutesAndSeconds) {
  struct Row {
    int seconds;
    const char* text;
  };
  const Row rows[] = {
      {0, "00:00"},   {9, "00:09"},    {59, "00:59"},   {60, "01:00"},    {75, "01:15"},
      {600, "10:00"}, {3599, "59:59"}, {3600, "60:00"}, {7505, "125:05"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(MediaPlayer::FormatTime(row.seconds), row.text) << row.seconds;
}

// Catches a parse that reads past the fifth byte or that does not cut the caller's text.
TEST(ParseTime, FirstFiveBytes) {
  struct Row {
    const char* text;
    int seconds;
    const char* cut;
  };
  const Row rows[] = {
      {"03:25.40", 205, "03:25"},  // the fraction lies beyond the fifth byte
      {"01:05", 65, "01:05"},
      {"125:05", 7500, "125:0"},  // a long time loses its last digit
      {"00:00", 0, "00:00"},
      {"abc", 0, "abc"},  // no ":"
      {"12", 0, "12"},
      {"", 0, ""},
      {":7", 7, ":7"},
      {"xx:yy", 0, "xx:yy"},
  };
  for (const Row& row : rows) {
    std::string text = row.text;
    EXPECT_EQ(MediaPlayer::ParseTime(text), row.seconds) << row.text;
    EXPECT_EQ(text, row.cut) << row.text;
  }
}

// Catches a component value that overflows when it is cut to whole seconds or pixels.
TEST(TruncateToInt, TowardZeroAndClamped) {
  EXPECT_EQ(TruncateToInt(65.9), 65);
  EXPECT_EQ(TruncateToInt(-2.9), -2);
  EXPECT_EQ(TruncateToInt(std::nan("")), 0);
  EXPECT_EQ(TruncateToInt(1e300), std::numeric_limits<int>::max());
  EXPECT_EQ(TruncateToInt(-1e300), std::numeric_limits<int>::min());
  EXPECT_EQ(TruncateToInt(std::numeric_limits<double>::infinity()),
            std::numeric_limits<int>::max());
}

class MediaPlayerTest : public ::testing::Test {
 protected:
  MediaPlayerTest() {
    auto engine = std::make_unique<ScriptedPlayer>();
    component = engine.get();
    component->state = media::PlayState::kPlaying;
    component->position = 12.5;
    component->duration = 200;
    player = std::make_unique<MediaPlayer>(std::move(engine));
  }
  ScriptedPlayer* component;
  std::unique_ptr<MediaPlayer> player;
};

// Catches transport or volume calls that reach the component before the first song, and
// positions that leak through before it: the buttons and the slider must not make sound then.
TEST_F(MediaPlayerTest, SilentBeforeTheFirstOpenUrl) {
  player->Play();
  player->Pause();
  player->SetVolume("50");
  player->Stop();
  player->SetPosition(3);
  player->SetPlayCount(2);
  player->ToggleMute();
  EXPECT_TRUE(component->calls.empty());
  EXPECT_EQ(player->GetPosition(), 0);
  EXPECT_EQ(player->GetDuration(), 0);
  EXPECT_EQ(player->GetTitle(), "未知标题"_gbk);
  EXPECT_EQ(player->GetBufferingCount(), "");

  player->OpenUrl("http://127.0.0.1/a.mp3");
  player->Play();
  player->Pause();
  player->SetVolume("50");
  EXPECT_EQ(component->TakeCalls(), (std::vector<std::string>{"SetUrl http://127.0.0.1/a.mp3",
                                                              "Play", "Pause", "SetVolume 50"}));
  EXPECT_EQ(player->GetPosition(), 12.5);
  EXPECT_EQ(player->GetDuration(), 200);
}

// Catches a play state that is not the component's own before the first song: it answers 0 then.
TEST_F(MediaPlayerTest, PlayStateBeforeAndAfterOpenUrl) {
  component->state = media::PlayState::kUndefined;
  EXPECT_EQ(player->GetPlayState(), 0);
  player->OpenUrl("");
  component->state = media::PlayState::kReady;
  EXPECT_EQ(player->GetPlayState(), 10);
  component->state = media::PlayState::kMediaEnded;
  EXPECT_EQ(player->GetPlayState(), 8);
}

// Catches a volume text that is read leniently (a broken text must not set the volume to 0).
TEST_F(MediaPlayerTest, VolumeFromDecimalText) {
  player->OpenUrl("http://127.0.0.1/a.mp3");
  component->TakeCalls();
  struct Row {
    const char* text;
    int volume;  // -1: refused
  };
  const Row rows[] = {{"50", 50},  {"1", 1}, {"100", 100},  {" 7 ", 7},   {"49.6", 50},
                      {"abc", -1}, {"", -1}, {"12abc", -1}, {"1e999", -1}};
  for (const Row& row : rows) {
    component->volume_value = -1;
    player->SetVolume(row.text);
    EXPECT_EQ(component->volume_value, row.volume) << row.text;
  }
}

// Catches tags passed on in UTF-8 (program texts are GBK), a missing fallback, and a bit rate
// rounded instead of cut.
TEST_F(MediaPlayerTest, ItemInfoInGbkWithFallbacks) {
  player->OpenUrl("http://127.0.0.1/a.mp3");
  component->items = {{"title", "晴天"}, {"Author", "周杰伦"}, {"Bitrate", "127999"}};
  EXPECT_EQ(player->GetTitle(), "晴天"_gbk);
  EXPECT_EQ(player->GetAuthor(), "周杰伦"_gbk);
  EXPECT_EQ(player->GetCopyright(), "未知版权"_gbk);
  EXPECT_EQ(player->GetMediaType(), "未知类型"_gbk);
  EXPECT_EQ(player->GetBitrateText(), "127 kbit/sec");
  component->items = {{"Bitrate", "not a number"}};
  EXPECT_EQ(player->GetBitrateText(), "0 kbit/sec");
}

// Catches a mute toggle that always writes the same value.
TEST_F(MediaPlayerTest, ToggleMuteFlips) {
  player->OpenUrl("http://127.0.0.1/a.mp3");
  player->ToggleMute();
  EXPECT_TRUE(component->mute_value);
  player->ToggleMute();
  EXPECT_FALSE(component->mute_value);
}

// Catches a crash when the component could not be created: every operation is silent.
TEST(MediaPlayerWithoutComponent, EverythingSilent) {
  MediaPlayer player(nullptr);
  player.OpenUrl("http://127.0.0.1/a.mp3");
  player.Play();
  player.SetVolume("50");
  EXPECT_EQ(player.GetPlayState(), 0);
  EXPECT_EQ(player.GetPosition(), 0);
  EXPECT_EQ(player.GetStatus(), "");
  EXPECT_EQ(player.GetAuthor(), "未知作者"_gbk);
}

}  // namespace
