#include "platform/media/test_songs.h"

#include <gst/gst.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace media {
namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

}  // namespace

std::string MakeWavSong(double seconds) {
  const auto frames = static_cast<std::uint32_t>(seconds * kRate);
  const std::uint32_t data_bytes = frames * kChannels * 2;
  std::string wav = "RIFF";
  PutLe(wav, 36 + data_bytes, 4);
  wav += "WAVEfmt ";
  PutLe(wav, 16, 4);
  PutLe(wav, 1, 2);  // PCM
  PutLe(wav, kChannels, 2);
  PutLe(wav, kRate, 4);
  PutLe(wav, kRate * kChannels * 2, 4);
  PutLe(wav, kChannels * 2, 2);
  PutLe(wav, 16, 2);
  wav += "data";
  PutLe(wav, data_bytes, 4);
  wav.reserve(wav.size() + data_bytes);
  for (std::uint32_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const auto sample = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440 * t));
    for (int c = 0; c < kChannels; ++c)
      PutLe(wav, static_cast<std::uint16_t>(sample), 2);
  }
  return wav;
}

std::string MakeMp3Song(double seconds, int kbps, const std::string& title,
                        const std::string& artist) {
  if (!gst_init_check(nullptr, nullptr, nullptr))
    return {};
  std::string pattern = (std::filesystem::temp_directory_path() / "tovasel-song-XXXXXX").string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0)
    return {};
  close(fd);
  // 441 samples a buffer: 100 buffers a second.
  const long buffers = std::lround(seconds * 100);
  const std::string description =
      "audiotestsrc num-buffers=" + std::to_string(buffers) +
      " samplesperbuffer=441 wave=sine freq=440 volume=0.3 ! audio/x-raw,rate=44100,channels=2 ! "
      "lamemp3enc target=bitrate cbr=true bitrate=" +
      std::to_string(kbps) + " ! id3v2mux name=mux ! filesink location=" + pattern;
  GError* error = nullptr;
  GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
  if (!pipeline || error) {
    g_clear_error(&error);
    if (pipeline)
      gst_object_unref(pipeline);
    std::remove(pattern.c_str());
    return {};
  }
  if (GstElement* mux = gst_bin_get_by_name(GST_BIN(pipeline), "mux")) {
    if (!title.empty())
      gst_tag_setter_add_tags(GST_TAG_SETTER(mux), GST_TAG_MERGE_REPLACE, GST_TAG_TITLE,
                              title.c_str(), nullptr);
    if (!artist.empty())
      gst_tag_setter_add_tags(GST_TAG_SETTER(mux), GST_TAG_MERGE_REPLACE, GST_TAG_ARTIST,
                              artist.c_str(), nullptr);
    gst_object_unref(mux);
  }
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* done = gst_bus_timed_pop_filtered(
      bus, 60 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  const bool ok = done && GST_MESSAGE_TYPE(done) == GST_MESSAGE_EOS;
  if (done)
    gst_message_unref(done);
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);

  std::string mp3;
  if (ok) {
    std::ifstream in(pattern, std::ios::binary);
    mp3.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::remove(pattern.c_str());
  return mp3;
}

}  // namespace media
