#pragma once

#include <chrono>

class frmSplash;

namespace trimwell {

// How long the splash screen stays up before the main window is made.
inline constexpr std::chrono::milliseconds Splash_Wait{3000};

// Shows the splash screen and returns once it is fully drawn on the screen.
// Only window-system events are handled meanwhile, never the user's input.
void Show_Splash(frmSplash& splash);

// The program's own splash wait: Wait_Without_Events of Splash_Wait.
void Wait_Splash_Time();

} // namespace trimwell
