#include "platform/image/picture_decoder.h"

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <png.h>

#include "platform/image/jpeg_error.h"

namespace image {
namespace {

bool WithinLimits(std::int64_t width, std::int64_t height, const PictureLimits& limits) {
  return width > 0 && height > 0 && width <= limits.max_side_px && height <= limits.max_side_px &&
         width * height <= limits.max_pixels;
}

bool StartsWith(std::string_view bytes, std::string_view signature) {
  return bytes.size() >= signature.size() && bytes.substr(0, signature.size()) == signature;
}

// PNG through libpng's simplified interface: libpng catches its own errors inside its C code, so
// no jump ever crosses a frame of ours. The header is read first and checked against the limits
// before the pixel memory is taken.
ui::Picture DecodePng(std::string_view bytes, const PictureLimits& limits) {
  // libpng stops reading after the image data; a file cut off in its end chunk would pass, so a
  // complete end chunk (empty, with its fixed checksum) is required, as JPEG requires its end
  // marker.
  static constexpr char kEndChunk[] = "\0\0\0\0IEND\xAE\x42\x60\x82";
  if (bytes.rfind(std::string_view(kEndChunk, sizeof kEndChunk - 1)) == std::string_view::npos) {
    return {};
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
    return {};
  if (!WithinLimits(png.width, png.height, limits)) {
    png_image_free(&png);
    return {};
  }
  // Bytes B, G, R, A in memory are the 32-bit value 0xAARRGGBB on a little-endian machine.
  png.format = std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  ui::Picture picture;
  picture.width = static_cast<int>(png.width);
  picture.height = static_cast<int>(png.height);
  picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
  // On failure the simplified interface has already released its state.
  if (!png_image_finish_read(&png, nullptr, picture.pixels.data(), 0, nullptr))
    return {};
  return picture;
}

// libjpeg reports errors through error_exit, which must not return: it jumps back to the
// setjmp of the phase that is running. The phases below are plain functions that hold no object
// with a destructor, so the jump skips only libjpeg's own C frames; the caller owns the buffers.
struct JpegDecoder {
  jpeg_decompress_struct cinfo;
  JpegErrorManager error;
  jpeg_progress_mgr progress;
  bool created;
};

// Progressive files can hold any number of scans, each a pass over the whole picture; a hostile
// file uses that to make decoding take minutes. Real files have a dozen at most.
constexpr int kMaxJpegScans = 500;

void LimitJpegScans(j_common_ptr cinfo) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (dinfo->is_decompressor && dinfo->input_scan_number > kMaxJpegScans) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
  }
}

// Phase 1: reads the header, checks the size and fixes the output format. False on any error.
bool StartJpeg(JpegDecoder* d, const unsigned char* data, unsigned long size,
               const PictureLimits* limits) {
  InstallJpegErrorManager(&d->error, &d->cinfo.err);
  if (setjmp(d->error.jump))
    return false;
  jpeg_create_decompress(&d->cinfo);
  d->created = true;
  d->progress.progress_monitor = LimitJpegScans;
  d->cinfo.progress = &d->progress;
  jpeg_mem_src(&d->cinfo, data, size);
  jpeg_read_header(&d->cinfo, TRUE);
  if (!WithinLimits(d->cinfo.image_width, d->cinfo.image_height, *limits))
    return false;
  bool cmyk = d->cinfo.jpeg_color_space == JCS_CMYK || d->cinfo.jpeg_color_space == JCS_YCCK;
  d->cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_calc_output_dimensions(&d->cinfo);
  return true;
}

std::uint32_t Opaque(unsigned r, unsigned g, unsigned b) {
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Phase 2: decodes every row through `row` (output_width * output_components bytes) into
// `pixels` (output_width * output_height entries). False on any error.
bool ReadJpegRows(JpegDecoder* d, unsigned char* row, std::uint32_t* pixels) {
  if (setjmp(d->error.jump))
    return false;
  jpeg_decompress_struct& cinfo = d->cinfo;
  jpeg_start_decompress(&cinfo);
  // Adobe writes CMYK inverted (0 is full ink), and nearly every CMYK JPEG comes from Adobe.
  bool inverted = cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    std::uint32_t* out =
        pixels + static_cast<std::size_t>(cinfo.output_scanline) * cinfo.output_width;
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(&cinfo, rows, 1) != 1)
      return false;
    for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
      const unsigned char* p = row + static_cast<std::size_t>(x) * cinfo.output_components;
      if (cinfo.out_color_space == JCS_CMYK) {
        unsigned c = p[0], m = p[1], y = p[2], k = p[3];
        if (!inverted) {
          c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        }
        out[x] = Opaque(c * k / 255, m * k / 255, y * k / 255);
      } else {
        out[x] = Opaque(p[0], p[1], p[2]);
      }
    }
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

ui::Picture DecodeJpeg(std::string_view bytes, const PictureLimits& limits) {
  JpegDecoder decoder;
  std::memset(&decoder, 0, sizeof decoder);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  ui::Picture picture;
  if (StartJpeg(&decoder, data, static_cast<unsigned long>(bytes.size()), &limits)) {
    const jpeg_decompress_struct& cinfo = decoder.cinfo;
    std::vector<unsigned char> row(static_cast<std::size_t>(cinfo.output_width) *
                                   cinfo.output_components);
    picture.width = static_cast<int>(cinfo.output_width);
    picture.height = static_cast<int>(cinfo.output_height);
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    if (!ReadJpegRows(&decoder, row.data(), picture.pixels.data()))
      picture = {};
  }
  if (decoder.created)
    jpeg_destroy_decompress(&decoder.cinfo);
  return picture;
}

}  // namespace

ui::Picture DecodePicture(std::string_view bytes, const PictureLimits& limits) {
  static constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
  static constexpr char kJpegSignature[] = "\xFF\xD8\xFF";
  if (StartsWith(bytes, std::string_view(kPngSignature, 8)))
    return DecodePng(bytes, limits);
  if (StartsWith(bytes, std::string_view(kJpegSignature, 3)))
    return DecodeJpeg(bytes, limits);
  return {};
}

}  // namespace image
