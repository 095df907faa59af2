#pragma once

#include <QFont>

namespace trimwell {

// The splash screen's and About box's font: "MS Sans Serif" where it is
// installed, else Liberation Sans, whose letters are as wide as those the
// layouts were measured with (the usual sans-serif faces are wider and
// would push the self-sizing labels out of their frames), else the
// platform's plain sans-serif face.
QFont Form_Font(int points, bool bold = false);

// Controls without a font of their own.
constexpr int Form_Default_Points = 8;

} // namespace trimwell
