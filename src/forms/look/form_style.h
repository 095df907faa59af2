#pragma once

#include <QColor>
#include <optional>

#include "chart/palette.h"

class QWidget;

namespace trimwell {

// Gives `window`, every control in it and its pop-up menus the forms'
// style and colours. Called last in a window's constructor, once all its
// controls exist; controls that set a colour of their own keep it.
void Set_Form_Look(QWidget& window);

// The one conversion from the chart's and layouts' colours to Qt's.
QColor To_QColor(Rgb color);

// Gives a control a text and a background colour of its own, where given,
// through its palette, so that styles, themes and tests all read the same
// colours. Every other colour follows its window, whenever the window's
// colours are set. A background of its own is painted.
void Set_Own_Colors(QWidget& widget, std::optional<Rgb> text,
                    std::optional<Rgb> background = std::nullopt);

// Sets a control's text colour alone.
void Set_Text_Color(QWidget& widget, Rgb color);

} // namespace trimwell
