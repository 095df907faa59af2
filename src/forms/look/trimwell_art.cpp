#include "forms/look/trimwell_art.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace trimwell {

namespace {

// The aircraft, a low-wing two-seater seen from above, is designed in a box
// of 100 by 100 units with its nose at the top.
constexpr qreal Design_Size = 100;
constexpr QRectF Wing(3, 37, 94, 12);
constexpr qreal Wing_Tip_Radius = 3;
constexpr QRectF Tailplane(31, 81, 38, 9);
constexpr std::array<QPointF, 10> Fuselage = {{{50, 6},
                                               {55, 11},
                                               {57, 24},
                                               {56, 44},
                                               {53, 80},
                                               {52, 94},
                                               {48, 94},
                                               {47, 80},
                                               {44, 44},
                                               {43, 24}}};
constexpr QPointF Canopy_Center(50, 27);
constexpr qreal Canopy_Radius_X = 4.5;
constexpr qreal Canopy_Radius_Y = 8;
constexpr QPointF Propeller_Left(37, 7);
constexpr QPointF Propeller_Right(63, 7);
constexpr qreal Propeller_Width = 3;
// The centre-of-gravity mark sits on the wing's centre line.
constexpr QPointF Cg_Center(50, 43);

struct Art_Colors {
  QRgb Outline;
  QRgb Body;
  QRgb Canopy;
  QRgb Propeller;
  QRgb Cg_Dark;
  QRgb Cg_Light;
};

// The splash picture: true colour on a sky gradient.
constexpr QSize Logo_Size(141, 166);
constexpr Art_Colors Logo_Colors = {qRgb(22, 38, 74),    qRgb(250, 250, 248),
                                    qRgb(120, 190, 235), qRgb(40, 40, 40),
                                    qRgb(0, 0, 0),       qRgb(255, 255, 255)};
constexpr QRgb Sky_Top = qRgb(62, 122, 194);
constexpr QRgb Sky_Bottom = qRgb(228, 239, 250);
constexpr qreal Logo_Scale = 1.12;
constexpr QPointF Logo_Origin(4.5, 10);
constexpr qreal Logo_Outline_Width = 1.6;
constexpr qreal Logo_Cg_Radius = 7;
// The pivot the aircraft balances on, under its centre of gravity, and the
// ground it stands on; in picture pixels.
constexpr std::array<QPointF, 3> Pivot = {{{60.5, 123}, {47, 148}, {74, 148}}};
constexpr QRectF Ground(16, 148, 89, 5);
constexpr QRgb Pivot_Color = qRgb(22, 38, 74);

// The icon: colours of the classic 16-colour palette only, and no
// antialiasing at the small sizes so that no other colour appears.
constexpr int Icon_Size = 32;
constexpr int Largest_Hard_Edged_Icon = 32;
constexpr std::array<int, 5> Icon_Sizes = {16, 32, 48, 64, 128};
constexpr Art_Colors Icon_Colors = {qRgb(0, 0, 0),     qRgb(255, 255, 255),
                                    qRgb(0, 255, 255), qRgb(0, 0, 128),
                                    qRgb(0, 0, 0),     qRgb(255, 255, 255)};
constexpr qreal Icon_Margin = 0.5;
constexpr qreal Icon_Cg_Radius_Fraction = 0.1;

void Draw_Aircraft(QPainter& painter, const Art_Colors& colors,
                   qreal outline_width, qreal propeller_width) {
  painter.setPen(QPen(QColor(colors.Outline), outline_width, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(QColor(colors.Body));
  painter.drawRoundedRect(Wing, Wing_Tip_Radius, Wing_Tip_Radius);
  painter.drawRect(Tailplane);
  painter.drawPolygon(Fuselage.data(), static_cast<int>(Fuselage.size()));
  painter.setBrush(QColor(colors.Canopy));
  painter.drawEllipse(Canopy_Center, Canopy_Radius_X, Canopy_Radius_Y);
  painter.setPen(QPen(QColor(colors.Propeller), propeller_width, Qt::SolidLine,
                      Qt::RoundCap));
  painter.drawLine(Propeller_Left, Propeller_Right);
}

// The usual centre-of-gravity mark: a circle in quarters, dark top right
// and bottom left.
void Draw_Cg_Mark(QPainter& painter, const Art_Colors& colors, QPointF center,
                  qreal radius, qreal outline_width) {
  const QRectF box(center - QPointF(radius, radius),
                   QSizeF(2 * radius, 2 * radius));
  constexpr int Quarter = 90 * 16; // QPainter angles are in 1/16 degree
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(colors.Cg_Light));
  painter.drawEllipse(box);
  painter.setBrush(QColor(colors.Cg_Dark));
  painter.drawPie(box, 0, Quarter);
  painter.drawPie(box, 2 * Quarter, Quarter);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(colors.Outline), outline_width));
  painter.drawEllipse(box);
}

void Draw_Sky(QPainter& painter) {
  QLinearGradient sky(0, 0, 0, Logo_Size.height());
  sky.setColorAt(0, QColor(Sky_Top));
  sky.setColorAt(1, QColor(Sky_Bottom));
  painter.fillRect(QRect(QPoint(0, 0), Logo_Size), sky);
}

void Draw_Pivot(QPainter& painter) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(Pivot_Color));
  painter.drawPolygon(Pivot.data(), static_cast<int>(Pivot.size()));
  painter.drawRect(Ground);
}

QPixmap Icon_At(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, size > Largest_Hard_Edged_Icon);
  const qreal scale = (size - 2 * Icon_Margin) / Design_Size;
  painter.translate(Icon_Margin, Icon_Margin);
  painter.scale(scale, scale);
  // Without antialiasing, lines of whole pixels keep to the palette.
  const qreal one_pixel = 1 / scale;
  const qreal propeller_pixels =
      std::max<qreal>(1, std::round(Propeller_Width * scale));
  Draw_Aircraft(painter, Icon_Colors, one_pixel, propeller_pixels * one_pixel);
  Draw_Cg_Mark(painter, Icon_Colors, Cg_Center,
               Icon_Cg_Radius_Fraction * Design_Size, one_pixel);
  painter.end();
  return QPixmap::fromImage(image);
}

} // namespace

QPixmap Logo_Picture() {
  QImage image(Logo_Size, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  Draw_Sky(painter);
  Draw_Pivot(painter);
  painter.translate(Logo_Origin);
  painter.scale(Logo_Scale, Logo_Scale);
  Draw_Aircraft(painter, Logo_Colors, Logo_Outline_Width / Logo_Scale,
                Propeller_Width);
  Draw_Cg_Mark(painter, Logo_Colors, Cg_Center, Logo_Cg_Radius / Logo_Scale,
               1 / Logo_Scale);
  painter.end();
  return QPixmap::fromImage(image);
}

QPixmap Icon_Picture() {
  return Icon_At(Icon_Size);
}

QIcon Application_Icon() {
  QIcon icon;
  for (const int size : Icon_Sizes) {
    icon.addPixmap(Icon_At(size));
  }
  return icon;
}

QPixmap Application_Icon_At(int size) {
  return Icon_At(size);
}

} // namespace trimwell
