#include "platform/image/picture_encoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/image/picture_decoder.h"
#include "platform/image/test_pictures.h"

namespace image {
namespace {

using testing::GradientPicture;

int MaxChannelDifference(std::uint32_t a, std::uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    worst = std::max(worst, d);
  }
  return worst;
}

// PNG keeps every pixel and its alpha exactly, and the byte order of 0xAARRGGBB survives the trip;
// odd sizes catch row-stride mistakes.
TEST(PictureEncoderTest, PngRoundTripIsExact) {
  for (auto [width, height] : {std::pair{1, 1}, {17, 5}, {240, 240}, {3, 101}}) {
    ui::Picture picture = GradientPicture(width, height, true);
    std::string file = EncodePng(picture);
    ASSERT_FALSE(file.empty()) << width << "x" << height;
    EXPECT_EQ(DecodePicture(file), picture) << width << "x" << height;
  }
}

// JPEG is lossy: a smooth picture comes back close in colour, opaque, with its channels in place
// (a red/blue swap would differ by far more than the tolerance).
TEST(PictureEncoderTest, JpegRoundTripIsClose) {
  for (auto [width, height] : {std::pair{16, 16}, {240, 240}, {37, 9}}) {
    ui::Picture picture = GradientPicture(width, height, true);
    ui::Picture decoded = DecodePicture(EncodeJpeg(picture, 95));
    ASSERT_EQ(decoded.width, width);
    ASSERT_EQ(decoded.height, height);
    int worst = 0;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
      EXPECT_EQ(decoded.pixels[i] >> 24, 0xFFu);
      worst = std::max(worst, MaxChannelDifference(decoded.pixels[i], picture.pixels[i]));
    }
    EXPECT_LE(worst, 12) << width << "x" << height;
  }
}

// Qualities outside 1..100 are clamped, never handed to libjpeg as they stand.
TEST(PictureEncoderTest, JpegQualityIsClamped) {
  ui::Picture picture = GradientPicture(32, 32, false);
  for (int quality : {-5, 0, 1, 100, 1000}) {
    EXPECT_EQ(DecodePicture(EncodeJpeg(picture, quality)).width, 32) << quality;
  }
}

// An empty picture, or one whose pixel count does not match its size, writes nothing.
TEST(PictureEncoderTest, MalformedPicturesGiveEmptyFiles) {
  const ui::Picture cases[] = {
      {},
      {0, 10, {}},
      {4, 4, std::vector<std::uint32_t>(15)},
      {4, 4, std::vector<std::uint32_t>(17)},
      {-1, -1, std::vector<std::uint32_t>(1)},
  };
  for (const ui::Picture& picture : cases) {
    EXPECT_EQ(EncodePng(picture), "") << picture.width << "x" << picture.height;
    EXPECT_EQ(EncodeJpeg(picture, 80), "") << picture.width << "x" << picture.height;
  }
}

}  // namespace
}  // namespace image
