#pragma once

#include <QPointer>
#include <functional>

#include "shell/startup.h"

class frmMain;

// The program's start-up module.
namespace Module1 {

// The one main window, from its creation by Main until it is closed.
extern QPointer<frmMain> fMainForm;

// The start-up sequence: the splash screen through `wait` (the program's
// three seconds; tests and the start-up benchmark pass their own), then the
// main window at its stored placement, opening with the HR-II type loaded.
// Returns once the main window is shown; the event loop does the rest.
void Main(const std::function<void()>& wait = trimwell::Wait_Splash_Time);

} // namespace Module1
