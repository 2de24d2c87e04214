// The radio from end to end: the program on the real Qt loop with its timers, the GStreamer
// engine (into the fake sink, as there is no sound device here), the real request layer and the
// demo station on loopback. Nothing is scripted: one press of 下一曲 and the radio must go on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "demo/demo_station.h"
#include "platform/http/trusted_roots.h"
#include "platform/media/player_engine.h"
#include "platform/qt/qt_program.h"
#include "shell/app.h"
#include "shell/startup.h"
#include "tests/support/app_fixture.h"
#include "tests/support/fake_desktop.h"
#include "text/gbk.h"

namespace {

constexpr int kPollMs = 20;
// Generous: the first GStreamer start of a machine builds its registry, and the suite runs
// under the sanitizers.
constexpr int kStartTimeoutMs = 30000;

// What the test saw of one song while it was the song now playing.
struct HeardSong {
  bool played = false;             // the player reported Playing (3)
  double furthest_position_s = 0;  // the furthest play position seen
  bool replaced = false;           // another song took its place before the deadline
};

// Follows the song now playing (`sid`) on the program's loop until another song replaces it or
// the deadline passes, or, with `until_playing`, until the player reports it playing.
HeardSong Follow(App& app, const std::string& sid, int timeout_ms, bool until_playing) {
  HeardSong heard;
  const long long deadline = app.loop.NowMs() + timeout_ms;
  while (app.loop.NowMs() < deadline) {
    if (app.state.NowPlaying.sid != sid) {
      heard.replaced = true;
      break;
    }
    if (app.state.player.GetPlayState() == 3) {
      heard.played = true;
      heard.furthest_position_s =
          std::max(heard.furthest_position_s, app.state.player.GetPosition());
      if (until_playing)
        break;
    }
    app.loop.WaitProcessingMessages(kPollMs);
  }
  return heard;
}

std::string CaptionOf(const demo::DemoSong& song) {
  return text::Utf8ToGbk(song.title + " - " + song.artist);
}

// Catches a radio that stops after the first song, one that skips a song or cuts it short
// (the monitor taking the start of a stream for its end), and a second song asked for twice.
TEST(RadioEndToEnd, TwoDemoSongsPlayOneAfterAnotherAfterOnePress) {
  demo::DemoStationOptions options;
  options.min_song_length_s = 2;
  options.max_song_length_s = 3;
  demo::DemoStation station(options);
  ASSERT_TRUE(station.Start());
  http::TrustExtraRoot(station.certificate_pem());

  qt::QtProgram program;
  testing_support::FakeDesktop desktop;
  App app(program.loop(), desktop, {station.radio_base(), station.music_base(), station.qr_base()},
          testing_support::MakeTempDir(), [] { return media::CreateGstPlayerEngine(); });
  OnMainWindowCreated(app);
  ASSERT_FALSE(app.ended());

  const demo::DemoSong first = *station.PeekNextSong("-10");
  app.form.下一曲.Click();
  ASSERT_EQ(app.state.NowPlaying.sid, first.sid);
  EXPECT_EQ(app.form.window.caption(), CaptionOf(first));
  const demo::DemoSong second = *station.PeekNextSong("-10");
  ASSERT_NE(second.sid, first.sid);

  HeardSong heard_first = Follow(app, first.sid, kStartTimeoutMs + first.length_ms + 5000, false);
  ASSERT_TRUE(heard_first.played) << "player status: " << app.state.player.GetStatus();
  ASSERT_TRUE(heard_first.replaced) << "no song followed the first";
  EXPECT_GE(heard_first.furthest_position_s, first.length_ms / 1000.0 - 0.7)
      << "the first song was left before its end";

  ASSERT_EQ(app.state.NowPlaying.sid, second.sid);
  EXPECT_EQ(app.form.window.caption(), CaptionOf(second));
  EXPECT_NE(CaptionOf(second), CaptionOf(first));
  HeardSong heard_second = Follow(app, second.sid, kStartTimeoutMs, true);
  EXPECT_TRUE(heard_second.played) << "player status: " << app.state.player.GetStatus();
  EXPECT_FALSE(heard_second.replaced);

  EXPECT_EQ(station.CountRequests("/j/v2/playlist?channel=-10&"), 2);
  EXPECT_GE(station.CountRequests("/audio/" + first.sid + ".wav"), 1);
  EXPECT_GE(station.CountRequests("/audio/" + second.sid + ".wav"), 1);
}

}  // namespace
