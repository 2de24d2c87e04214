// The demo station's songs: short synthesized tunes, a melody over a bass line, different for
// every seed, written as WAV files (PCM, 16-bit, mono).
#pragma once

#include <cstdint>
#include <string>

namespace demo {

constexpr int kTuneSampleRate = 22050;

// A WAV file of exactly length_ms milliseconds (rounded to whole samples) at `sample_rate`.
// The same seed always gives the same tune. Takes some tens of milliseconds for a 40 s song.
std::string SynthesizeTune(std::uint32_t seed, int length_ms, int sample_rate = kTuneSampleRate);

}  // namespace demo
