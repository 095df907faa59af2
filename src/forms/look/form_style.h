#pragma once

#include <QColor>
#include <QPalette>

#include "chart/palette.h"

class QStyle;
class QWidget;

namespace trimwell {

// The look the three windows share on every desktop: the classic desktop
// style and the light system colours that the layouts' own text colours
// (black, navy, dark green, grey, red, purple) were chosen against. A dark
// desktop palette would put those colours on a dark window, so the windows
// never take the desktop's colours.
QPalette Form_Palette();

// The one style of every control of the three windows: the classic one,
// which draws a frame's caption on the frame's top line, just above the
// first row (other styles put it above the line, which then runs through
// that row), and gives text boxes their sunken border. The application
// owns it, so it outlives every window that uses it; it is made again
// should a new application object need it. Null only where the classic
// style is missing, and then the controls keep the application's style.
QStyle* Form_Style();

// Gives `window`, every control in it and its pop-up menus the forms'
// style and colours. Called last in a window's constructor, once all its
// controls exist; controls that set a colour of their own keep it.
void Set_Form_Look(QWidget& window);

// Sets one colour of a control, leaving every other one to follow its
// window, whenever the window's colours are set.
void Set_Own_Color(QWidget& widget, QPalette::ColorRole role, QColor color);

// Sets a control's text colour through its palette, so that styles, themes
// and tests all read the same colour.
void Set_Text_Color(QWidget& widget, Rgb color);

} // namespace trimwell
