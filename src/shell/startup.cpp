#include "shell/startup.h"

#include <QEventLoop>
#include <QTimer>
#include <QWindow>

#include "forms/frmSplash.h"
#include "shell/system.h"

namespace trimwell {

namespace {

// A window system that has not mapped the splash screen by then never will;
// start-up goes on without it rather than hang.
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

void Show_Splash(frmSplash& splash) {
  splash.show();
  Wait_Until_Exposed(splash);
  splash.repaint(); // draws and flushes at once
}

void Wait_Splash_Time() {
  Wait_Without_Events(Splash_Wait);
}

} // namespace trimwell
