#include "platform/media/gst_player_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/media/test_songs.h"
#include "tests/support/test_server.h"

namespace media {
namespace {

using namespace std::chrono_literals;

// Generous: the machine may be busy; the tests never wait this long when things go right.
constexpr auto kDeadline = 12s;

int Code(PlayState state) {
  return static_cast<int>(state);
}

const std::string& ShortWav() {
  static const std::string song = MakeWavSong(1.2);
  return song;
}
const std::string& LongWav() {
  static const std::string song = MakeWavSong(4.0);
  return song;
}
const std::string& ShortMp3() {
  static const std::string song = MakeMp3Song(1.5, 128, "Morning Tone", "Test Band");
  return song;
}

test::Reply Song(const std::string& body, const std::string& type, bool chunked = false) {
  test::Reply reply;
  reply.body = body;
  reply.content_type = type;
  reply.chunked = chunked;
  return reply;
}

// What one poll saw.
struct Sample {
  int state;
  double position_s;
  double duration_s;
};

class GstPlayerEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = CreateGstPlayerEngine();
    ASSERT_NE(engine, nullptr);
    ASSERT_FALSE(ShortMp3().empty()) << "no MP3 encoder";
    server.Serve("/short.wav", Song(ShortWav(), "audio/x-wav"));
    server.Serve("/long.wav", Song(LongWav(), "audio/x-wav"));
    server.Serve("/short.mp3", Song(ShortMp3(), "audio/mpeg"));
    server.Serve("/chunked.mp3", Song(ShortMp3(), "audio/mpeg", true));
  }

  // Polls every 10 ms until `done` holds for what was just read, or the deadline passes. Returns
  // every poll; the last one is the one `done` accepted (or the deadline's).
  std::vector<Sample> PollUntil(const std::function<bool(const Sample&)>& done) {
    std::vector<Sample> samples;
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (std::chrono::steady_clock::now() < deadline) {
      const int state = Code(engine->playstate());
      samples.push_back({state, engine->position_s(), engine->duration_s()});
      if (done(samples.back()))
        break;
      std::this_thread::sleep_for(10ms);
    }
    return samples;
  }
  std::vector<Sample> PollUntilState(int wanted) {
    return PollUntil([wanted](const Sample& s) { return s.state == wanted; });
  }

  // The states in the order seen, each run of repeats as one.
  static std::vector<int> Sequence(const std::vector<Sample>& samples) {
    std::vector<int> states;
    for (const Sample& s : samples)
      if (states.empty() || states.back() != s.state)
        states.push_back(s.state);
    return states;
  }

  test::TestServer server;
  std::unique_ptr<PlayerEngine> engine;
};

struct SongCase {
  const char* name;
  const char* path;
  double length_s;
  bool length_known;
};

void PrintTo(const SongCase& song, std::ostream* out) {
  *out << song.name;
}

class PlaysToTheEnd : public GstPlayerEngineTest, public ::testing::WithParamInterface<SongCase> {};

// Catches a play state that reports Ready or Stopped while the stream is still connecting (the
// radio would skip the song at its start), that never reports the end, or a duration that is
// missing although the stream's length is known.
TEST_P(PlaysToTheEnd, StatesPositionAndDuration) {
  const SongCase& song = GetParam();
  engine->SetUrl(server.Url(song.path));
  EXPECT_EQ(engine->url(), server.Url(song.path));

  std::vector<Sample> samples = PollUntilState(1);
  EXPECT_EQ(Sequence(samples), (std::vector<int>{9, 3, 8, 1}));

  // The parser may need a few frames before it knows an MP3's length: until then it is 0.
  double first_position = -1, last_position = -1, last_duration = -1;
  for (const Sample& s : samples) {
    if (s.state != 3)
      continue;
    if (first_position < 0)
      first_position = s.position_s;
    last_position = s.position_s;
    last_duration = s.duration_s;
    if (s.duration_s != 0) {
      EXPECT_NEAR(s.duration_s, song.length_s, 0.1);
    }
  }
  EXPECT_GT(last_position, first_position + 0.5);
  EXPECT_NEAR(last_duration, song.length_known ? song.length_s : 0, 0.1);
  EXPECT_LE(last_position, song.length_s + 0.1);
  EXPECT_EQ(engine->position_s(), 0);
}

