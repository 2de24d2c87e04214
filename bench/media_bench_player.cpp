// One player process measured by media_bench: the App as the program builds it, on the Qt loop
// with its timers, a song started as a radio song starts, and the radio monitor following it. It
// links nothing the program does not (the loopback server lives in media_bench), so its memory
// is the program's.
//
// Usage: media_bench_player URL VARIANT   (an empty URL plays nothing: the App and its loop alone)
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/media/gst_engine_tuning.h"
#include "platform/qt/qt_program.h"
#include "playback/start_stream.h"
#include "shell/app.h"

namespace {

// The program's tuning, or knobs put back to GStreamer's defaults.
media::GstEngineTuning Variant(const std::string& name) {
  media::GstEngineTuning tuning;
  if (name == "tovasel, decoder batch 0") {
    tuning.decoder_batch_ms = 0;
  } else if (name == "tovasel, untuned playbin") {
    tuning.decoder_batch_ms = 0;
    tuning.sink_buffer_ms = 0;
    tuning.sink_latency_ms = 0;
    tuning.skip_sink_probe_without_device = false;
  } else if (name == "tovasel, sink probe") {
    tuning.skip_sink_probe_without_device = false;
  }
  return tuning;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3)
    return 2;
  const std::string url = argv[1];
  const media::GstEngineTuning tuning = Variant(argv[2]);
  qt::QtProgram program;
  App app(program.loop(), program.desktop(),
          {"http://127.0.0.1:9", "http://127.0.0.1:9", "http://127.0.0.1:9"},
          std::filesystem::temp_directory_path(),
          [&tuning] { return media::CreateGstPlayerEngine(tuning); });
  if (!url.empty()) {
    StartStream(app, url);
    app.form.times.SetPeriod(500);
  }
  return program.Run();
}
