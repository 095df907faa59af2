#pragma once

#include <chrono>
#include <functional>

class frmSplash;

namespace trimwell {

// How long the splash screen stays up before the main window is made.
inline constexpr std::chrono::milliseconds Splash_Wait{3000};

// Shows the splash screen, drawn on the screen before the wait starts
// (Draw_Now). Only window-system events are handled meanwhile, never the
// user's input.
void Show_Splash(frmSplash& splash);

// The program's own splash wait: Wait_Without_Events of Splash_Wait, then
// `then`.
void Wait_Splash_Time(const std::function<void()>& then);

} // namespace trimwell
