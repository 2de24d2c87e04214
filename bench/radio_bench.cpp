// Measures how long a press of 下一曲 takes to turn into sound: from OnNextSong to the player's
// first report of Playing, against the demo station on loopback, with the program's App on the
// Qt loop (offscreen: no window is needed), the GStreamer engine and the real request layer.
//
// Two views, each the median of the rounds:
// - inside the real press: the station notes when each request arrives (playlist, cover, audio,
//   lyrics), which splits the press into the playlist request, the cover download with its
//   decoding and the stream's hand-over, the lyrics request, and the pipeline's start after the
//   handler returned;
// - the same layers called one at a time: one playlist cycle of WebRequest, one DownloadUrl of a
//   cover with its decoding, and a fresh URL on the engine until it reports Playing.
// The station's songs and pictures are generated once before measuring, so the figures are the
// program's and not the station's synthesis.
//
// Usage: radio_bench [rounds (20)]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "demo/demo_answers.h"
#include "demo/demo_station.h"
#include "platform/http/download.h"
#include "platform/http/trusted_roots.h"
#include "platform/image/picture_decoder.h"
#include "platform/media/player_engine.h"
#include "platform/qt/qt_program.h"
#include "shell/app.h"
#include "shell/startup.h"
#include "tests/support/fake_desktop.h"
#include "web/download_url.h"
#include "web/web_request.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> samples) {
  if (samples.empty())
    return 0;
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

double Max(const std::vector<double>& samples) {
  return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
}

// When each kind of request reached the station during one press; the first of each counts.
struct Arrivals {
  std::mutex mutex;
  Clock::time_point playlist, cover, audio, lyrics;
  bool has_playlist = false, has_cover = false, has_audio = false, has_lyrics = false;

  void Clear() {
    std::lock_guard lock(mutex);
    has_playlist = has_cover = has_audio = has_lyrics = false;
  }
  void Note(const std::string& target) {
    const Clock::time_point now = Clock::now();
    auto note = [&](const char* prefix, Clock::time_point& at, bool& has) {
      if (!has && target.rfind(prefix, 0) == 0) {
        at = now;
        has = true;
      }
    };
    std::lock_guard lock(mutex);
    note("/j/v2/playlist", playlist, has_playlist);
    note("/view/subject/", cover, has_cover);
    note("/audio/", audio, has_audio);
    note("/j/v2/lyric", lyrics, has_lyrics);
  }
};

struct Row {
  const char* name;
  std::vector<double> ms;
};