INSTANTIATE_TEST_SUITE_P(Songs, PlaysToTheEnd,
                         ::testing::Values(SongCase{"Wav", "/short.wav", 1.2, true},
                                           SongCase{"Mp3", "/short.mp3", 1.5, true},
                                           SongCase{"Mp3WithoutLength", "/chunked.mp3", 1.5,
                                                    false}),
                         [](const auto& row) { return std::string(row.param.name); });

struct FailureCase {
  const char* name;
  // Builds the URL; may set up the server.
  std::function<std::string(test::TestServer&)> url;
  int end_state;
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
  *out << failure.name;
}

class FailureEnds : public GstPlayerEngineTest,
                    public ::testing::WithParamInterface<FailureCase> {};

// Catches a failed stream that leaves the player connecting or undefined: the radio monitor waits
// for Stopped or Ready to move on, so such a song would stall the radio for good.
TEST_P(FailureEnds, InStoppedOrReady) {
  const FailureCase& failure = GetParam();
  engine->SetUrl(failure.url(server));
  std::vector<Sample> samples =
      PollUntil([](const Sample& s) { return s.state == 1 || s.state == 10; });
  EXPECT_EQ(samples.back().state, failure.end_state) << ::testing::PrintToString(Sequence(samples));
  for (const Sample& s : samples)
    EXPECT_NE(s.state, 3);
  EXPECT_EQ(engine->duration_s(), 0);
}

std::string RefusedUrl(test::TestServer&) {
  // A port taken by a server that has just stopped: nobody listens there any more.
  int port;
  {
    test::TestServer gone;
    port = gone.Port();
  }
  return "http://127.0.0.1:" + std::to_string(port) + "/song.mp3";
}

INSTANTIATE_TEST_SUITE_P(
    Streams, FailureEnds,
    ::testing::Values(
        FailureCase{"NotFound", [](test::TestServer& s) { return s.Url("/missing.mp3"); }, 1},
        FailureCase{"ConnectionRefused", RefusedUrl, 1},
        FailureCase{"EmptyUrl", [](test::TestServer&) { return std::string(); }, 10},
        FailureCase{"NotAUrl", [](test::TestServer&) { return std::string("no url at all"); }, 1},
        FailureCase{"HtmlPage",
                    [](test::TestServer& s) {
                      s.Serve("/page", Song("<html><body>Moved</body></html>", "text/html"));
                      return s.Url("/page");
                    },
                    1},
        FailureCase{"UndecodableBytes",
                    [](test::TestServer& s) {
                      s.Serve("/noise.mp3", Song(std::string(20000, '\x5a'), "audio/mpeg"));
                      return s.Url("/noise.mp3");
                    },
                    1},
        FailureCase{"SilentServer",
                    [](test::TestServer& s) {
                      test::Reply silent;
                      silent.silent = true;
                      s.Serve("/silent.mp3", silent);
                      return s.Url("/silent.mp3");
                    },
                    1}),
    [](const auto& row) { return std::string(row.param.name); });

class SwitchesUrl : public GstPlayerEngineTest, public ::testing::WithParamInterface<bool> {};

