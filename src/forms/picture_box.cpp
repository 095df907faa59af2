#include "forms/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/twips.h"

namespace trimwell {

namespace {

constexpr QRgb Background = qRgb(255, 255, 255);
constexpr int Line_Width = 2;
constexpr int Border_Width = 2;

// Cuts the segment (x1, y1)-(x2, y2) to the unit square (Liang-Barsky).
// False when nothing of it lies inside, or its extent is not finite.
bool Cut_To_Unit_Square(double& x1, double& y1, double& x2, double& y2) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  if (!std::isfinite(dx) || !std::isfinite(dy)) {
    return false;
  }
  // For each edge: p * t <= q keeps the point at parameter t inside it.
  const std::array<double, 4> p = {-dx, dx, -dy, dy};
  const std::array<double, 4> q = {x1, 1 - x1, y1, 1 - y1};
  double enter = 0;
  double leave = 1;
  for (std::size_t edge = 0; edge < p.size(); ++edge) {
    if (p[edge] == 0) {
      if (q[edge] < 0) {
        return false; // parallel to this edge and outside it
      }
      continue;
    }
    const double t = q[edge] / p[edge];
    if (p[edge] < 0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
  }
  if (enter > leave) {
    return false;
  }
  // Clamped as well: rounding may leave a hair outside the square.
  const auto inside = [](double v) { return std::clamp(v, 0.0, 1.0); };
  const double sx = x1;
  const double sy = y1;
  x1 = inside(sx + enter * dx);
  y1 = inside(sy + enter * dy);
  x2 = inside(sx + leave * dx);
  y2 = inside(sy + leave * dy);
  return true;
}

QColor To_QColor(Rgb color) {
  return QColor(color.Red, color.Green, color.Blue);
}

} // namespace

Picture_Box::Picture_Box(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setLineWidth(Border_Width);
  QPalette white = palette();
  white.setColor(QPalette::Window, QColor::fromRgb(Background));
  setPalette(white);
  setAutoFillBackground(true);
}

void Picture_Box::Clear() {
  segment_count_ = 0;
  update();
}

void Picture_Box::Set_Scale(double Left, double Top, double Right,
                            double Bottom) {
  scale_ = {Left, Top, Right, Bottom};
  scale_set_ = true;
}

void Picture_Box::Draw_Line(float X1, float Y1, float X2, float Y2, Rgb color) {
  pen_x_ = X2;
  pen_y_ = Y2;
  if (segment_count_ == Segment_Capacity) {
    return;
  }
  // Fractions of the area under the current scale; a later scale does not
  // move what is already drawn.
  const Scale s = Current_Scale();
  const double width = s.Right - s.Left;
  const double height = s.Bottom - s.Top;
  double x1 = (X1 - s.Left) / width;
  double y1 = (Y1 - s.Top) / height;
  double x2 = (X2 - s.Left) / width;
  double y2 = (Y2 - s.Top) / height;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
      !std::isfinite(y2) || !Cut_To_Unit_Square(x1, y1, x2, y2)) {
    return;
  }
  segments_[static_cast<std::size_t>(segment_count_++)] = {x1, y1, x2, y2,
                                                           color};
  update();
}

void Picture_Box::Draw_Line_To(float X2, float Y2, Rgb color) {
  Draw_Line(pen_x_, pen_y_, X2, Y2, color);
}

Picture_Box::Scale Picture_Box::Current_Scale() const {
  if (scale_set_) {
    return scale_;
  }
  const QRect area = contentsRect();
  return {0, 0, static_cast<double>(area.width()) * Twips_Per_Pixel,
          static_cast<double>(area.height()) * Twips_Per_Pixel};
}

QPointF Picture_Box::To_Pixels(double x, double y) const {
  const QRect area = contentsRect();
  return {area.left() + x * area.width(), area.top() + y * area.height()};
}

void Picture_Box::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  // Lines are cut to the area already; the clip keeps the pen's width off
  // the border as well.
  painter.setClipRect(contentsRect());
  QPen pen;
  pen.setWidth(Line_Width);
  pen.setStyle(Qt::SolidLine);
  pen.setCapStyle(Qt::SquareCap);
  for (int k = 0; k < segment_count_; ++k) {
    const Segment& s = segments_[static_cast<std::size_t>(k)];
    pen.setColor(To_QColor(s.Color));
    painter.setPen(pen);
    painter.drawLine(To_Pixels(s.X1, s.Y1), To_Pixels(s.X2, s.Y2));
  }
}

void Picture_Box::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void Picture_Box::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) {
    emit clicked();
  }
}

} // namespace trimwell
