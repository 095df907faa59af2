#pragma once

namespace trimwell {

// Window layouts are measured in twips, 1440 to the inch. At Qt's 96-dpi
// logical base a pixel is 15 twips; Qt scales logical pixels up on
// high-density screens by itself.
constexpr int Twips_Per_Pixel = 15;

// The one conversion from twips to logical pixels, rounded to nearest.
constexpr int Twips_To_Pixels(int twips) {
  const int half = Twips_Per_Pixel / 2;
  return twips >= 0 ? (twips + half) / Twips_Per_Pixel
                    : -((-twips + half) / Twips_Per_Pixel);
}

} // namespace trimwell
