#pragma once

#include <QFrame>
#include <array>

#include "chart/drawing_surface.h"

namespace trimwell {

// The chart box: a white picture box with a sunken border that the chart
// draws on through Drawing_Surface. It keeps the segments it was given and
// paints them whenever the window system asks, so a covered or restored
// window shows its chart again without a recalculation.
//
// Every segment is cut to the drawing area in double precision when it is
// drawn, so QPainter only ever sees coordinates inside the box. A segment
// that cannot be placed at all (an end point that is not finite, or a scale
// without extent) is left out.
class Picture_Box : public QFrame, public Drawing_Surface {
  Q_OBJECT
public:
  explicit Picture_Box(QWidget* parent = nullptr);

  void Clear() override;
  void Set_Scale(double Left, double Top, double Right, double Bottom) override;
  void Draw_Line(float X1, float Y1, float X2, float Y2, Rgb color) override;
  void Draw_Line_To(float X2, float Y2, Rgb color) override;

signals:
  // A left-button press and release inside the box.
  void clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  // A kept segment in fractions of the drawing area, (0, 0) its top-left
  // and (1, 1) its bottom-right corner, already cut to that square.
  struct Segment {
    double X1, Y1, X2, Y2;
    Rgb Color;
  };

  // The chart draws 13 segments between clears; the rest is headroom.
  // Segments beyond it are dropped rather than allocated.
  static constexpr int Segment_Capacity = 32;

  // User coordinates of the drawing area's corners. Until a scale is set
  // they are twips, from the area's own size.
  struct Scale {
    double Left, Top, Right, Bottom;
  };
  Scale Current_Scale() const;

  QPointF To_Pixels(double x, double y) const;

  std::array<Segment, Segment_Capacity> segments_{};
  int segment_count_ = 0;
  Scale scale_{0, 0, 0, 0};
  bool scale_set_ = false;
  float pen_x_ = 0;
  float pen_y_ = 0;
  bool pressed_ = false;
};

} // namespace trimwell
