#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <thread>

#include "shell/placement.h"
#include "shell/system.h"

namespace trimwell {

namespace {

// Short enough that the wait ends within a few milliseconds of its time,
// long enough that the processor rests in between.
constexpr std::chrono::milliseconds Wait_Step{10};

// A window system that has not mapped a window by then never will; the
// program goes on without it rather than hang.
constexpr int Expose_Timeout_Ms = 2000;

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

void Prepare_System() {}

void Draw_Now(QWidget& window) {
  Wait_Until_Exposed(window);
  window.repaint(); // draws and flushes at once
}

// No events at all: input typed meanwhile waits in the window system's
// queue.
void Wait_Without_Events(std::chrono::milliseconds wait,
                         const std::function<void()>& prepare,
                         const std::function<void()>& then) {
  // Measured from a steady clock, so midnight or a clock change cannot
  // shorten or stretch it.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + wait;
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
    std::this_thread::sleep_for(
        std::min<Clock::duration>(end - now, Wait_Step));
  }
  prepare();
  then();
}

// Where the user last left it, off the screen or not (the window manager
// has its say); stored as it closes.
placement::Rules placement::This_System() {
  return {false, false};
}

} // namespace trimwell
