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

// A wait that runs what comes after it once the splash screen has had its
// time: the program's own is Splash_Time without reacting to the user;
// tests and the start-up benchmark pass their own.
using Splash_Wait = std::function<void(const std::function<void()>& then)>;

// The start-up sequence: the splash screen through `wait`, then the main
// window at its stored placement, opening with the HR-II type loaded. On a
// desktop it returns once the main window is shown; in a page, as soon as
// the wait has begun. The event loop does the rest.
void Main(const Splash_Wait& wait);
void Main(); // with the program's own wait

} // namespace Module1
