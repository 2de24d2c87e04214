#include "platform/image/qr_code.h"

#include <qrencode.h>

#include <algorithm>

namespace image {
namespace {

constexpr int kQuietZoneModules = 4;
constexpr std::uint32_t kDark = 0xFF000000u;
constexpr std::uint32_t kLight = 0xFFFFFFFFu;

}  // namespace

ui::Picture DrawQrCode(std::string_view text, int size_px) {
  if (text.empty())
    return {};
  QRcode* code =
      QRcode_encodeData(static_cast<int>(text.size()),
                        reinterpret_cast<const unsigned char*>(text.data()), 0, QR_ECLEVEL_M);
  if (code == nullptr)
    return {};
  const int modules = code->width;
  const int total = modules + 2 * kQuietZoneModules;
  const int scale = std::max(1, size_px / total);
  ui::Picture picture;
  picture.width = picture.height = std::max(size_px, total * scale);
  picture.pixels.assign(static_cast<std::size_t>(picture.width) * picture.height, kLight);
  const int origin = (picture.width - modules * scale) / 2;
  for (int my = 0; my < modules; ++my) {
    for (int mx = 0; mx < modules; ++mx) {
      // Bit 0 of each module byte tells whether the module is dark.
      if ((code->data[my * modules + mx] & 1) == 0)
        continue;
      for (int y = 0; y < scale; ++y) {
        std::uint32_t* row = picture.pixels.data() +
                             static_cast<std::size_t>(origin + my * scale + y) * picture.width;
        std::fill_n(row + origin + mx * scale, scale, kDark);
      }
    }
  }
  QRcode_free(code);
  return picture;
}

}  // namespace image
