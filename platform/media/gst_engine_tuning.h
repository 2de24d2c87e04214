// The knobs of the GStreamer engine that trade wake-ups against latency. The program uses the
// defaults (through CreateGstPlayerEngine); the playback benchmark builds engines with other values
// to show what each one gives.
#pragma once

#include <memory>

#include "platform/media/player_engine.h"

namespace media {

struct GstEngineTuning {
  // The decoder gathers this much audio into one buffer, so that the sink wakes a few times a
  // second instead of once per MP3 frame (26 ms); it is also the longest a volume change waits.
  // 0: one buffer per frame.
  int decoder_batch_ms = 200;
  // Ring buffer of a real sound device, whose thread wakes once per segment (latency); 0 keeps
  // the sink's own 200 ms and 10 ms.
  int sink_buffer_ms = 400;
  int sink_latency_ms = 100;
  // On a machine with no sound device (no /dev/snd, no PulseAudio or PipeWire socket) go straight
  // to the fake sink: autoaudiosink's probe would load every sound plugin and its libraries (some
  // 3 MiB of memory) only to fall back to it.
  bool skip_sink_probe_without_device = true;
  // A server that accepts and never answers gives up after this long (the source's own: 15 s).
  unsigned source_timeout_s = 5;
};

std::unique_ptr<PlayerEngine> CreateGstPlayerEngine(const GstEngineTuning& tuning);

}  // namespace media
