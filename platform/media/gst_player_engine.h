// The media player component on GStreamer's playbin (see player_engine.h for the contract).
//
// No GLib main loop runs: every call first takes the pending bus messages and turns them into the
// play state. The playback itself runs on GStreamer's streaming threads; the two signal handlers
// below run there too and touch only the elements they are given, never this object's state.
#pragma once

#include <gst/gst.h>

#include <cstdint>
#include <string>

#include "platform/media/gst_engine_tuning.h"
#include "platform/media/player_engine.h"

namespace media {

class GstPlayerEngine final : public PlayerEngine {
 public:
  // Takes ownership of `playbin`, a fresh playbin in the NULL state. GStreamer is initialised.
  GstPlayerEngine(GstElement* playbin, const GstEngineTuning& tuning);
  ~GstPlayerEngine() override;
  GstPlayerEngine(const GstPlayerEngine&) = delete;
  GstPlayerEngine& operator=(const GstPlayerEngine&) = delete;

  void SetUrl(const std::string& url) override;
  std::string url() override { return url_; }
  void Play() override;
  void Pause() override;
  void Stop() override;
  double position_s() override;
  void SetPosition(double position_s) override;
  int volume() override { return volume_; }
  void SetVolume(int volume) override;
  bool mute() override { return mute_; }
  void SetMute(bool mute) override;
  int play_count() override { return play_count_; }
  void SetPlayCount(int count) override { play_count_ = count < 1 ? 1 : count; }
  double duration_s() override;
  std::string ItemInfo(const std::string& attribute) override;
  int buffering_count() override;
  int buffering_progress() override;
  std::string status() override;
  PlayState playstate() override;

  // The audio sink the engine plays into: the system's sink as autoaudiosink finds it, or, with
  // no sound device, a fake sink that keeps real time. Called once by the constructor.
  static GstElement* MakeAudioSink(const GstEngineTuning& tuning);

 private:
  enum class Target { kIdle, kPlay, kPause };

  // Takes every pending bus message.
  void Drain();
  // Notices a start that stands still with its buffer full: starts it again, once, then fails it.
  void CatchUpWithPipeline();
  void Handle(GstMessage* message);
  void TakeTags(GstMessage* message);
  // Starts the loaded URL from its beginning.
  void Start();
  // Brings the pipeline to NULL and drops whatever the old stream still had to say.
  void Unload();
  bool Active() const;
  // What the pipeline answers now; 0 when it cannot tell.
  double QueryPosition();
  double QueryDuration();

  // They read only `tuning_`, which never changes after construction.
  static void OnSourceSetup(GstElement* playbin, GstElement* source, gpointer self);
  static void OnElementSetup(GstElement* playbin, GstElement* element, gpointer self);

  const GstEngineTuning tuning_;
  GstElement* playbin_;
  GstBus* bus_;
  std::string url_;
  PlayState state_ = PlayState::kUndefined;
  Target target_ = Target::kIdle;
  bool prerolling_ = false;            // started, not yet played a first time
  bool buffering_ = false;             // paused by us until the buffer is full again
  std::int64_t stalled_since_us_ = 0;  // when a full-buffer start was first seen waiting
  int restarts_left_ = 0;
  int volume_ = 100;
  bool mute_ = false;
  int play_count_ = 1;
  int plays_left_ = 0;
  int buffering_count_ = 0;
  int buffering_progress_ = 0;
  double ended_position_s_ = 0;
  double ended_duration_s_ = 0;
  std::string error_;
  std::string title_, artist_, copyright_, kind_;
  unsigned bitrate_ = 0;
};

}  // namespace media
