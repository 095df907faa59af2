#pragma once

class frmMain;
class QWidget;

namespace trimwell {

// Creates every control of the main window from its layout table, as a
// child of `client` or of its frame, and stores each in the member of
// `form` of the same name. Sets each one's objectName, caption or initial
// text, place and size, text colour, font and enabled state, then chains
// the tab order. Controls keep their places when the window is resized.
void Build_Main_Layout(frmMain& form, QWidget& client);

} // namespace trimwell
