// The demo station's album covers and channel pictures: drawn from a seed, a gradient with shapes
// on it, different for every seed.
#pragma once

#include <cstdint>

#include "platform/ui/picture.h"

namespace demo {

// An opaque size_px x size_px picture; the same seed always gives the same picture.
ui::Picture DrawCover(std::uint32_t seed, int size_px);

}  // namespace demo
