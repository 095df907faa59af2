#pragma once

#include <QMargins>
#include <QRect>
#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "forms/look/twips.h"

class QSettings;

// The main window's stored placement: four numbers in twips, the window's
// outer frame as the user sees it, under "Settings" in the per-user store.
namespace trimwell::placement {

// Coordinates beyond X11's 16-bit range cannot be placed anywhere, and a
// side longer than 16384 pixels would ask for gigabytes of window memory.
inline constexpr int Largest_Position = 32767;
inline constexpr int Largest_Size = 16384;

struct Setting {
  const char* Key;
  int Default_Twips; // positions only: a size's default is the designed one
  bool Is_Size;      // a width or height, else a left or top edge
};

// In the order they are read and written. The window opens at 1000, 1000
// twips; without a stored size it opens at its designed size, so that a
// first start shows every control, the results and the chart.
inline constexpr std::array<Setting, 4> Settings = {{
    {"MainLeft", 1000, false},
    {"MainTop", 1000, false},
    {"MainWidth", 0, true},
    {"MainHeight", 0, true},
}};

inline constexpr char Group[] = "Settings";

// The pixels of a stored value. The text, blanks around it aside, must be
// one decimal number, read in single precision as it was written; it is
// rounded to the nearest pixel. Text that is not a number, a value that is
// not finite, an edge beyond +-Largest_Position pixels and a size below 1
// or above Largest_Size pixels give nothing: the setting's default is used
// instead. An edge off the screen but in range is kept: the window goes
// where the user last left it.
std::optional<int> Stored_Pixels(std::string_view text, const Setting& setting);

// The text stored for a value in pixels: its twips in plain decimal.
std::string Stored_Text(int pixels);

// The outer frame the store holds. A missing or unusable edge takes its
// default; a missing or unusable size is left out.
struct Stored_Frame {
  QPoint Position;
  std::optional<int> Width;
  std::optional<int> Height;
};
Stored_Frame Read_Frame(QSettings& settings);

// How long storing the placement waits for the lock of a store kept in a
// file, which another program writing it holds for a moment at most.
inline constexpr std::chrono::milliseconds Lock_Wait{1500};

// Writes the four values and whether they were stored. QSettings waits for
// its file's lock without limit, and a lock that cannot be taken (a folder
// in its place, or a stale one in a folder the user cannot write) would
// hang the program as it closes: the lock is tried for Lock_Wait first, and
// when it cannot be had nothing is written. Written or not, what was
// stored before is never half overwritten: QSettings replaces its file
// whole.
bool Write_Frame(QSettings& settings, const QRect& frame);

// The client size that gives the stored frame's outer size under a
// window-system frame of `margins`, never below one pixel each way; a size
// the store does not hold is `designed`, the window's own client size.
QSize Client_Size(const Stored_Frame& frame, const QMargins& margins,
                  const QSize& designed);

} // namespace trimwell::placement
