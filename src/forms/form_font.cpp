#include "forms/form_font.h"

#include <QFontInfo>
#include <QStringList>

namespace trimwell {

namespace {
const QString Layout_Face = QStringLiteral("MS Sans Serif");
}

QFont Form_Font(int points, bool bold) {
  QFont font;
  font.setFamilies({Layout_Face, QStringLiteral("Liberation Sans"),
                    QStringLiteral("Sans Serif")});
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
