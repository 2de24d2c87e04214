// The media player component: takes a stream URL, fetches, decodes and plays it by itself on its
// own threads. The program drives it from its one thread only; every call answers at once, and the
// component's threads never call back into the program. Reads take the component's pending news
// (state changes, the end of a stream, errors, tags) first, so there is no event to wait for.
#pragma once

#include <memory>
#include <string>

namespace media {

// The published play-state values the component reports.
enum class PlayState : int {
  kUndefined = 0,
  kStopped = 1,
  kPaused = 2,
  kPlaying = 3,
  kBuffering = 6,
  kMediaEnded = 8,
  kTransitioning = 9,
  kReady = 10,
};

class PlayerEngine {
 public:
  virtual ~PlayerEngine() = default;

  // Loads `url` and starts playing it by itself; the previous stream ends at once and nothing of
  // it is reported afterwards. An empty URL unloads and reports kReady.
  virtual void SetUrl(const std::string& url) = 0;
  virtual std::string url() = 0;

  // Transport. Play after the end of a stream, an error or Stop plays the URL again from the start.
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual void Stop() = 0;
  // Seconds played; 0 while nothing plays. At the end of a stream it stays at the end until the
  // end has been reported. Setting it seeks when the stream allows it.
  virtual double position_s() = 0;
  virtual void SetPosition(double position_s) = 0;

  // Settings. The volume runs 0 to 100 along a perceptual curve and is clamped to that range;
  // settings outlive the stream and apply to the next one.
  virtual int volume() = 0;
  virtual void SetVolume(int volume) = 0;
  virtual bool mute() = 0;
  virtual void SetMute(bool mute) = 0;
  // How many times a stream is played in a row before it ends; values below 1 count as 1.
  virtual int play_count() = 0;
  virtual void SetPlayCount(int count) = 0;

  // The current media: its length in seconds, 0 while unknown (an MP3 sent without its length
  // stays unknown), and the items "title", "Author", "Copyright", "strType" (the kind of
  // stream) and "Bitrate" (bits per second, decimal) from its tags, in UTF-8, empty when absent.
  virtual double duration_s() = 0;
  virtual std::string ItemInfo(const std::string& attribute) = 0;

  // The network: how often playback has waited for data since the URL was set, and how full the
  // buffer is (0 to 100).
  virtual int buffering_count() = 0;
  virtual int buffering_progress() = 0;

  // A short English description of what the component is doing, for diagnostics.
  virtual std::string status() = 0;
  // The play state. A stream's end shows as kMediaEnded once, then kStopped; an error as kStopped.
  virtual PlayState playstate() = 0;
};

// The component on GStreamer's playbin. GStreamer starts, and the pipeline is built, when the
// first stream is set; where GStreamer cannot start or has no playbin the component stays silent.
std::unique_ptr<PlayerEngine> CreateGstPlayerEngine();

}  // namespace media
