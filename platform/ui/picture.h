// A decoded picture as the picture boxes hold it: 32-bit pixels 0xAARRGGBB, row by row.
#pragma once

#include <cstdint>
#include <vector>

namespace ui {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height entries

  bool empty() const { return width <= 0 || height <= 0; }
  bool operator==(const Picture&) const = default;
};

}  // namespace ui
