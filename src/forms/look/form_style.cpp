#include "forms/look/form_style.h"

#include <QApplication>
#include <QPalette>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace trimwell {

namespace {

struct Role_Color {
  QPalette::ColorRole Role;
  QRgb Color;
};

constexpr QRgb Button_Face = qRgb(240, 240, 240);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);
// Greyed text: 8.1 to 1 on the boxes' white, 7.1 to 1 on the button face.
// The smoothed strokes of small text come out lighter than their colour, and
// still reach 4.5 to 1 on white.
constexpr QRgb Grey_Text = qRgb(80, 80, 80);

// The light desktop's system colours, the same in every colour group.
constexpr Role_Color Light_Colors[] = {
    {QPalette::Window, Button_Face},
    {QPalette::WindowText, Black},
    {QPalette::Base, White},
    {QPalette::AlternateBase, qRgb(233, 231, 227)},
    {QPalette::ToolTipBase, qRgb(255, 255, 225)},
    {QPalette::ToolTipText, Black},
    {QPalette::PlaceholderText, Grey_Text},
    {QPalette::Text, Black},
    {QPalette::Button, Button_Face},
    {QPalette::ButtonText, Black},
    {QPalette::BrightText, White},
    {QPalette::Light, White},
    {QPalette::Midlight, qRgb(227, 227, 227)},
    {QPalette::Mid, qRgb(160, 160, 160)},
    {QPalette::Dark, qRgb(160, 160, 160)},
    {QPalette::Shadow, qRgb(105, 105, 105)},
    {QPalette::Highlight, qRgb(0, 120, 215)},
    {QPalette::HighlightedText, White},
    {QPalette::Link, qRgb(0, 0, 255)},
    {QPalette::LinkVisited, qRgb(128, 0, 128)},
};

// A disabled control greys its text but keeps its background: the result
// boxes stay white, with text that reads well on it.
constexpr QPalette::ColorRole Greyed_When_Disabled[] = {
    QPalette::WindowText, QPalette::Text, QPalette::ButtonText};

// The look the three windows share on every desktop: the classic desktop
// style and the light system colours that the layouts' own text colours
// (black, navy, dark green, grey, red, purple) were chosen against. A dark
// desktop palette would put those colours on a dark window, so the windows
// never take the desktop's colours.
QPalette Form_Palette() {
  QPalette palette;
  for (const Role_Color& entry : Light_Colors) {
    palette.setColor(entry.Role, QColor(entry.Color));
  }
  for (QPalette::ColorRole role : Greyed_When_Disabled) {
    palette.setColor(QPalette::Disabled, role, QColor(Grey_Text));
  }
  return palette;
}

// The one style of every control of the three windows: the classic one,
// which draws a frame's caption on the frame's top line, just above the
// first row (other styles put it above the line, which then runs through
// that row), and gives text boxes their sunken border. The application
// owns it, so it outlives every window that uses it; it is made again
// should a new application object need it. Null only where the classic
// style is missing, and then the controls keep the application's style.
QStyle* Form_Style() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = QStyleFactory::create(QStringLiteral("Windows"));
    if (style != nullptr) {
      style->setParent(qApp);
    }
  }
  return style;
}

} // namespace

// A widget's style is its own: it passes neither to the controls inside it
// nor to those made later, so each control is given it here. A pop-up menu
// is a window of its own and does not take the colours of the window it
// belongs to either.
void Set_Form_Look(QWidget& window) {
  const QPalette palette = Form_Palette();
  QStyle* style = Form_Style();
  window.setPalette(palette);
  const QList<QWidget*> controls = window.findChildren<QWidget*>();
  for (QWidget* widget : controls) {
    if (widget->isWindow()) {
      widget->setPalette(palette);
    }
  }
  if (style == nullptr) {
    return;
  }
  window.setStyle(style);
  for (QWidget* widget : controls) {
    widget->setStyle(style);
  }
}

QColor To_QColor(Rgb color) {
  return QColor(color.Red, color.Green, color.Blue);
}

void Set_Own_Colors(QWidget& widget, std::optional<Rgb> text,
                    std::optional<Rgb> background) {
  if (!text && !background) {
    return;
  }
  // A palette with only these roles set: every other colour stays the one
  // the widget inherits.
  QPalette own;
  if (text) {
    own.setColor(QPalette::WindowText, To_QColor(*text));
  }
  if (background) {
    own.setColor(QPalette::Window, To_QColor(*background));
    widget.setAutoFillBackground(true);
  }
  widget.setPalette(own);
}

void Set_Text_Color(QWidget& widget, Rgb color) {
  Set_Own_Colors(widget, color);
}

} // namespace trimwell
