#pragma once

#include <QPoint>
#include <QRect>
#include <chrono>

// What the program does differently on a desktop and in a web page. Each
// system's answers live in a file of their own (system_desktop.cpp,
// system_web.cpp), chosen by the build.
namespace trimwell {

// Before the first window is made. In a page: the fonts the program draws
// with, which a browser does not lend, windows that keep their own size
// instead of filling the page, and a page that says the program has ended
// once its last window has closed (the page itself stays open).
void Prepare_System();

// Waits `wait` on the monotonic clock without reacting to the user. On a
// desktop nothing at all is handled meanwhile, so nothing repaints; a page
// paints only when the program yields, so there the wait yields to the
// browser, still ignoring the user's input.
void Wait_Without_Events(std::chrono::milliseconds wait);

// Where the main window goes for a stored outer frame, on a screen whose
// free area is `available`. On a desktop, where the user last left it, off
// the screen or not; in a page, moved as little as needed for its title
// bar to be on the page, since nothing else could bring it back there.
QPoint Reachable_Position(const QRect& frame, const QRect& available);

// Whether the program can end without its main window closing, as a page
// does when it is reloaded or its tab is closed: then the main window's
// placement is stored each time the user moves or resizes it, not only as
// it closes.
bool Ends_Without_Closing();

} // namespace trimwell
