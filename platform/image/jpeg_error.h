// libjpeg's error handling as the decoder and the encoder share it: every error, and the warning
// that the data ended early, jumps back to the setjmp of the phase that is running. Internal to
// platform/image.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace image {

struct JpegErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

// Points `*err` (the err field of a libjpeg object) at `error`, set up to jump instead of exiting
// and to print nothing. Call before jpeg_create_*; the caller still has to setjmp(error->jump).
void InstallJpegErrorManager(JpegErrorManager* error, jpeg_error_mgr** err);

}  // namespace image
