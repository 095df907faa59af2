#include "chart/recording_surface.h"

namespace trimwell {

void Recording_Surface::Clear() {
  ++clear_count_;
  has_scale_ = false;
  count_ = 0;
}

void Recording_Surface::Set_Scale(double Left, double Top, double Right,
                                  double Bottom) {
  scale_ = {Left, Top, Right, Bottom};
  has_scale_ = true;
}

void Recording_Surface::Draw_Line(float X1, float Y1, float X2, float Y2,
                                  Rgb color) {
  Add({X1, Y1, X2, Y2, color, false});
}

void Recording_Surface::Draw_Line_To(float X2, float Y2, Rgb color) {
  Add({pen_x_, pen_y_, X2, Y2, color, true});
}

void Recording_Surface::Add(Segment segment) {
  pen_x_ = segment.X2;
  pen_y_ = segment.Y2;
  if (count_ < Capacity) {
    segments_[count_++] = segment;
  }
}

} // namespace trimwell
