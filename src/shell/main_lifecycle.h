#pragma once

class frmMain;

namespace trimwell {

// The main window's Form_Load, before it is first shown: restores the
// stored placement, the outer frame as the user last left it, and gives the
// window its Form_Unload, which runs as it closes: every other open window
// is closed, the most recent first, then the placement is stored unless the
// window is minimised (a maximised window stores its maximised frame, not
// its state). Nothing else: no type is chosen, nothing is calculated.
void Form_Load(frmMain& window);

} // namespace trimwell
