#include "forms/controls/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/look/form_style.h"
#include "forms/look/twips.h"

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
  drawing_.Clear();
  update();
}

void Picture_Box::Set_Scale(double Left, double Top, double Right,
                            double Bottom) {
  drawing_.Set_Scale(Left, Top, Right, Bottom);
}

void Picture_Box::Draw_Line(float X1, float Y1, float X2, float Y2, Rgb color) {
  drawing_.Draw_Line(X1, Y1, X2, Y2, color);
  update();
}

void Picture_Box::Draw_Line_To(float X2, float Y2, Rgb color) {
  drawing_.Draw_Line_To(X2, Y2, color);
  update();
}

Recording_Surface::Scale Picture_Box::Current_Scale() const {
  if (drawing_.Has_Scale()) {
    return drawing_.Current_Scale();
  }
  const QRect area = contentsRect();
  return {0, 0, static_cast<double>(area.width()) * Twips_Per_Pixel,
          static_cast<double>(area.height()) * Twips_Per_Pixel};
}

// The segment in fractions of the area, (0, 0) its top-left and (1, 1) its
// bottom-right corner, cut to that square, then in pixels.
void Picture_Box::Paint_Segment(QPainter& painter, QPen& pen,
                                const Recording_Surface::Segment& segment,
                                const Recording_Surface::Scale& scale) const {
  const double width = scale.Right - scale.Left;
  const double height = scale.Bottom - scale.Top;
  double x1 = (segment.X1 - scale.Left) / width;
  double y1 = (segment.Y1 - scale.Top) / height;
  double x2 = (segment.X2 - scale.Left) / width;
  double y2 = (segment.Y2 - scale.Top) / height;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
      !std::isfinite(y2) || !Cut_To_Unit_Square(x1, y1, x2, y2)) {
    return;
  }
  const QRect area = contentsRect();
  const auto pixels = [&area](double x, double y) {
    return QPointF(area.left() + x * area.width(),
                   area.top() + y * area.height());
  };
  pen.setColor(To_QColor(segment.Color));
  painter.setPen(pen);
  painter.drawLine(pixels(x1, y1), pixels(x2, y2));
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
  const Recording_Surface::Scale scale = Current_Scale();
  for (std::size_t k = 0; k < drawing_.Segment_Count(); ++k) {
    Paint_Segment(painter, pen, drawing_.Segment_At(k), scale);
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
