#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace trimwell {

// A straight horizontal or vertical line drawn on a form, like the line
// controls of classic forms: it covers the pixels from `from` up to `to`
// and is `width` pixels thick, growing down from a horizontal line and to
// the right of a vertical one, so two lines one pixel apart never overlap.
class Line_Shape : public QWidget {
  Q_OBJECT
public:
  Line_Shape(QWidget* parent, QPoint from, QPoint to, int width, QColor color);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QColor color_;
};

} // namespace trimwell
