#pragma once

#include <vector>

class QWidget;

namespace trimwell {

// Starts noting the order in which windows are created, so that closing
// the program can unload them the most recent first. Windows created
// before the first call count as older than all later ones. Needs a
// QApplication; calling it again does nothing.
void Track_Window_Order();

// The visible top-level windows other than `main` (menus and tooltips
// aside), the most recently created first.
std::vector<QWidget*> Other_Windows_Newest_First(const QWidget& main);

} // namespace trimwell
