// The demo station: a made-up radio station on the loopback interface that answers every request
// the program makes (playlist, channel information, lyrics, song pages, covers, audio, the album
// pages of the music site and the QR service), from songs it generates at start. It needs no
// network and no data files. The demo program and the tests point the program's endpoints at it.
//
// Four servers on 127.0.0.1, each on a port the system picks: the radio service, the music site
// and the QR service over HTTP, and the QR images over HTTPS with a certificate made at start.
// Answers are UTF-8; JSON answers are typed "application/json; charset=utf-8".
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "demo/demo_catalogue.h"

namespace demo {

struct DemoStationOptions {
  // Each song gets its own length between these bounds (inclusive); equal bounds give every song
  // that length. Tests ask for 2 to 3 seconds.
  double min_song_length_s = 20;
  double max_song_length_s = 40;
  int cover_size_px = 240;
  int qr_size_px = 200;
};

// One request as a server received it. `server` is "radio", "music", "qr" or "qr-image";
// `target` is the path with its query, exactly as sent (nothing decoded).
struct StationRequest {
  std::string server;
  std::string target;
};

struct StationAnswer {
  int status = 200;
  std::string content_type = "application/json; charset=utf-8";
  std::string body;
};

class DemoStation {
 public:
  explicit DemoStation(DemoStationOptions options = {});
  ~DemoStation();  // stops the servers
  DemoStation(const DemoStation&) = delete;
  DemoStation& operator=(const DemoStation&) = delete;

  // Makes the certificate, binds the four servers and returns once all of them accept
  // connections. False (with nothing left running) when a server cannot start or the
  // certificate cannot be made. Call once.
  bool Start();
  // Stops the servers and waits for their threads; requests then fail to connect. Safe to call
  // more than once. The bases keep their values.
  void Stop();
  bool running() const;

  // "http://127.0.0.1:PORT", no trailing slash: the radio service (API, web pages, covers,
  // audio), the music site (album pages) and the QR service (its page). Valid after Start.
  std::string radio_base() const;
  std::string music_base() const;
  std::string qr_base() const;
  // "https://127.0.0.1:PORT" of the QR images that the QR page points at.
  std::string qr_image_base() const;
  // The HTTPS server's certificate (PEM), to be trusted as an extra root by the downloader.
  const std::string& certificate_pem() const;

  const DemoCatalogue& catalogue() const;
  // The song the channel's next playlist request gets, without taking it; null for a channel the
  // station does not have.
  const DemoSong* PeekNextSong(std::string_view channel_id) const;

  // Every request received since the start or the last ClearRequests, in order of arrival.
  std::vector<StationRequest> requests() const;
  // How many of those requests have a target starting with `prefix` (any server).
  int CountRequests(std::string_view target_prefix) const;
  void ClearRequests();

  // Hooks for tests, called on the servers' threads for every request; set them before the
  // requests they are meant for. A hook that returns nullopt leaves the station's own answer.
  // The answer override is asked first, for every request of every server.
  using PlaylistOverride = std::function<std::optional<std::string>(const std::string& channel)>;
  using AnswerOverride = std::function<std::optional<StationAnswer>(const StationRequest&)>;
  void SetPlaylistOverride(PlaylistOverride override_hook);
  void SetAnswerOverride(AnswerOverride override_hook);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace demo
