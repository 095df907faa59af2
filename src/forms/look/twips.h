#pragma once

#include <QRect>

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

// A place and size in twips, in pixels: each number rounded on its own, so
// controls of one width are of one width wherever they stand.
constexpr QRect Twips_Rect(int left, int top, int width, int height) {
  return QRect(Twips_To_Pixels(left), Twips_To_Pixels(top),
               Twips_To_Pixels(width), Twips_To_Pixels(height));
}

} // namespace trimwell
