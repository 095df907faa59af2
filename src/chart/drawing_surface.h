#pragma once

#include "chart/palette.h"

namespace trimwell {

// What the loading-path chart needs of a place to draw on.
class Drawing_Surface {
public:
  virtual ~Drawing_Surface() = default;

  // Fills the whole drawing area with the background; earlier drawing is gone.
  virtual void Clear() = 0;

  // User coordinates of the drawing area's top-left (Left, Top) and
  // bottom-right (Right, Bottom) corners. A Bottom below Top makes y grow
  // upwards.
  virtual void Set_Scale(double Left, double Top, double Right,
                         double Bottom) = 0;

  // A solid line in the colour, cut off at the drawing area's edge; the pen
  // ends at (X2, Y2).
  virtual void Draw_Line(float X1, float Y1, float X2, float Y2, Rgb color) = 0;

  // The same from the pen's position.
  virtual void Draw_Line_To(float X2, float Y2, Rgb color) = 0;
};

} // namespace trimwell
