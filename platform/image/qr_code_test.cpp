#include "platform/image/qr_code.h"

#include <gtest/gtest.h>
#include <qrencode.h>

#include <string>

namespace image {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

struct Box {
  int left, top, right, bottom;  // inclusive
};

Box DarkBounds(const ui::Picture& picture) {
  Box box{picture.width, picture.height, -1, -1};
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.pixels[y * picture.width + x] != kBlack)
        continue;
      box.left = std::min(box.left, x), box.right = std::max(box.right, x);
      box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

// The picture is read back like a scanner would: the code's square is found from its dark
// pixels, every module is sampled at its centre and compared with the modules that libqrencode
// gives for the same text; the quiet zone must be at least four modules of white.
TEST(QrCodeTest, DrawsTheCodeOfTheText) {
  const std::string long_text(400, 'x');
  static constexpr char kBinary[] = "GBK \xB6\xB9\xB0\xEA and a NUL \0 byte";
  struct Case {
    std::string text;
    int size_px;
  };
  const Case cases[] = {
      {"http://127.0.0.1:8080/channel/1?start=1234g5678", 200},
      {"http://127.0.0.1:8080/channel/-10?start=7", 150},
      {long_text, 300},
      {std::string(kBinary, sizeof kBinary - 1), 120},
      {"tiny", 10},  // smaller than the code: one pixel per module
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    ui::Picture picture = DrawQrCode(c.text, c.size_px);
    QRcode* code =
        QRcode_encodeData(static_cast<int>(c.text.size()),
                          reinterpret_cast<const unsigned char*>(c.text.data()), 0, QR_ECLEVEL_M);
    ASSERT_NE(code, nullptr);
    const int modules = code->width;
    ASSERT_EQ(picture.width, picture.height);
    EXPECT_EQ(picture.width, std::max(c.size_px, modules + 8));
    for (std::uint32_t pixel : picture.pixels)
      ASSERT_TRUE(pixel == kBlack || pixel == kWhite);

    // The finder patterns put dark modules in three corners, so the bounds are the code's square.
    Box box = DarkBounds(picture);
    const int side = box.right - box.left + 1;
    ASSERT_EQ(side, box.bottom - box.top + 1);
    ASSERT_EQ(side % modules, 0);
    const int scale = side / modules;
    EXPECT_GE(scale, std::max(1, c.size_px / (modules + 8)));
    EXPECT_GE(box.left, 4 * scale);
    EXPECT_GE(box.top, 4 * scale);
    EXPECT_GE(picture.width - 1 - box.right, 4 * scale);
    EXPECT_GE(picture.height - 1 - box.bottom, 4 * scale);
    int wrong = 0;
    for (int my = 0; my < modules; ++my) {
      for (int mx = 0; mx < modules; ++mx) {
        int x = box.left + mx * scale + scale / 2;
        int y = box.top + my * scale + scale / 2;
        bool dark = picture.pixels[y * picture.width + x] == kBlack;
        wrong += dark != ((code->data[my * modules + mx] & 1) != 0);
      }
    }
    EXPECT_EQ(wrong, 0);
    QRcode_free(code);
  }
}

// Nothing to encode, or more than a QR code holds, gives an empty picture.
TEST(QrCodeTest, RefusesTextsItCannotEncode) {
  EXPECT_TRUE(DrawQrCode("", 200).empty());
  EXPECT_TRUE(DrawQrCode(std::string(5000, 'a'), 200).empty());
}

}  // namespace
}  // namespace image
