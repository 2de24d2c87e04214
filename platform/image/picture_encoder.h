// Writes pictures as PNG or JPEG files: the demo station's covers and QR images, and test data.
#pragma once

#include <string>

#include "platform/ui/picture.h"

namespace image {

// A PNG file of the picture with its alpha channel. Empty for an empty picture or a failure.
std::string EncodePng(const ui::Picture& picture);

// A baseline JPEG file of the picture; alpha is dropped. `quality` is 1 to 100 (clamped).
// Empty for an empty picture or a failure.
std::string EncodeJpeg(const ui::Picture& picture, int quality);

}  // namespace image
