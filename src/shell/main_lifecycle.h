#pragma once

class frmMain;

namespace trimwell {

// The main window's Form_Load, before it is first shown: restores the
// stored placement and gives the window its Form_Unload. Nothing else: no
// type is chosen, nothing is calculated.
void Form_Load(frmMain& window);

// As the main window closes (its close box, File > Exit): every other
// window of its own is closed, the most recent first, then the placement
// is stored (a maximised window stores its maximised frame, not its
// state). The close is never cancelled.
void Form_Unload(frmMain& window);

} // namespace trimwell
