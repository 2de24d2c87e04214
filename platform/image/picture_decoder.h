// Turns downloaded bytes into a picture for the picture boxes (the album cover, the QR image).
// Recognises PNG and JPEG by their signatures. Anything else, and any truncated, corrupt or
// oversized file, gives an empty picture: a server's bytes never crash the program.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/picture.h"

namespace image {

// The largest picture the decoder accepts; a file that claims more is refused before any pixel
// memory is taken.
struct PictureLimits {
  int max_side_px = 8192;
  std::int64_t max_pixels = 16 * 1024 * 1024;
};

// Decodes a PNG or JPEG file. Empty picture for any other format and any failure. Safe to call
// from any thread; it keeps no state between calls.
ui::Picture DecodePicture(std::string_view bytes, const PictureLimits& limits = {});

}  // namespace image
