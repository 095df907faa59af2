#include "shell/startup.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <thread>

#include "forms/frmSplash.h"

namespace trimwell {

namespace {

// A window system that has not mapped the splash screen by then never will;
// start-up goes on without it rather than hang.
constexpr int Expose_Timeout_Ms = 2000;

// Short enough that the wait ends within a few milliseconds of its time,
// long enough that the processor rests in between.
constexpr std::chrono::milliseconds Wait_Step{10};

// Quits `loop` when the watched window becomes visible on the screen.
class Expose_Watch : public QObject {
public:
  explicit Expose_Watch(QEventLoop& loop) : loop_(loop) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose &&
        static_cast<QWindow*>(watched)->isExposed()) {
      loop_.quit();
    }
    return false;
  }

private:
  QEventLoop& loop_;
};

// Drawing reaches the screen only once the window system has mapped the
// window, which it reports asynchronously.
void Wait_Until_Exposed(QWidget& window) {
  QWindow* handle = window.windowHandle();
  if (handle == nullptr || handle->isExposed()) {
    return;
  }
  QEventLoop loop;
  Expose_Watch watch(loop);
  handle->installEventFilter(&watch);
  QTimer::singleShot(Expose_Timeout_Ms, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  handle->removeEventFilter(&watch);
}

} // namespace

void Show_Splash(frmSplash& splash) {
  splash.show();
  Wait_Until_Exposed(splash);
  splash.repaint(); // draws and flushes at once
}

void Wait_Without_Events(std::chrono::milliseconds wait) {
  // Measured from a steady clock, so midnight or a clock change cannot
  // shorten or stretch it.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + wait;
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
    std::this_thread::sleep_for(
        std::min<Clock::duration>(end - now, Wait_Step));
  }
}

QWidget* Finish_Startup(std::unique_ptr<frmSplash> splash,
                        const Main_Window_Steps& steps) {
  QWidget* main = steps.Create();
  steps.Load(*main);
  splash.reset();
  main->show(); // the main window takes the focus and loads its first type
  return main;
}

QWidget* Run_Startup(std::chrono::milliseconds wait,
                     const Main_Window_Steps& steps) {
  auto splash = std::make_unique<frmSplash>();
  Show_Splash(*splash);
  Wait_Without_Events(wait);
  return Finish_Startup(std::move(splash), steps);
}

} // namespace trimwell
