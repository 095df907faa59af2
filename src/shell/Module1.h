#pragma once

#include <QPointer>
#include <chrono>

#include "shell/startup.h"

class frmMain;

// The program's start-up module.
namespace Module1 {

// The one main window, from its creation by Main until it is closed.
extern QPointer<frmMain> fMainForm;

// The start-up sequence: the splash screen for `wait` (the program always
// uses the default), then the main window at its stored placement, opening
// with the HR-II type loaded. Sets the application's icon for every window.
// Returns once the main window is shown; the event loop does the rest.
void Main(std::chrono::milliseconds wait = trimwell::Splash_Wait);

} // namespace Module1
