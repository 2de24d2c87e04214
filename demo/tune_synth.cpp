#include "demo/tune_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace demo {
namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += static_cast<char>(value >> (8 * i));
}

std::string WavHeader(std::uint32_t samples, int sample_rate) {
  const std::uint32_t data_bytes = samples * 2;
  std::string header = "RIFF";
  PutLittleEndian(header, 36 + data_bytes, 4);
  header += "WAVEfmt ";
  PutLittleEndian(header, 16, 4);  // size of the format chunk
  PutLittleEndian(header, 1, 2);   // PCM
  PutLittleEndian(header, 1, 2);   // mono
  PutLittleEndian(header, static_cast<std::uint32_t>(sample_rate), 4);
  PutLittleEndian(header, static_cast<std::uint32_t>(sample_rate) * 2, 4);  // bytes per second
  PutLittleEndian(header, 2, 2);                                            // bytes per frame
  PutLittleEndian(header, 16, 2);                                           // bits per sample
  header += "data";
  PutLittleEndian(header, data_bytes, 4);
  return header;
}

// A small deterministic generator, so that a song sounds the same on every run.
struct Random {
  std::uint32_t state;
  std::uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
};

double Frequency(int semitones_from_a4) {
  return 440.0 * std::pow(2.0, semitones_from_a4 / 12.0);
}

// Adds one plucked note: a tone with two overtones under a fast attack and an exponential decay.
void AddNote(std::vector<float>& mix, int sample_rate, std::size_t start, std::size_t length,
             double frequency, float loudness) {
  const double step = 2 * std::numbers::pi * frequency / sample_rate;
  const std::size_t attack = static_cast<std::size_t>(sample_rate / 100);
  const double decay = 3.0 / static_cast<double>(length);
  const std::size_t end = std::min(mix.size(), start + length);
  for (std::size_t i = start; i < end; ++i) {
    const std::size_t t = i - start;
    double envelope = std::exp(-decay * static_cast<double>(t));
    if (t < attack)
      envelope *= static_cast<double>(t) / static_cast<double>(attack);
    const double phase = step * static_cast<double>(t);
    const double tone = std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
    mix[i] += static_cast<float>(loudness * envelope * tone);
  }
}

}  // namespace

std::string SynthesizeTune(std::uint32_t seed, int length_ms, int sample_rate) {
  const std::size_t samples = static_cast<std::size_t>(std::max(0, length_ms)) *
                              static_cast<std::size_t>(sample_rate) / 1000;
  std::vector<float> mix(samples, 0.0f);
  Random random{seed ^ 0x9E3779B9u};

  // A major pentatonic scale on a root between F3 and E4, at 84 to 140 beats a minute.
  static constexpr int kScale[] = {0, 2, 4, 7, 9, 12, 14, 16};
  const int root = -16 + random.Below(12);
  const std::size_t beat = static_cast<std::size_t>(sample_rate * 60 / (84 + random.Below(57)));
  const std::size_t eighth = beat / 2;

  // An eight-note motif, played twice, then varied: each repeat moves some of its notes.
  int motif[8];
  for (int& step : motif)
    step = random.Below(8);
  for (std::size_t bar = 0; bar * 8 * eighth < samples; ++bar) {
    if (bar % 2 == 1)
      motif[random.Below(8)] = random.Below(8);
    for (std::size_t n = 0; n < 8; ++n) {
      const std::size_t start = (bar * 8 + n) * eighth;
      if (start >= samples)
        break;
      // A rest now and then keeps the tune from ticking like a clock.
      if (n % 4 == 3 && random.Below(3) == 0)
        continue;
      AddNote(mix, sample_rate, start, eighth * 2, Frequency(root + kScale[motif[n]]), 0.28f);
    }
    // The bass: root and fifth, an octave below, one note a beat.
    for (std::size_t b = 0; b < 4; ++b) {
      const std::size_t start = (bar * 4 + b) * beat;
      if (start >= samples)
        break;
      AddNote(mix, sample_rate, start, beat, Frequency(root - 12 + (b % 2 == 0 ? 0 : 7)), 0.22f);
    }
  }

  std::string wav = WavHeader(static_cast<std::uint32_t>(samples), sample_rate);
  wav.reserve(wav.size() + samples * 2);
  // Short fades at both ends, so the song neither starts nor stops with a click.
  const std::size_t fade = std::min<std::size_t>(samples / 2, sample_rate / 50);
  for (std::size_t i = 0; i < samples; ++i) {
    float value = mix[i];
    if (i < fade)
      value *= static_cast<float>(i) / static_cast<float>(fade);
    if (samples - i <= fade)
      value *= static_cast<float>(samples - i - 1) / static_cast<float>(fade);
    const int pcm = static_cast<int>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
    PutLittleEndian(wav, static_cast<std::uint16_t>(static_cast<std::int16_t>(pcm)), 2);
  }
  return wav;
}

}  // namespace demo
