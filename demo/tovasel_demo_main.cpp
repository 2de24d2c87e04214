// tovasel-demo: the program with its service endpoints on an embedded demo station, so it plays
// without a network. The start routine is that of tovasel; only the station, its certificate
// and the options below come before it.
//
// Usage: tovasel-demo [--song-seconds N] [--settings-dir DIR] [--tour FOLDER [--tour-songs N]]
//   --song-seconds N   every song of the station lasts N seconds (default: 20 to 40, each its own)
//   --settings-dir DIR keep the two settings files in DIR instead of the usual place
//   --tour FOLDER      run the headless tour (demo/tour.h), save its screenshots in FOLDER, print
//                      the songs it heard and end: 0 when every song played
//   --tour-songs N     how many songs the tour hears (default 3)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "demo/demo_station.h"
#include "demo/tour.h"
#include "platform/http/trusted_roots.h"
#include "platform/media/player_engine.h"
#include "platform/qt/qt_program.h"
#include "shell/app.h"
#include "shell/settings_dir.h"
#include "shell/startup.h"

namespace {

// The tour's songs are short unless asked otherwise, so that it ends within seconds.
constexpr double kTourSongSeconds = 6;

struct DemoOptions {
  std::optional<double> song_seconds;
  std::filesystem::path settings_dir;
  std::optional<std::filesystem::path> tour_folder;
  int tour_songs = 3;
};

void Usage() {
  std::fprintf(stderr,
               "usage: tovasel-demo [--song-seconds N] [--settings-dir DIR] "
               "[--tour FOLDER [--tour-songs N]]\n");
}

// A whole number in [low, high] or nothing.
std::optional<long> NumberIn(const char* text, long low, long high) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < low || value > high)
    return std::nullopt;
  return value;
}

// False (after saying why) when the command line is not understood.
bool ParseOptions(int argc, char** argv, DemoOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (name == "--help" || name == "-h")
      return false;
    if (i + 1 >= argc) {
      std::fprintf(stderr, "tovasel-demo: %s needs a value\n", argv[i]);
      return false;
    }
    const char* value = argv[++i];
    if (name == "--song-seconds") {
      std::optional<long> seconds = NumberIn(value, 1, 600);
      if (!seconds) {
        std::fprintf(stderr, "tovasel-demo: --song-seconds takes 1 to 600\n");
        return false;
      }
      options.song_seconds = static_cast<double>(*seconds);
    } else if (name == "--tour-songs") {
      std::optional<long> songs = NumberIn(value, 1, 20);
      if (!songs) {
        std::fprintf(stderr, "tovasel-demo: --tour-songs takes 1 to 20\n");
        return false;
      }
      options.tour_songs = static_cast<int>(*songs);
    } else if (name == "--settings-dir") {
      options.settings_dir = value;
    } else if (name == "--tour") {
      options.tour_folder = value;
    } else {
      std::fprintf(stderr, "tovasel-demo: unknown option %s\n", argv[i - 1]);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  DemoOptions options;
  if (!ParseOptions(argc, argv, options)) {
    Usage();
    return 2;
  }

  demo::DemoStationOptions station_options;
  if (!options.song_seconds && options.tour_folder)
    options.song_seconds = kTourSongSeconds;
  if (options.song_seconds) {
    station_options.min_song_length_s = *options.song_seconds;
    station_options.max_song_length_s = *options.song_seconds;
  }
  demo::DemoStation station(station_options);
  if (!station.Start()) {
    std::fprintf(stderr, "tovasel-demo: the demo station could not start\n");
    return 1;
  }
  http::TrustExtraRoot(station.certificate_pem());

  std::filesystem::path settings_dir = options.settings_dir;
  if (settings_dir.empty()) {
    settings_dir = ChooseSettingsDirectory(ProgramDirectory());
  } else {
    std::error_code error;
    std::filesystem::create_directories(settings_dir, error);
  }

  qt::QtProgram program;
  App app(program.loop(), program.desktop(),
          {station.radio_base(), station.music_base(), station.qr_base()}, settings_dir,
          [] { return media::CreateGstPlayerEngine(); });
  program.LoadForm(
      app.form.window, [&app] { OnMainWindowCreated(app); },
      [&app] { OnMainWindowDestroying(app); }, [&app] { return app.ended(); });

  int exit_code = 0;
  if (!options.tour_folder) {
    exit_code = program.Run();
  } else if (app.ended()) {
    // Another copy runs: the created handler said so and ended the program.
    exit_code = 1;
  } else {
    demo::TourOptions tour;
    tour.folder = *options.tour_folder;
    tour.songs = options.tour_songs;
    tour.song_budget_ms = static_cast<int>(*options.song_seconds * 1000) + 20000;
    demo::TourResult result = demo::RunTour(
        app, tour,
        [&program](const std::string& path) { return program.SaveWindowScreenshot(path); },
        std::cout, std::cerr);
    std::cerr << "tour: " << result.screenshots.size() << " screenshots in "
              << std::filesystem::absolute(tour.folder).string() << "\n";
    OnMainWindowDestroying(app);
    exit_code = result.exit_code;
  }
  program.UnloadForm();
  return exit_code;
}
