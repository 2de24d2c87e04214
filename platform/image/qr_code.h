// Draws a QR code locally, for when the QR service gives no usable image.
#pragma once

#include <string_view>

#include "platform/ui/picture.h"

namespace image {

// The QR code (error correction level M, byte mode, smallest version that holds the text) of
// `text`: dark modules opaque black on opaque white, with a quiet zone of four modules. The
// modules are whole pixels, scaled as large as fits in a size_px square; the rest is white margin
// around the code. A size_px too small for one pixel per module gives the smallest picture that
// holds the code. Empty for an empty text or one too long for a QR code.
ui::Picture DrawQrCode(std::string_view text, int size_px);

}  // namespace image
