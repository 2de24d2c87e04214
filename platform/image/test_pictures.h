// Pictures and hand-built files shared by the image tests.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>

#include "platform/ui/picture.h"

namespace image::testing {

// A smooth picture whose every pixel differs from its neighbours, with varying alpha when asked.
inline ui::Picture GradientPicture(int width, int height, bool with_alpha) {
  ui::Picture picture{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t a = with_alpha ? 0x40u + (x * 0xBFu) / (width > 1 ? width - 1 : 1) : 0xFFu;
      std::uint32_t r = (x * 255u) / (width > 1 ? width - 1 : 1);
      std::uint32_t g = (y * 255u) / (height > 1 ? height - 1 : 1);
      std::uint32_t b = 128;
      picture.pixels.push_back(a << 24 | r << 16 | g << 8 | b);
    }
  }
  return picture;
}

inline std::string BigEndian32(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

// One PNG chunk with its length and a correct CRC.
inline std::string PngChunk(const std::string& type, const std::string& data) {
  std::string body = type + data;
  auto crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
  return BigEndian32(static_cast<std::uint32_t>(data.size())) + body +
         BigEndian32(static_cast<std::uint32_t>(crc));
}

// A well-formed PNG file whose header claims width x height RGBA pixels, followed by a few bytes
// of real compressed data: only the size is a lie.
inline std::string PngClaimingSize(std::uint32_t width, std::uint32_t height) {
  std::string ihdr =
      BigEndian32(width) + BigEndian32(height) + std::string("\x08\x06\x00\x00\x00", 5);
  std::string raw(64, '\0');
  std::string packed(compressBound(static_cast<uLong>(raw.size())), '\0');
  uLongf packed_size = static_cast<uLongf>(packed.size());
  compress(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
           reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
  packed.resize(packed_size);
  return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) + PngChunk("IDAT", packed) +
         PngChunk("IEND", "");
}

}  // namespace image::testing
