#include "chart/palette.h"

#include <array>

namespace trimwell {

namespace {

constexpr std::array<Rgb, 16> Palette = {{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

} // namespace

Rgb Palette_Color(int number) {
  if (number < 0 || number >= static_cast<int>(Palette.size())) {
    return Palette[0];
  }
  return Palette[static_cast<std::size_t>(number)];
}

} // namespace trimwell
