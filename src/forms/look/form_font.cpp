#include "forms/look/form_font.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <map>
#include <tuple>

namespace trimwell {

namespace {

constexpr QLatin1String Layout_Face("MS Sans Serif");

// Qt's logical dots per inch: layouts in twips and fonts in points meet at
// it, whatever the screen's own density.
constexpr double Logical_Dpi = 96;

// "MS Sans Serif" is a bitmap face, on Windows and in wine's copy alike,
// and font engines draw it only at about the sizes it carries: asked for a
// larger one (a chart title, or any text on a desktop scaled to 200 %) they
// draw its largest size instead, or nothing at all. So the face is taken
// at a size only where its capital M stands at least half the size asked
// for on the screen's pixels; elsewhere a stand-in draws.
bool Layout_Face_Draws(int points, bool bold) {
  const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  static std::map<std::tuple<int, bool, qreal>, bool> known;
  const auto key = std::make_tuple(points, bold, ratio);
  if (const auto found = known.find(key); found != known.end()) {
    return found->second;
  }
  QFont face(Layout_Face);
  face.setPointSize(points);
  face.setBold(bold);
  // Where the face is not installed (Linux, as a rule) nothing is drawn.
  if (QFontInfo(face).family() != Layout_Face) {
    return known[key] = false;
  }
  const int asked = qRound(points * Logical_Dpi / 72.0 * ratio);
  QImage probe(QSize(2, 2) * asked, QImage::Format_ARGB32_Premultiplied);
  probe.fill(Qt::transparent);
  QPainter painter(&probe);
  painter.scale(ratio, ratio);
  painter.setFont(face);
  painter.drawText(QPointF(0, asked / ratio * 1.5), QStringLiteral("M"));
  painter.end();
  int inked_rows = 0;
  for (int y = 0; y < probe.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
    inked_rows += std::any_of(row, row + probe.width(),
                              [](QRgb pixel) { return qAlpha(pixel) != 0; });
  }
  return known[key] = 2 * inked_rows >= asked;
}

} // namespace

QFont Form_Font(int points, bool bold) {
  QFont font;
  // The stand-ins: Liberation Sans, and Arial on Windows, whose letters
  // are as wide as Liberation's.
  QStringList families = {QStringLiteral("Liberation Sans"),
                          QStringLiteral("Arial"),
                          QStringLiteral("Sans Serif")};
  if (Layout_Face_Draws(points, bold)) {
    families.prepend(Layout_Face);
  }
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(points);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setItalic(false);
  return font;
}

bool Is_Layout_Face(const QFont& font) {
  return QFontInfo(font).family() == Layout_Face;
}

} // namespace trimwell
