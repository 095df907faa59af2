#pragma once

#include <QIcon>
#include <QPixmap>

namespace trimwell {

// The splash screen's picture: a light aircraft seen from above, balanced
// on a pivot under its centre of gravity, against the sky. 141 by 166
// pixels, 24-bit colour; the artwork keeps to the top-left 121 by 159
// pixels, the part the splash screen's picture box shows.
QPixmap Logo_Picture();

// The application's icon at 32 by 32 pixels in the 16 colours of the
// classic palette, as the About box shows it.
QPixmap Icon_Picture();

// The application's icon at the sizes window systems ask for; every window
// shows it.
QIcon Application_Icon();

// The application's icon drawn at `size` pixels square, for sizes a window
// system does not ask for, such as a tablet's home screen.
QPixmap Application_Icon_At(int size);

} // namespace trimwell
