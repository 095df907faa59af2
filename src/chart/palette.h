#pragma once

#include <cstdint>

namespace trimwell {

struct Rgb {
  std::uint8_t Red;
  std::uint8_t Green;
  std::uint8_t Blue;

  friend constexpr bool operator==(Rgb a, Rgb b) {
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
  }
  friend constexpr bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

// The classic 16-colour palette, 0 black to 15 bright white. A number
// outside 0..15 gives black, so a stray colour number can never fail a
// drawing.
Rgb Palette_Color(int number);

// Palette numbers the chart itself uses.
constexpr int Aerobatic_Limit_Color = 13; // light magenta
constexpr int Envelope_Color = 12;        // light red

} // namespace trimwell
