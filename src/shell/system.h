#pragma once

#include <chrono>
#include <functional>

class QWidget;

// What the program does differently on a desktop and in a web page. Each
// system's answers live in a file of their own (system_desktop.cpp,
// system_web.cpp), chosen by the build; so do the main window's placement
// rules (placement.h).
namespace trimwell {

// Before the first window is made. In a page: the fonts the program draws
// with, which a browser does not lend, windows that keep their own size
// instead of filling the page, a mark on the page's clock as each window is
// first painted ("frmSplash painted", "frmMain painted"), and a page that
// says the program has ended once its last window has closed (the page
// itself stays open).
void Prepare_System();

// Has a window just shown drawn on the screen. On a desktop it returns
// once the window is there, fully drawn; a page draws only after the
// program has given the browser its turn, so there it returns at once and
// the window is drawn with the page's next frame.
void Draw_Now(QWidget& window);

// Waits `wait` on the monotonic clock without reacting to the user, and
// runs `prepare`, work that shows nothing, then `then`. On a desktop
// nothing at all is handled meanwhile, so nothing repaints: `prepare` and
// `then` run after the wait, before this returns. A page paints only when
// the program hands the browser its turn, so there this returns at once:
// the windows shown so far are drawn, the wait counts from their first
// paint, with the user's input dropped; `prepare` runs in the browser's
// first turn of the wait, and `then` from its timer.
void Wait_Without_Events(std::chrono::milliseconds wait,
                         const std::function<void()>& prepare,
                         const std::function<void()>& then);

} // namespace trimwell
