#pragma once

class QWidget;

namespace trimwell {

// The main window's Form_Load work: restores its stored placement, the
// outer frame as the user last left it.
void Restore_Main_Placement(QWidget& window);

// The main window's Form_Unload work: closes every other open window, the
// most recent first, then stores the placement unless minimised (a
// maximised window stores its maximised frame, not its state).
void Unload_Main_Window(QWidget& window);

} // namespace trimwell
