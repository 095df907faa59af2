#pragma once

#include <QPoint>
#include <chrono>
#include <iterator>
#include <optional>

class QSettings;
class QWidget;

// The main window's placement: read from the per-user store and restored as
// the window loads, kept while the window system frames it, and stored as
// it closes. Four numbers in twips, "MainLeft", "MainTop", "MainWidth" and
// "MainHeight" under "Settings": the window's outer frame as the user sees
// it.
namespace trimwell::placement {

struct Setting {
  const char* Key;
  bool Is_Size; // a width or height, else a left or top edge
};

// In the order they are read and written.
inline constexpr Setting Settings[] = {
    {"MainLeft", false},
    {"MainTop", false},
    {"MainWidth", true},
    {"MainHeight", true},
};
inline constexpr char Group[] = "Settings";
inline constexpr int Default_Edge_Twips = 1000;

// How long storing waits for the lock of a store kept in a file, which
// another program writing it holds for a moment at most.
inline constexpr std::chrono::milliseconds Lock_Wait{1500};

// Stores the window's outer frame, unless it is minimised: then the
// placement stored before stays. QSettings waits for its file's lock
// without limit, and a lock that cannot be taken (a folder in its place, or
// a stale one in a folder the user cannot write) would hang the program as
// it closes: the lock is tried for a bounded time first, and nothing is
// written when it cannot be had. Returns whether the placement was stored;
// either way what was stored before is never half overwritten, since
// QSettings replaces its file whole.
bool Store(const QWidget& window);

// What differs between the systems, given by this system's own file
// (system_desktop.cpp, system_web.cpp).
struct Rules {
  // A window placed partly off the screen is moved as little as needed for
  // all of it to be on it, or to its left or top edge where it is too
  // large: a page's user could not bring it back. A desktop puts it where
  // the user last left it.
  bool Keep_On_Screen;
  // A page ends without its window closing, when reloaded or closed: there
  // the placement is stored as the user leaves the window, too.
  bool Store_Settled_Moves;
};
Rules This_System();

// Restores the stored placement of a window yet to be shown, and keeps it
// once the window system has put its frame round the window: the client
// area then gets the stored outer size less the frame. Where the rules ask
// it, the window is also kept on the screen and stored each time the
// user's move or resize has settled.
void Restore(QWidget& window, const Rules& rules = This_System());

// The outer frame the store holds, in pixels. An edge that is missing or
// unusable (not one decimal number, not finite, beyond X11's 16-bit range)
// takes its default of 1000 twips; such a size is left out, and the window
// keeps its designed size, which shows every control, the results and the
// chart. An edge off the screen but in range is kept.
struct Stored_Frame {
  QPoint Position;
  std::optional<int> Width;
  std::optional<int> Height;
};
Stored_Frame Read_Frame(QSettings& settings);

} // namespace trimwell::placement

namespace trimwell {

// How long a moved window keeps still before its place is stored.
inline constexpr std::chrono::milliseconds Placement_Settle{500};

// From now on stores the window's placement whenever the user has moved or
// resized it and it has kept still for `settle`; never the frame the
// program placed it at. A whole drag is one write.
void Store_Placement_When_Moved(QWidget& window,
                                std::chrono::milliseconds settle);

} // namespace trimwell