void Print(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    const long slow =
        std::count_if(row.ms.begin(), row.ms.end(), [](double ms) { return ms > 1000; });
    std::printf("  %-58s %8.2f ms  (max %7.2f)", row.name, Median(row.ms), Max(row.ms));
    if (slow > 0)
      std::printf("  %ld over 1 s", slow);
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);

  // Songs of 20 to 40 s: none ends while it is measured.
  demo::DemoStation station;
  if (!station.Start()) {
    std::fprintf(stderr, "radio_bench: the station did not start\n");
    return 1;
  }
  http::TrustExtraRoot(station.certificate_pem());
  const demo::StationBases bases{station.radio_base(), station.music_base(), station.qr_base(), ""};
  const demo::DemoChannel* channel = station.catalogue().FindChannel("-10");
  std::vector<std::string> audio_urls, cover_urls;
  for (int index : channel->songs) {
    const demo::DemoSong& song = station.catalogue().songs[index];
    audio_urls.push_back(demo::AudioUrl(song, bases));
    cover_urls.push_back(demo::CoverUrl(song, bases));
    http::Download(audio_urls.back());
    http::Download(cover_urls.back());
  }
  Arrivals arrivals;
  station.SetAnswerOverride([&arrivals](const demo::StationRequest& request) {
    arrivals.Note(request.target);
    return std::optional<demo::StationAnswer>();
  });

  qt::QtProgram program;
  testing_support::FakeDesktop desktop;
  App app(program.loop(), desktop, {station.radio_base(), station.music_base(), station.qr_base()},
          std::filesystem::temp_directory_path(), [] { return media::CreateGstPlayerEngine(); });
  OnMainWindowCreated(app);

  // One press, then the program's loop until the player reports Playing (or 10 s pass).
  auto press = [&](Clock::time_point& returned, Clock::time_point& playing) {
    const Clock::time_point start = Clock::now();
    app.form.下一曲.Click();
    returned = Clock::now();
    while (app.state.player.GetPlayState() != 3 && Ms(start, Clock::now()) < 10000)
      app.loop.WaitProcessingMessages(1);
    playing = Clock::now();
    return start;
  };

  Clock::time_point returned, playing;
  for (int i = 0; i < 3; ++i)
    press(returned, playing);

  Row total{"press -> first Playing (total)", {}};
  Row to_playlist{"press -> playlist request arrives", {}};
  Row playlist{"playlist request, cut, labels (until the cover is asked)", {}};
  Row cover{"cover download + decode + stream hand-over (until lyrics)", {}};
  Row lyrics{"lyrics request and the rest of the handler", {}};
  Row pipeline{"pipeline start after the handler returned", {}};
  Row to_audio{"press -> the pipeline asks for the audio", {}};
  int missing = 0;
  for (int i = 0; i < rounds; ++i) {
    arrivals.Clear();
    const Clock::time_point start = press(returned, playing);
    std::lock_guard lock(arrivals.mutex);
    if (!arrivals.has_playlist || !arrivals.has_cover || !arrivals.has_audio ||
        !arrivals.has_lyrics || app.state.player.GetPlayState() != 3) {
      ++missing;
      continue;
    }
    total.ms.push_back(Ms(start, playing));
    to_playlist.ms.push_back(Ms(start, arrivals.playlist));
    playlist.ms.push_back(Ms(start, arrivals.cover));
    cover.ms.push_back(Ms(arrivals.cover, arrivals.lyrics));
    lyrics.ms.push_back(Ms(arrivals.lyrics, returned));
    pipeline.ms.push_back(Ms(returned, playing));
    to_audio.ms.push_back(Ms(start, arrivals.audio));
  }

  // The same layers one at a time.
  WebRequest http;
  Row layer_playlist{"WebRequest playlist cycle (Open, Send, GetResponseText)", {}};
  Row layer_cover{"DownloadUrl of a cover + DecodePicture", {}};
  Row layer_engine{"engine: SetUrl -> Playing (fresh stream)", {}};
  Row layer_hand_over{"engine: the SetUrl call itself, a song playing before", {}};
  std::unique_ptr<media::PlayerEngine> engine = media::CreateGstPlayerEngine();
  for (int i = 0; i < rounds; ++i) {
    Clock::time_point t = Clock::now();
    http.Open("GET", station.radio_base() +
                         "/j/v2/playlist?channel=-10&kbps=128&client=s%3Amain"
                         "site%7Cy%3A3.0&app_name=radio_website&version=100&"
                         "type=n");
    http.Send();
    http.GetResponseText();
    layer_playlist.ms.push_back(Ms(t, Clock::now()));

    t = Clock::now();
    image::DecodePicture(DownloadUrl(cover_urls[i % cover_urls.size()]));
    layer_cover.ms.push_back(Ms(t, Clock::now()));

    if (engine) {
      const int audio_before = station.CountRequests("/audio/");
      t = Clock::now();
      engine->SetUrl(audio_urls[i % audio_urls.size()]);
      if (i > 0)
        layer_hand_over.ms.push_back(Ms(t, Clock::now()));
      while (engine->playstate() != media::PlayState::kPlaying && Ms(t, Clock::now()) < 10000)
        app.loop.WaitProcessingMessages(1);
      layer_engine.ms.push_back(Ms(t, Clock::now()));
      if (engine->playstate() != media::PlayState::kPlaying) {
        std::fprintf(stderr,
                     "radio_bench: round %d never played: state %d, status \"%s\", %d audio "
                     "requests reached the station, buffering count %d at %d%%\n",
                     i, static_cast<int>(engine->playstate()), engine->status().c_str(),
                     station.CountRequests("/audio/") - audio_before, engine->buffering_count(),
                     engine->buffering_progress());
      }
    }
  }
  engine.reset();

  std::printf("radio_bench: 下一曲 against the demo station on loopback, median of %d rounds",
              rounds);
  if (missing)
    std::printf(" (%d rounds without every request or without Playing left out)", missing);
  std::printf("\n\ninside the press (from the station's arrival times):\n");
  Print({total, to_playlist, playlist, cover, lyrics, pipeline, to_audio});
  std::printf("\nthe same layers one at a time:\n");
  Print({layer_playlist, layer_cover, layer_engine, layer_hand_over});
  std::printf("\ngoal: total under 150 ms\n");
  OnMainWindowDestroying(app);
  return 0;
}
