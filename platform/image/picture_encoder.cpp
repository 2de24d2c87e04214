#include "platform/image/picture_encoder.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <png.h>

#include "platform/image/jpeg_error.h"

namespace image {
namespace {

bool IsWellFormed(const ui::Picture& picture) {
  return !picture.empty() &&
         picture.pixels.size() == static_cast<std::size_t>(picture.width) * picture.height;
}

struct JpegEncoder {
  jpeg_compress_struct cinfo;
  JpegErrorManager error;
  unsigned char* out;  // malloc'd by libjpeg's memory destination
  unsigned long out_size;
  bool created;
};

// Writes the whole file, one row at a time through `row` (width * 3 bytes). Holds no object with
// a destructor: libjpeg leaves it by longjmp on an error. False on any error.
bool WriteJpeg(JpegEncoder* e, const ui::Picture* picture, unsigned char* row, int quality) {
  InstallJpegErrorManager(&e->error, &e->cinfo.err);
  if (setjmp(e->error.jump))
    return false;
  jpeg_create_compress(&e->cinfo);
  e->created = true;
  jpeg_mem_dest(&e->cinfo, &e->out, &e->out_size);
  e->cinfo.image_width = static_cast<JDIMENSION>(picture->width);
  e->cinfo.image_height = static_cast<JDIMENSION>(picture->height);
  e->cinfo.input_components = 3;
  e->cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&e->cinfo);
  jpeg_set_quality(&e->cinfo, quality, TRUE);
  jpeg_start_compress(&e->cinfo, TRUE);
  while (e->cinfo.next_scanline < e->cinfo.image_height) {
    const std::uint32_t* in =
        picture->pixels.data() + static_cast<std::size_t>(e->cinfo.next_scanline) * picture->width;
    for (int x = 0; x < picture->width; ++x) {
      row[3 * x] = static_cast<unsigned char>(in[x] >> 16);
      row[3 * x + 1] = static_cast<unsigned char>(in[x] >> 8);
      row[3 * x + 2] = static_cast<unsigned char>(in[x]);
    }
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&e->cinfo, rows, 1);
  }
  jpeg_finish_compress(&e->cinfo);
  return true;
}

}  // namespace

std::string EncodePng(const ui::Picture& picture) {
  if (!IsWellFormed(picture))
    return {};
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(picture.width);
  png.height = static_cast<png_uint_32>(picture.height);
  png.format = std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  // The first call only measures; libpng's simplified interface catches its own errors.
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, picture.pixels.data(), 0, nullptr)) {
    return {};
  }
  std::string file(size, '\0');
  if (!png_image_write_to_memory(&png, file.data(), &size, 0, picture.pixels.data(), 0, nullptr)) {
    return {};
  }
  file.resize(size);
  return file;
}

std::string EncodeJpeg(const ui::Picture& picture, int quality) {
  if (!IsWellFormed(picture))
    return {};
  JpegEncoder encoder;
  std::memset(&encoder, 0, sizeof encoder);
  std::vector<unsigned char> row(static_cast<std::size_t>(picture.width) * 3);
  std::string file;
  if (WriteJpeg(&encoder, &picture, row.data(), std::clamp(quality, 1, 100))) {
    file.assign(reinterpret_cast<const char*>(encoder.out), encoder.out_size);
  }
  if (encoder.created)
    jpeg_destroy_compress(&encoder.cinfo);
  std::free(encoder.out);
  return file;
}

}  // namespace image
