#pragma once

#include <QPointer>
#include <chrono>
#include <functional>

class frmMain;

// The program's start-up module.
namespace Module1 {

// The one main window, from its creation by Main until it is closed.
extern QPointer<frmMain> fMainForm;

// How long the splash screen stays up before the main window shows.
inline constexpr std::chrono::milliseconds Splash_Time{3000};

// A wait that runs `prepare` and `then` once the splash screen has had its
// time, or `prepare` during it where that costs the user nothing. The
// program's own is Wait_Without_Events of Splash_Time, which in a page
// builds the main window while the splash screen waits; tests and the
// start-up benchmark pass their own.
using Splash_Wait = std::function<void(const std::function<void()>& prepare,
                                       const std::function<void()>& then)>;

// The start-up sequence: the splash screen through `wait`, then the main
// window at its stored placement, opening with the HR-II type loaded. On a
// desktop it returns once the main window is shown; in a page, as soon as
// the wait has begun. The event loop does the rest.
void Main(const Splash_Wait& wait);
void Main(); // with the program's own wait

} // namespace Module1
