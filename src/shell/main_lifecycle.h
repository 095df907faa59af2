#pragma once

#include <chrono>

class QWidget;
class frmMain;

namespace trimwell {

// The main window's Form_Load, before it is first shown: restores the
// stored placement, the outer frame as the user last left it, and gives the
// window its Form_Unload, which runs as it closes: every other open window
// is closed, the most recent first, then the placement is stored unless the
// window is minimised (a maximised window stores its maximised frame, not
// its state). Nothing else: no type is chosen, nothing is calculated.
// Where the program can end without its main window closing (a page),
// the placement is also stored as the user moves or resizes the window.
void Form_Load(frmMain& window);

// How long a moved window keeps still before its place is stored.
inline constexpr std::chrono::milliseconds Placement_Settle{500};

// From now on stores the window's placement whenever the user has moved or
// resized it and it has kept still for `settle`; never the frame the
// program placed it at.
void Store_Placement_When_Moved(QWidget& window,
                                std::chrono::milliseconds settle);

} // namespace trimwell
