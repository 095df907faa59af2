#pragma once

class frmMain;

namespace trimwell {

// Gives the main window its lifecycle: its Form_Load restores the stored
// placement, the outer frame as the user last left it; its Form_Unload
// closes every other open window, the most recent first, then stores the
// placement unless the window is minimised (a maximised window stores its
// maximised frame, not its state). Call it once, right after creating the
// window.
void Attach_Main_Lifecycle(frmMain& window);

} // namespace trimwell
