#pragma once

#include <array>
#include <cstddef>

#include "chart/drawing_surface.h"

namespace trimwell {

// A drawing surface that only remembers what it was told since the last
// Clear: the scale and every segment with its resolved start point. A
// widget can paint from it later; tests and benchmarks read it back. Fixed
// capacity, so recording never allocates.
class Recording_Surface : public Drawing_Surface {
public:
  // The chart draws 13 segments; anything past the capacity is dropped.
  static constexpr std::size_t Capacity = 16;

  struct Scale {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
  };

  struct Segment {
    float X1, Y1, X2, Y2;
    Rgb Color;
    bool From_Pen; // drawn with Draw_Line_To
  };

  void Clear() override;
  void Set_Scale(double Left, double Top, double Right, double Bottom) override;
  void Draw_Line(float X1, float Y1, float X2, float Y2, Rgb color) override;
  void Draw_Line_To(float X2, float Y2, Rgb color) override;

  int Clear_Count() const { return clear_count_; }
  bool Has_Scale() const { return has_scale_; }
  const Scale& Current_Scale() const { return scale_; }
  std::size_t Segment_Count() const { return count_; }
  const Segment& Segment_At(std::size_t i) const { return segments_[i]; }

private:
  void Add(Segment segment);

  int clear_count_ = 0;
  bool has_scale_ = false;
  Scale scale_;
  float pen_x_ = 0, pen_y_ = 0;
  std::array<Segment, Capacity> segments_{};
  std::size_t count_ = 0;
};

} // namespace trimwell
