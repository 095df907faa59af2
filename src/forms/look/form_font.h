#pragma once

#include <QFont>

namespace trimwell {

// The windows' font: "MS Sans Serif", the face the layouts were measured
// with, where it is installed and draws at the size; else Liberation Sans
// or Arial, whose regular letters come closest to its widths (the usual
// sans-serif faces are wider and would push labels out of their boxes);
// else the platform's plain sans-serif face.
QFont Form_Font(int points, bool bold = false);

// Whether `font` is drawn in the face the layouts were measured with, not
// in a stand-in.
bool Is_Layout_Face(const QFont& font);

// Controls without a font of their own.
constexpr int Form_Default_Points = 8;

} // namespace trimwell
