#include "platform/image/picture_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/image/picture_encoder.h"
#include "platform/image/test_pictures.h"

namespace image {
namespace {

using testing::GradientPicture;
using testing::PngClaimingSize;

std::string SmallPng() {
  return EncodePng(GradientPicture(12, 9, true));
}
std::string SmallJpeg() {
  return EncodeJpeg(GradientPicture(12, 9, false), 90);
}

// A JPEG whose frame header claims width x height; the scan data stays that of a small picture.
std::string JpegClaimingSize(int width, int height) {
  std::string file = SmallJpeg();
  std::size_t sof = file.find("\xFF\xC0");
  if (sof == std::string::npos)
    return {};
  // Marker, length (2), precision (1), then height and width, two bytes each, big-endian.
  file[sof + 5] = static_cast<char>(height >> 8);
  file[sof + 6] = static_cast<char>(height);
  file[sof + 7] = static_cast<char>(width >> 8);
  file[sof + 8] = static_cast<char>(width);
  return file;
}

// Files the decoder must refuse with an empty picture, without crashing and without taking the
// memory that a claimed size asks for.
TEST(PictureDecoderTest, RefusesBadFiles) {
  std::string png = SmallPng();
  std::string bad_crc = png;
  bad_crc[29] ^= 0x01;  // last byte of the IHDR CRC
  struct Case {
    const char* reason;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"GIF", "GIF89a\x01\x00\x01\x00\x80\x00\x00"},
      {"BMP", "BM\x3a\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00"},
      {"HTML error page", "<html><body>404 Not Found</body></html>"},
      {"PNG signature only", "\x89PNG\r\n\x1a\n"},
      {"JPEG start-of-image only", "\xFF\xD8\xFF"},
      {"PNG signature then garbage", "\x89PNG\r\n\x1a\n" + std::string(200, '\x5A')},
      {"JPEG signature then garbage", "\xFF\xD8\xFF" + std::string(200, '\x5A')},
      {"PNG with a broken header checksum", bad_crc},
      {"PNG claiming 100000 x 100000", PngClaimingSize(100000, 100000)},
      {"PNG claiming 8193 x 1", PngClaimingSize(8193, 1)},
      {"PNG claiming 4097 x 4096 (over the pixel cap)", PngClaimingSize(4097, 4096)},
      {"PNG claiming width 0", PngClaimingSize(0, 16)},
      {"PNG claiming 2^31 x 1", PngClaimingSize(0x80000000u, 1)},
      {"JPEG claiming 60000 x 60000", JpegClaimingSize(60000, 60000)},
      {"JPEG claiming 8193 x 8", JpegClaimingSize(8193, 8)},
      {"JPEG claiming 0 x 0", JpegClaimingSize(0, 0)},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(DecodePicture(c.bytes).empty()) << c.reason;
  }
}

// A download cut off anywhere, even inside the last chunk or the end marker, is a failed
// download, not a picture with a grey or missing bottom.
TEST(PictureDecoderTest, EveryTruncationIsRefused) {
  for (const std::string& file : {SmallPng(), SmallJpeg()}) {
    ASSERT_FALSE(DecodePicture(file).empty());
    for (std::size_t size = 0; size < file.size(); ++size) {
      EXPECT_TRUE(DecodePicture(std::string_view(file).substr(0, size)).empty())
          << (file[1] == 'P' ? "PNG" : "JPEG") << " cut to " << size << " of " << file.size();
    }
  }
}

// Damage at any single byte either fails cleanly or decodes to a picture of consistent size;
// run under AddressSanitizer this catches reads and writes outside the buffers.
TEST(PictureDecoderTest, SurvivesDamageAtEveryByte) {
  for (const std::string& file : {SmallPng(), SmallJpeg()}) {
    for (std::size_t i = 0; i < file.size(); ++i) {
      for (unsigned char mask : {0x01, 0x80, 0xFF}) {
        std::string damaged = file;
        damaged[i] = static_cast<char>(damaged[i] ^ mask);
        ui::Picture picture = DecodePicture(damaged);
        if (picture.empty())
          continue;
        EXPECT_LE(picture.width, 8192);
        EXPECT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.width) * picture.height);
      }
    }
  }
}

// The limits apply to real pictures of both formats: a picture one pixel over a limit is refused,
// one exactly at it decodes.
TEST(PictureDecoderTest, LimitsBoundTheSize) {
  struct Case {
    const char* reason;
    PictureLimits limits;
    bool decodes;
  };
  const Case cases[] = {
      {"default limits", {}, true},
      {"side exactly the width", {64, 64 * 48}, true},
      {"side one below the width", {63, 1 << 20}, false},
      {"pixels one below the count", {1000, 64 * 48 - 1}, false},
  };
  ui::Picture picture = GradientPicture(64, 48, false);
  for (const std::string& file : {EncodePng(picture), EncodeJpeg(picture, 90)}) {
    for (const Case& c : cases) {
      ui::Picture decoded = DecodePicture(file, c.limits);
      EXPECT_EQ(!decoded.empty(), c.decodes) << c.reason << (file[1] == 'P' ? " PNG" : " JPEG");
      if (c.decodes) {
        EXPECT_EQ(decoded.width, 64);
      }
    }
  }
}

// The format is told by the signature, not by what a server or a file name says.
TEST(PictureDecoderTest, SniffsTheFormat) {
  ui::Picture picture = GradientPicture(8, 8, false);
  EXPECT_EQ(DecodePicture(EncodePng(picture)), picture);
  EXPECT_EQ(DecodePicture(EncodeJpeg(picture, 90)).width, 8);
  // Bytes before the signature (a BOM, a blank line) are not a picture.
  EXPECT_TRUE(DecodePicture("\n" + EncodePng(picture)).empty());
}

}  // namespace
}  // namespace image
