#include "forms/controls/line_shape.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace trimwell {

Line_Shape::Line_Shape(QWidget* parent, QPoint from, QPoint to, int width,
                       QColor color)
    : QWidget(parent), color_(color) {
  const int thickness = std::max(width, 1);
  const bool horizontal = from.y() == to.y();
  const QPoint start(std::min(from.x(), to.x()), std::min(from.y(), to.y()));
  const int length =
      horizontal ? std::abs(to.x() - from.x()) : std::abs(to.y() - from.y());
  setGeometry(horizontal ? QRect(start, QSize(length, thickness))
                         : QRect(start, QSize(thickness, length)));
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line_Shape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), color_);
}

} // namespace trimwell
