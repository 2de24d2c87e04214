#include "platform/media/gst_player_engine.h"

#include <gst/audio/audio.h>
#include <gst/audio/streamvolume.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/media/deferred_player_engine.h"

namespace media {
namespace {

// How long a start may stand still with a full buffer before it is made again.
constexpr std::int64_t kStallLimitUs = 1500000;

// playbin's GstPlayFlags: only the audio stream, with playbin's own volume element.
constexpr guint kPlayFlagAudio = 0x2;
constexpr guint kPlayFlagSoftVolume = 0x10;

bool HasProperty(gpointer object, const char* name) {
  return g_object_class_find_property(G_OBJECT_GET_CLASS(object), name) != nullptr;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// A sound card, or a sound server the user's session runs.
bool HasSoundDevice() {
  std::error_code error;
  const std::string user_run = "/run/user/" + std::to_string(getuid());
  return (std::filesystem::exists("/dev/snd", error) &&
          !std::filesystem::is_empty("/dev/snd", error)) ||
         std::filesystem::exists(user_run + "/pulse/native", error) ||
         std::filesystem::exists(user_run + "/pipewire-0", error);
}

// The factory name of the sink that autoaudiosink settles on; empty when it finds none.
std::string DetectSystemSink() {
  GstElement* probe = gst_element_factory_make("autoaudiosink", nullptr);
  if (!probe)
    return {};
  gst_object_ref_sink(probe);
  std::string name;
  if (gst_element_set_state(probe, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE) {
    GstIterator* children = gst_bin_iterate_elements(GST_BIN(probe));
    GValue item = G_VALUE_INIT;
    if (gst_iterator_next(children, &item) == GST_ITERATOR_OK) {
      auto* child = GST_ELEMENT(g_value_get_object(&item));
      if (GstElementFactory* factory = gst_element_get_factory(child))
        name = GST_OBJECT_NAME(factory);
      g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(children);
  }
  gst_element_set_state(probe, GST_STATE_NULL);
  gst_object_unref(probe);
  return name;
}

}  // namespace

GstElement* GstPlayerEngine::MakeAudioSink(const GstEngineTuning& tuning) {
  const std::string system_sink =
      tuning.skip_sink_probe_without_device && !HasSoundDevice() ? "" : DetectSystemSink();
  if (!system_sink.empty() && system_sink != "fakesink") {
    if (GstElement* sink = gst_element_factory_make(system_sink.c_str(), nullptr)) {
      if (tuning.sink_buffer_ms > 0 && tuning.sink_latency_ms > 0 &&
          HasProperty(sink, "buffer-time"))
        g_object_set(sink, "buffer-time", gint64{tuning.sink_buffer_ms} * 1000, "latency-time",
                     gint64{tuning.sink_latency_ms} * 1000, nullptr);
      return sink;
    }
  }
  GstElement* sink = gst_element_factory_make("fakesink", "audio-sink");
  if (sink)
    g_object_set(sink, "sync", TRUE, nullptr);
  return sink;
}

GstPlayerEngine::GstPlayerEngine(GstElement* playbin, const GstEngineTuning& tuning)
    : tuning_(tuning),
      playbin_(GST_ELEMENT(gst_object_ref_sink(playbin))),
      bus_(gst_element_get_bus(playbin_)) {
  g_object_set(playbin_, "flags", kPlayFlagAudio | kPlayFlagSoftVolume, nullptr);
  if (GstElement* sink = MakeAudioSink(tuning_))
    g_object_set(playbin_, "audio-sink", sink, nullptr);
  g_signal_connect(playbin_, "source-setup", G_CALLBACK(OnSourceSetup), this);
  g_signal_connect(playbin_, "element-setup", G_CALLBACK(OnElementSetup), this);
  SetVolume(volume_);
}

GstPlayerEngine::~GstPlayerEngine() {
  gst_element_set_state(playbin_, GST_STATE_NULL);
  gst_bus_set_flushing(bus_, TRUE);
  gst_object_unref(bus_);
  gst_object_unref(playbin_);
}

void GstPlayerEngine::OnSourceSetup(GstElement*, GstElement* source, gpointer self) {
  const GstEngineTuning& tuning = static_cast<GstPlayerEngine*>(self)->tuning_;
  if (tuning.source_timeout_s > 0 && HasProperty(source, "timeout"))
    g_object_set(source, "timeout", guint{tuning.source_timeout_s}, nullptr);
}

void GstPlayerEngine::OnElementSetup(GstElement*, GstElement* element, gpointer self) {
  const GstEngineTuning& tuning = static_cast<GstPlayerEngine*>(self)->tuning_;
  if (tuning.decoder_batch_ms > 0 && GST_IS_AUDIO_DECODER(element))
    g_object_set(element, "min-latency", gint64{tuning.decoder_batch_ms} * GST_MSECOND, nullptr);
}

bool GstPlayerEngine::Active() const {
  return target_ != Target::kIdle;
}

void GstPlayerEngine::Unload() {
  gst_element_set_state(playbin_, GST_STATE_NULL);
  // The streaming threads have stopped; whatever they posted belongs to the old stream.
  gst_bus_set_flushing(bus_, TRUE);
  gst_bus_set_flushing(bus_, FALSE);
  target_ = Target::kIdle;
  prerolling_ = false;
  buffering_ = false;
}

void GstPlayerEngine::Start() {
  Unload();
  error_.clear();
  title_.clear();
  artist_.clear();
  copyright_.clear();
  kind_.clear();
  bitrate_ = 0;
  buffering_count_ = 0;
  buffering_progress_ = 0;
  plays_left_ = play_count_ - 1;
  target_ = Target::kPlay;
  prerolling_ = true;
  state_ = PlayState::kTransitioning;
  if (gst_element_set_state(playbin_, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    Drain();  // takes the error that says why
    Unload();
    state_ = PlayState::kStopped;
  }
}

void GstPlayerEngine::SetUrl(const std::string& url) {
  url_ = url;
  if (url.empty()) {
    Unload();
    state_ = PlayState::kReady;
    return;
  }
  Unload();
  g_object_set(playbin_, "uri", url.c_str(), nullptr);
  restarts_left_ = 1;
  Start();
}

void GstPlayerEngine::CatchUpWithPipeline() {
  // Now and then (about one start in a few hundred here) playbin stays in PAUSED with PLAYING
  // pending and its buffer full, and nothing more comes: the radio would wait for ever. A start
  // still waiting like that after a while is made once more from the beginning; if that one
  // stands still too, the stream counts as failed, so that the next song follows.
  GstState current = GST_STATE_VOID_PENDING;
  GstState pending = GST_STATE_VOID_PENDING;
  const bool waiting =
      target_ == Target::kPlay && prerolling_ && !buffering_ && buffering_progress_ >= 100 &&
      gst_element_get_state(playbin_, &current, &pending, 0) == GST_STATE_CHANGE_ASYNC &&
      current == GST_STATE_PAUSED && pending == GST_STATE_PLAYING;
  if (!waiting) {
    stalled_since_us_ = 0;
    return;
  }
  const std::int64_t now = g_get_monotonic_time();
  if (stalled_since_us_ == 0) {
    stalled_since_us_ = now;
    return;
  }
  if (now - stalled_since_us_ < kStallLimitUs)
    return;
  stalled_since_us_ = 0;
  if (restarts_left_ > 0) {
    --restarts_left_;
    Start();
    return;
  }
  error_ = "the stream did not start";
  Unload();
  state_ = PlayState::kStopped;
}

void GstPlayerEngine::Drain() {
  while (GstMessage* message = gst_bus_pop(bus_)) {
    Handle(message);
    gst_message_unref(message);
  }
}

void GstPlayerEngine::Handle(GstMessage* message) {
  switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR: {
      GError* error = nullptr;
      gst_message_parse_error(message, &error, nullptr);
      error_ = error ? error->message : "error";
      g_clear_error(&error);
      Unload();
      state_ = PlayState::kStopped;
      break;
    }
    case GST_MESSAGE_EOS:
      if (plays_left_ > 0) {
        --plays_left_;
        gst_element_seek_simple(playbin_, GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, 0);
        break;
      }
      // playbin stays in PLAYING at the end; stop it, so that the connection closes. Until the
      // end has been reported, the position stays where the stream ended.
      ended_position_s_ = QueryPosition();
      ended_duration_s_ = QueryDuration();
      Unload();
      state_ = PlayState::kMediaEnded;
      break;
    case GST_MESSAGE_STATE_CHANGED: {
      if (GST_MESSAGE_SRC(message) != GST_OBJECT(playbin_) || !Active())
        break;
      GstState old_state, new_state, pending;
      gst_message_parse_state_changed(message, &old_state, &new_state, &pending);
      if (new_state == GST_STATE_PLAYING && target_ == Target::kPlay && !buffering_) {
        prerolling_ = false;
        state_ = PlayState::kPlaying;
      } else if (new_state == GST_STATE_PAUSED) {
        if (target_ == Target::kPause)
          state_ = PlayState::kPaused;
        else if (buffering_ && !prerolling_)
          state_ = PlayState::kBuffering;
        else if (pending == GST_STATE_PLAYING || prerolling_)
          state_ = PlayState::kTransitioning;
      }
      break;
    }
    case GST_MESSAGE_BUFFERING: {
      gint percent = 0;
      gst_message_parse_buffering(message, &percent);
      buffering_progress_ = percent;
      if (!Active())
        break;
      // playbin does not wait for data by itself: hold the pipeline until the buffer is full.
      if (percent < 100 && !buffering_) {
        buffering_ = true;
        ++buffering_count_;
        if (target_ == Target::kPlay) {
          gst_element_set_state(playbin_, GST_STATE_PAUSED);
          if (!prerolling_)
            state_ = PlayState::kBuffering;
        }
      } else if (percent >= 100 && buffering_) {
        buffering_ = false;
        if (target_ == Target::kPlay)
          gst_element_set_state(playbin_, GST_STATE_PLAYING);
      }
      break;
    }
    case GST_MESSAGE_CLOCK_LOST:
      if (target_ == Target::kPlay && !buffering_) {
        gst_element_set_state(playbin_, GST_STATE_PAUSED);
        gst_element_set_state(playbin_, GST_STATE_PLAYING);
      }
      break;
    case GST_MESSAGE_TAG:
      TakeTags(message);
      break;
    default:
      break;
  }
}

void GstPlayerEngine::TakeTags(GstMessage* message) {
  GstTagList* tags = nullptr;
  gst_message_parse_tag(message, &tags);
  if (!tags)
    return;
  auto take = [tags](const char* tag, std::string& into) {
    gchar* value = nullptr;
    if (gst_tag_list_get_string(tags, tag, &value) && value)
      into = value;
    g_free(value);
  };
  take(GST_TAG_TITLE, title_);
  take(GST_TAG_ARTIST, artist_);
  take(GST_TAG_COPYRIGHT, copyright_);
  take(GST_TAG_AUDIO_CODEC, kind_);
  guint bitrate = 0;
  if (gst_tag_list_get_uint(tags, GST_TAG_NOMINAL_BITRATE, &bitrate) && bitrate > 0)
    bitrate_ = bitrate;
  else if (gst_tag_list_get_uint(tags, GST_TAG_BITRATE, &bitrate) && bitrate > 0)
    bitrate_ = bitrate;
  gst_tag_list_unref(tags);
}

void GstPlayerEngine::Play() {
  Drain();
  if (url_.empty())
    return;
  if (!Active()) {
    Start();
    return;
  }
  target_ = Target::kPlay;
  if (buffering_) {
    state_ = PlayState::kBuffering;
    return;
  }
  GstStateChangeReturn result = gst_element_set_state(playbin_, GST_STATE_PLAYING);
  if (result == GST_STATE_CHANGE_SUCCESS && !prerolling_)
    state_ = PlayState::kPlaying;
  else if (result != GST_STATE_CHANGE_FAILURE)
    state_ = PlayState::kTransitioning;
}

void GstPlayerEngine::Pause() {
  Drain();
  if (!Active())
    return;
  target_ = Target::kPause;
  gst_element_set_state(playbin_, GST_STATE_PAUSED);
  state_ = PlayState::kPaused;
}

void GstPlayerEngine::Stop() {
  Drain();
  if (!Active())
    return;
  Unload();
  state_ = PlayState::kStopped;
}

double GstPlayerEngine::QueryPosition() {
  gint64 position_ns = 0;
  if (!Active() || !gst_element_query_position(playbin_, GST_FORMAT_TIME, &position_ns) ||
      position_ns < 0)
    return 0;
  return static_cast<double>(position_ns) / GST_SECOND;
}

double GstPlayerEngine::QueryDuration() {
  gint64 duration_ns = 0;
  if (!Active() || !gst_element_query_duration(playbin_, GST_FORMAT_TIME, &duration_ns) ||
      duration_ns <= 0)
    return 0;
  return static_cast<double>(duration_ns) / GST_SECOND;
}

double GstPlayerEngine::position_s() {
  Drain();
  return state_ == PlayState::kMediaEnded ? ended_position_s_ : QueryPosition();
}

void GstPlayerEngine::SetPosition(double position_s) {
  Drain();
  if (!Active() || !std::isfinite(position_s))
    return;
  const gint64 position_ns = static_cast<gint64>(std::max(0.0, position_s) * GST_SECOND);
  gst_element_seek_simple(playbin_, GST_FORMAT_TIME,
                          static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT),
                          position_ns);
}

void GstPlayerEngine::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, 100);
  gst_stream_volume_set_volume(GST_STREAM_VOLUME(playbin_), GST_STREAM_VOLUME_FORMAT_CUBIC,
                               volume_ / 100.0);
}

void GstPlayerEngine::SetMute(bool mute) {
  mute_ = mute;
  g_object_set(playbin_, "mute", mute ? TRUE : FALSE, nullptr);
}

double GstPlayerEngine::duration_s() {
  Drain();
  return state_ == PlayState::kMediaEnded ? ended_duration_s_ : QueryDuration();
}

std::string GstPlayerEngine::ItemInfo(const std::string& attribute) {
  Drain();
  const std::string name = Lower(attribute);
  if (name == "title")
    return title_;
  if (name == "author")
    return artist_;
  if (name == "copyright")
    return copyright_;
  if (name == "strtype")
    return kind_;
  if (name == "bitrate")
    return bitrate_ > 0 ? std::to_string(bitrate_) : std::string();
  return {};
}

int GstPlayerEngine::buffering_count() {
  Drain();
  return buffering_count_;
}

int GstPlayerEngine::buffering_progress() {
  Drain();
  return buffering_progress_;
}

std::string GstPlayerEngine::status() {
  Drain();
  switch (state_) {
    case PlayState::kUndefined:
      return "Undefined";
    case PlayState::kStopped:
      return error_.empty() ? "Stopped" : "Stopped: " + error_;
    case PlayState::kPaused:
      return "Paused";
    case PlayState::kPlaying:
      return "Playing";
    case PlayState::kBuffering:
      return "Buffering";
    case PlayState::kMediaEnded:
      return "Media ended";
    case PlayState::kTransitioning:
      return "Transitioning";
    case PlayState::kReady:
      return "Ready";
  }
  return {};
}

PlayState GstPlayerEngine::playstate() {
  Drain();
  CatchUpWithPipeline();
  const PlayState reported = state_;
  if (state_ == PlayState::kMediaEnded)
    state_ = PlayState::kStopped;
  return reported;
}

std::unique_ptr<PlayerEngine> CreateGstPlayerEngineNow(const GstEngineTuning& tuning) {
  if (!gst_init_check(nullptr, nullptr, nullptr))
    return nullptr;
  GstElement* playbin = gst_element_factory_make("playbin", "player");
  if (!playbin)
    return nullptr;
  return std::make_unique<GstPlayerEngine>(playbin, tuning);
}

std::unique_ptr<PlayerEngine> CreateGstPlayerEngine(const GstEngineTuning& tuning) {
  return std::make_unique<DeferredPlayerEngine>(
      [tuning] { return CreateGstPlayerEngineNow(tuning); });
}

std::unique_ptr<PlayerEngine> CreateGstPlayerEngine() {
  return CreateGstPlayerEngine(GstEngineTuning{});
}

}  // namespace media
