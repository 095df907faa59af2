#pragma once

#include <chrono>
#include <functional>
#include <memory>

class QWidget;
class frmSplash;

namespace trimwell {

// How long the splash screen stays up before the main window is made.
inline constexpr std::chrono::milliseconds Splash_Wait{3000};

// What the start-up sequence does to the main window, apart from showing it.
struct Main_Window_Steps {
  // A new main window, deleted when it is closed.
  std::function<QWidget*()> Create;
  // Its Form_Load: restores the placement, nothing else.
  std::function<void(QWidget&)> Load;
};

// Shows the splash screen and returns once it is fully drawn on the screen.
// Only window-system events are handled meanwhile, never the user's input.
void Show_Splash(frmSplash& splash);

// Waits `wait` on the monotonic clock, in short sleeps, handling no events
// at all: for that time the program neither repaints nor reacts to input.
void Wait_Without_Events(std::chrono::milliseconds wait);

// The start-up after the wait: creates and loads the main window, removes
// the splash screen, then shows the main window. Returns the main window.
QWidget* Finish_Startup(std::unique_ptr<frmSplash> splash,
                        const Main_Window_Steps& steps);

// The whole start-up sequence: splash, wait, main window.
QWidget* Run_Startup(std::chrono::milliseconds wait,
                     const Main_Window_Steps& steps);

} // namespace trimwell
