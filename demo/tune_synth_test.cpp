#include "demo/tune_synth.h"

#include <gtest/gtest.h>

#include <cstring>

namespace demo {
namespace {

std::uint32_t Le(const std::string& wav, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(wav[at + i]);
  return v;
}

std::vector<std::int16_t> Samples(const std::string& wav) {
  std::vector<std::int16_t> samples((wav.size() - 44) / 2);
  std::memcpy(samples.data(), wav.data() + 44, samples.size() * 2);
  return samples;
}

// The file is a canonical PCM WAV of exactly the asked length, as a player needs to read its
// duration from the header.
TEST(TuneSynthTest, WritesPcmWavOfTheAskedLength) {
  for (int length_ms : {0, 1, 2000, 2500, 40000}) {
    SCOPED_TRACE(length_ms);
    std::string wav = SynthesizeTune(7, length_ms);
    const std::uint32_t samples = static_cast<std::uint32_t>(length_ms) * 22050u / 1000u;
    ASSERT_EQ(wav.size(), 44u + 2u * samples);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(Le(wav, 4, 4), wav.size() - 8);
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Le(wav, 16, 4), 16u);
    EXPECT_EQ(Le(wav, 20, 2), 1u);      // PCM
    EXPECT_EQ(Le(wav, 22, 2), 1u);      // mono
    EXPECT_EQ(Le(wav, 24, 4), 22050u);  // sample rate
    EXPECT_EQ(Le(wav, 28, 4), 44100u);  // bytes per second
    EXPECT_EQ(Le(wav, 32, 2), 2u);
    EXPECT_EQ(Le(wav, 34, 2), 16u);
    EXPECT_EQ(wav.substr(36, 4), "data");
    EXPECT_EQ(Le(wav, 40, 4), 2u * samples);
  }
}

// A tune is audible, stays below full scale (no clipping), starts and ends near silence (no
// click), is the same for the same seed and differs between seeds.
TEST(TuneSynthTest, TunesAreAudibleRepeatableAndDistinct) {
  std::vector<std::int16_t> a = Samples(SynthesizeTune(1, 3000));
  int peak = 0;
  for (std::int16_t s : a)
    peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_GT(peak, 4000);
  EXPECT_LT(peak, 32767);
  EXPECT_LT(std::abs(a.front()), 200);
  EXPECT_LT(std::abs(a.back()), 200);
  EXPECT_EQ(SynthesizeTune(1, 3000), SynthesizeTune(1, 3000));
  for (std::uint32_t seed : {2u, 3u, 0xFFFFFFFFu}) {
    std::vector<std::int16_t> b = Samples(SynthesizeTune(seed, 3000));
    std::size_t differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
      differing += std::abs(a[i] - b[i]) > 500;
    EXPECT_GT(differing, a.size() / 4) << seed;
  }
}

}  // namespace
}  // namespace demo