// Catches state messages of the old stream leaking into the new one: a Ready or Stopped left over
// from the first song, read right after the second was set, would make the radio skip it.
TEST_P(SwitchesUrl, NeverIdleBeforeTheNewSongPlays) {
  const bool first_song_playing = GetParam();
  engine->SetUrl(server.Url("/long.wav"));
  if (first_song_playing) {
    ASSERT_EQ(PollUntilState(3).back().state, 3);
  }
  engine->SetUrl(server.Url("/short.mp3"));
  std::vector<Sample> samples = PollUntilState(3);
  ASSERT_EQ(samples.back().state, 3) << ::testing::PrintToString(Sequence(samples));
  for (const Sample& s : samples) {
    EXPECT_NE(s.state, 0);
    EXPECT_NE(s.state, 1);
    EXPECT_NE(s.state, 8);
    EXPECT_NE(s.state, 10);
  }
  // The new song's own length, not the old one's.
  samples = PollUntil([](const Sample& s) { return s.duration_s > 0; });
  EXPECT_NEAR(samples.back().duration_s, 1.5, 0.1);
}

INSTANTIATE_TEST_SUITE_P(FirstSong, SwitchesUrl, ::testing::Values(false, true),
                         [](const auto& row) {
                           return std::string(row.param ? "Playing" : "Connecting");
                         });

// Catches a pause that lets the clock run on, and a resume that does not play again.
TEST_F(GstPlayerEngineTest, PauseFreezesThePosition) {
  engine->SetUrl(server.Url("/long.wav"));
  ASSERT_EQ(
      PollUntil([](const Sample& s) { return s.state == 3 && s.position_s > 0.3; }).back().state,
      3);
  engine->Pause();
  EXPECT_EQ(Code(engine->playstate()), 2);
  const double paused_at = engine->position_s();
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(Code(engine->playstate()), 2);
  EXPECT_NEAR(engine->position_s(), paused_at, 0.001);

  engine->Play();
  std::vector<Sample> samples =
      PollUntil([&](const Sample& s) { return s.position_s > paused_at + 0.2; });
  EXPECT_EQ(samples.back().state, 3);
}

// Catches a slow stream that starts playing before its buffer is full (playbin does not wait for
// data by itself, so the song would stutter) or that is taken for stopped while it waits.
TEST_F(GstPlayerEngineTest, SlowStreamPlaysOnceBuffered) {
  static const std::string song = MakeMp3Song(2, 128);
  test::Reply slow = Song(song, "audio/mpeg");
  slow.bytes_per_second = 12000;  // the song needs 16000
  server.Serve("/slow.mp3", slow);
  engine->SetUrl(server.Url("/slow.mp3"));

  std::vector<Sample> samples = PollUntilState(3);
  ASSERT_EQ(samples.back().state, 3);
  EXPECT_EQ(engine->buffering_progress(), 100);
  EXPECT_GE(engine->buffering_count(), 1);
  std::vector<Sample> rest = PollUntilState(1);
  samples.insert(samples.end(), rest.begin(), rest.end());
  EXPECT_EQ(Sequence(samples), (std::vector<int>{9, 3, 8, 1}));
}

// Catches tags that never reach the item information, and a replay after the end that does not
// start the stream again.
TEST_F(GstPlayerEngineTest, ItemInfoFromTagsAndPlayAgainAfterTheEnd) {
  engine->SetUrl(server.Url("/short.mp3"));
  // The tags come with the stream's first buffers; the bit rate once the parser has seen frames.
  PollUntil([this](const Sample&) {
    return !engine->ItemInfo("title").empty() && !engine->ItemInfo("Bitrate").empty();
  });
  EXPECT_EQ(engine->ItemInfo("title"), "Morning Tone");
  EXPECT_EQ(engine->ItemInfo("Author"), "Test Band");
  EXPECT_EQ(engine->ItemInfo("Bitrate"), "128000");
  EXPECT_NE(engine->ItemInfo("strType").find("MP3"), std::string::npos);
  EXPECT_EQ(engine->ItemInfo("Copyright"), "");

  ASSERT_EQ(PollUntilState(1).back().state, 1);
  engine->Play();
  EXPECT_EQ(Sequence(PollUntilState(3)), (std::vector<int>{9, 3}));
}

}  // namespace
}  // namespace media
