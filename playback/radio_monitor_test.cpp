#include "playback/radio_monitor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playback/start_stream.h"
#include "tests/support/app_fixture.h"

namespace {

using media::PlayState;

// Records every period written to the two monitor timers, in order.
class TimerLog : public ui::ControlObserver {
 public:
  void OnControlChanged(ui::Control& control, ui::Property what) override {
    if (what == ui::Property::kPeriod)
      writes.push_back(control.name() + "=" +
                       std::to_string(static_cast<ui::Timer&>(control).period_ms()));
  }
  std::vector<std::string> writes;
};

class RadioMonitorTest : public testing_support::AppTest {
 protected:
  // A radio song has started: the player has its URL and the monitor runs.
  RadioMonitorTest() {
    StartStream(*app, "http://127.0.0.1:9/song.mp3");
    form().times.SetPeriod(500);
    form().times.SetObserver(&log);
    form().收藏歌曲时钟.SetObserver(&log);
    player->state = PlayState::kPlaying;
  }
  ~RadioMonitorTest() override {
    form().times.SetObserver(nullptr);
    form().收藏歌曲时钟.SetObserver(nullptr);
  }
  void Tick() { loop.Advance(500); }

  // What a call of the next-song routine writes, after the monitor stopped its own timer.
  const std::vector<std::string> kNextSongRequested = {"times=0", "收藏歌曲时钟=0", "times=500"};
  TimerLog log;
};

// Catches a label or bar computed from unrounded or swapped values, a division by a zero
// duration, and a bar capped at the track (a position past the length gives a longer bar).
TEST_F(RadioMonitorTest, PlayingShowsTimeAndBar) {
  struct Row {
    double position_s;
    double duration_s;
    const char* label;
    int bar;
  };
  const Row rows[] = {
      {65.9, 252.4, "01:05 | 04:12", 100},  // 65 / 252 * 390 = 100.59
      {0, 252.4, "00:00 | 04:12", 0},
      {30.2, 0, "00:30 | 00:00", 0},  // the length is not known yet
      {0.7, 0.4, "00:00 | 00:00", 0},
      {7505, 600, "125:05 | 10:00", 4878},
      {1e300, 250, "35791394:07 | 04:10", 2147483647},  // nonsense from the component
  };
  for (const Row& row : rows) {
    player->position = row.position_s;
    player->duration = row.duration_s;
    Tick();
    EXPECT_EQ(form().标签3.caption(), row.label) << row.position_s;
    EXPECT_EQ(form().进度条_绿.width(), row.bar) << row.position_s;
  }
  EXPECT_TRUE(log.writes.empty());
}

// Catches a monitor that acts on paused, buffering, connecting or ended: the label and bar stay,
// and above all no next song starts (8 comes before 1 at every song's end).
TEST_F(RadioMonitorTest, OtherStatesChangeNothing) {
  player->position = 65.9;
  player->duration = 252.4;
  Tick();
  for (PlayState state : {PlayState::kPaused, PlayState::kBuffering, PlayState::kTransitioning,
                          PlayState::kMediaEnded}) {
    player->state = state;
    player->position = 120;
    Tick();
    EXPECT_EQ(form().标签3.caption(), "01:05 | 04:12") << static_cast<int>(state);
    EXPECT_EQ(form().进度条_绿.width(), 100);
  }
  EXPECT_TRUE(log.writes.empty());
  EXPECT_EQ(form().times.period_ms(), 500);
}

// Catches a next song requested while the monitor still runs (a tick could then start a second
// song meanwhile), and a state other than 0, 1 or 10 treated as idle.
TEST_F(RadioMonitorTest, IdleStopsTheTimerThenRequestsTheNextSong) {
  for (PlayState idle : {PlayState::kStopped, PlayState::kUndefined, PlayState::kReady}) {
    log.writes.clear();
    player->state = idle;
    // Whenever the next song reaches the player, the monitor must already be stopped.
    player->on_set_url = [this](const std::string&) { EXPECT_EQ(form().times.period_ms(), 0); };
    Tick();
    EXPECT_EQ(log.writes, kNextSongRequested) << static_cast<int>(idle);
    EXPECT_EQ(form().times.period_ms(), 500);
  }
}

// Catches a song end that starts the next song twice or on the 8: only the 1 after it does.
TEST_F(RadioMonitorTest, EndedThenStoppedStartsOneSong) {
  player->states = {PlayState::kMediaEnded, PlayState::kStopped};
  player->state = PlayState::kTransitioning;
  Tick();
  EXPECT_TRUE(log.writes.empty());
  Tick();
  EXPECT_EQ(log.writes, kNextSongRequested);
  Tick();
  Tick();
  EXPECT_EQ(log.writes, kNextSongRequested);
}

// Catches a monitor that follows the player before any song: the time label keeps its form text.
class RadioMonitorBeforeAnySong : public testing_support::AppTest {};

TEST_F(RadioMonitorBeforeAnySong, NothingRuns) {
  player->state = PlayState::kPlaying;
  player->position = 10;
  loop.Advance(5000);
  EXPECT_EQ(form().标签3.caption(), "00:00/00:00");
  EXPECT_EQ(form().times.period_ms(), 0);
}

}  // namespace
