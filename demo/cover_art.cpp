#include "demo/cover_art.h"

#include <algorithm>
#include <cmath>

namespace demo {
namespace {

struct Colour {
  double r, g, b;
};

// A saturated colour on the hue circle (hue in turns, 0 to 1).
Colour Hue(double hue, double lightness) {
  auto channel = [&](double offset) {
    double x = std::fmod(hue + offset, 1.0) * 6.0;
    double v = std::clamp(std::abs(x - 3.0) - 1.0, 0.0, 1.0);
    return 255.0 * (0.25 + 0.75 * v) * lightness;
  };
  return {channel(0.0), channel(2.0 / 3.0), channel(1.0 / 3.0)};
}

Colour Blend(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint32_t Pack(Colour c) {
  auto byte = [](double v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0)); };
  return 0xFF000000u | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

}  // namespace

ui::Picture DrawCover(std::uint32_t seed, int size_px) {
  ui::Picture picture;
  if (size_px <= 0)
    return picture;
  picture.width = picture.height = size_px;
  picture.pixels.resize(static_cast<std::size_t>(size_px) * size_px);

  const double hue = (seed & 0xFFF) / 4096.0;
  const Colour from = Hue(hue, 1.0);
  const Colour to = Hue(hue + 0.25 + ((seed >> 12) & 0xFF) / 1024.0, 0.55);
  const Colour accent = Hue(hue + 0.5, 0.95);
  const double angle = ((seed >> 20) & 0xFF) / 256.0 * 6.283185307;
  const double dx = std::cos(angle), dy = std::sin(angle);
  const int pattern = static_cast<int>((seed >> 28) % 3);
  // The disc's centre and radius, in units of the picture's side.
  const double cx = 0.3 + ((seed >> 4) & 0xFF) / 640.0;
  const double cy = 0.3 + ((seed >> 14) & 0xFF) / 640.0;
  const double radius = 0.18 + ((seed >> 24) & 0xF) / 100.0;

  for (int y = 0; y < size_px; ++y) {
    for (int x = 0; x < size_px; ++x) {
      const double u = (x + 0.5) / size_px, v = (y + 0.5) / size_px;
      const double t = std::clamp(0.5 + ((u - 0.5) * dx + (v - 0.5) * dy), 0.0, 1.0);
      Colour c = Blend(from, to, t);
      const double distance = std::hypot(u - cx, v - cy);
      switch (pattern) {
        case 0:  // a record: rings around a label
          if (distance < radius) {
            c = Blend(c, accent,
                      distance < radius * 0.35 ? 0.9 : 0.35 * (std::sin(distance * 180) > 0));
          }
          break;
        case 1:  // stripes across the gradient, and a sun
          if (static_cast<int>((u + v) * 12) % 2 == 0)
            c = Blend(c, Colour{255, 255, 255}, 0.12);
          if (distance < radius)
            c = Blend(c, accent, 0.8);
          break;
        default:  // a soft glow
          c = Blend(c, accent, std::clamp(1.0 - distance / (radius * 2), 0.0, 1.0) * 0.85);
          break;
      }
      picture.pixels[static_cast<std::size_t>(y) * size_px + x] = Pack(c);
    }
  }
  return picture;
}

}  // namespace demo
