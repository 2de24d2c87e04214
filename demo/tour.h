// The headless tour of the demo program: it uses the program the way a user would, through the
// form's own events, and leaves screenshots and a list of the songs it heard, so that a machine
// without a screen can still show that the radio plays on by itself.
//
// The steps: a press on 下一曲 starts the first song; the tour waits until the player reports
// Playing, then lets the song end and the next one follow without any input; the last song is
// tuned by choosing a channel in the channel list. After each song has started playing, a
// screenshot of the main window goes into the folder.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class App;

namespace demo {

struct TourOptions {
  std::filesystem::path folder;  // created when missing; screenshots are NN-name.png
  // How many songs to hear: the first by 下一曲, then each by itself, the last by a channel choice
  // (when there are three or more).
  int songs = 3;
  // Deadlines on the program's clock, so the tour always ends: from a song's start to the player
  // reporting Playing, and from that to the next song's start (longer than a song lasts).
  int start_timeout_ms = 20000;
  int song_budget_ms = 60000;
  // The channel list's item chosen for the last song ("流行").
  int channel_item = 12;
};

struct TourSong {
  std::string title;    // UTF-8
  std::string artist;   // UTF-8
  bool played = false;  // the player reported Playing for it
};

struct TourResult {
  std::vector<TourSong> songs;
  std::vector<std::string> screenshots;  // the files written, in order
  // 0: every song asked for played; 1: none played; 2: some, not all.
  int exit_code = 1;
};

// Writes a PNG of the main window to the path; false when it could not.
using ScreenshotWriter = std::function<bool(const std::string& path)>;

// Runs the tour on `app`, whose main window has been created; returns when it is done or a
// deadline passed. The waits run the program's own loop, so its timers and the player's monitor
// go on meanwhile. Each song is written to `songs_out` as "title - artist" (UTF-8) once the
// player reports it playing; progress and failures go to `log`.
TourResult RunTour(App& app, const TourOptions& options, const ScreenshotWriter& screenshot,
                   std::ostream& songs_out, std::ostream& log);

}  // namespace demo
