#pragma once

#include <QFrame>

#include "chart/recording_surface.h"

class QPainter;
class QPen;

namespace trimwell {

// The chart box: a white picture box with a sunken border that the chart
// draws on through Drawing_Surface. It records what it is told since the
// last Clear and paints it whenever the window system asks, so a covered or
// restored window shows its chart again without a recalculation. Everything
// recorded is placed by the scale last set (the chart sets it right after
// clearing); until one is set the box measures in twips.
//
// Every segment is cut to the drawing area in double precision when it is
// painted, so QPainter only ever sees coordinates inside the box. A segment
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
  // The user coordinates of the drawing area's corners.
  Recording_Surface::Scale Current_Scale() const;
  void Paint_Segment(QPainter& painter, QPen& pen,
                     const Recording_Surface::Segment& segment,
                     const Recording_Surface::Scale& scale) const;

  Recording_Surface drawing_;
  bool pressed_ = false;
};

} // namespace trimwell
