#include "forms/form_font.h"

#include <QStringList>

namespace trimwell {

QFont Form_Font(int points, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"),
                    QStringLiteral("Liberation Sans"),
                    QStringLiteral("Sans Serif")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(points);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setItalic(false);
  return font;
}

} // namespace trimwell
