#include "platform/image/jpeg_error.h"

#include <jerror.h>

namespace image {
namespace {

void JumpOnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
}

// libjpeg goes on after a file that ends early, filling the rest with grey; a cut-off download
// is a failed download, so that warning counts as an error. Other warnings (stray bytes between
// markers, which many cameras write) are ignored, and nothing is printed.
void JumpOnTruncation(j_common_ptr cinfo, int msg_level) {
  if (msg_level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
    JumpOnError(cinfo);
}

}  // namespace

void InstallJpegErrorManager(JpegErrorManager* error, jpeg_error_mgr** err) {
  *err = jpeg_std_error(&error->manager);
  error->manager.error_exit = JumpOnError;
  error->manager.emit_message = JumpOnTruncation;
}

}  // namespace image
