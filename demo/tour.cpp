#include "demo/tour.h"

#include <cstdio>
#include <system_error>

#include "shell/app.h"
#include "text/gbk.h"

namespace demo {
namespace {

constexpr int kPollMs = 20;
// How long a song plays before its screenshot, so that the play time and the progress bar moved.
constexpr int kSettleMs = 1600;

// Waits on the program's loop until `done` holds; false when the deadline (on the loop's clock)
// passed first or the program ended.
template <typename Done>
bool WaitUntil(App& app, long long deadline_ms, Done done) {
  while (!done()) {
    if (app.ended() || app.loop.NowMs() >= deadline_ms)
      return false;
    app.loop.WaitProcessingMessages(kPollMs);
  }
  return true;
}

// What tells one song start from the next: the fields every playlist answer gives anew.
std::string SongIdentity(const App& app) {
  const NowPlayingSong& song = app.state.NowPlaying;
  return song.sid + '\n' + song.ssid + '\n' + song.url;
}

std::string Describe(const TourSong& song) {
  return song.title + " - " + song.artist;
}

}  // namespace

TourResult RunTour(App& app, const TourOptions& options, const ScreenshotWriter& screenshot,
                   std::ostream& songs_out, std::ostream& log) {
  TourResult result;
  std::error_code error;
  std::filesystem::create_directories(options.folder, error);

  auto shoot = [&](const std::string& name) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02zu-", result.screenshots.size() + 1);
    const std::string path = (options.folder / (prefix + name + ".png")).string();
    if (screenshot && screenshot(path)) {
      result.screenshots.push_back(path);
      log << "tour: screenshot " << path << "\n";
    } else {
      log << "tour: could not write the screenshot " << path << "\n";
    }
  };

  // The window appears at the created handler's first wait; let it paint once.
  app.loop.WaitProcessingMessages(300);
  shoot("start");

  std::string last_song;  // identity of the song heard before
  int played = 0;
  for (int i = 0; i < options.songs && !app.ended(); ++i) {
    const bool by_channel = options.songs >= 3 && i == options.songs - 1;
    if (i == 0) {
      log << "tour: pressing the next-song button\n";
      app.form.下一曲.Click();
    } else if (by_channel) {
      log << "tour: choosing item " << options.channel_item << " of the channel list\n";
      app.form.组合框1.Choose(options.channel_item);
    } else {
      log << "tour: waiting for the song to end and the next one to follow by itself\n";
      const long long deadline = app.loop.NowMs() + options.song_budget_ms;
      if (!WaitUntil(app, deadline, [&] { return SongIdentity(app) != last_song; })) {
        log << "tour: no next song followed within " << options.song_budget_ms << " ms\n";
        break;
      }
    }
    const std::string this_song = SongIdentity(app);
    last_song = this_song;
    TourSong song{text::GbkToUtf8(app.state.NowPlaying.title),
                  text::GbkToUtf8(app.state.NowPlaying.artist), false};

    // A song that fails to play makes the monitor start another one: that one is not this song.
    const long long deadline = app.loop.NowMs() + options.start_timeout_ms;
    song.played =
        WaitUntil(app, deadline,
                  [&] {
                    return SongIdentity(app) != this_song || app.state.player.GetPlayState() == 3;
                  }) &&
        SongIdentity(app) == this_song;
    result.songs.push_back(song);
    if (!song.played) {
      log << "tour: the song did not play: " << Describe(song)
          << " (player status: " << text::GbkToUtf8(app.state.player.GetStatus()) << ")\n";
      continue;
    }
    ++played;
    songs_out << Describe(song) << "\n" << std::flush;

    const long long settled = app.loop.NowMs() + kSettleMs;
    WaitUntil(app, settled, [&] { return SongIdentity(app) != this_song; });
    shoot("song-" + std::to_string(i + 1));
  }

  result.exit_code = played == options.songs ? 0 : played == 0 ? 1 : 2;
  log << "tour: " << played << " of " << options.songs << " songs played\n";
  return result;
}

}  // namespace demo
