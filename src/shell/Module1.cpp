#include "shell/Module1.h"

#include <QApplication>
#include <memory>

#include "forms/frmMain.h"
#include "forms/frmSplash.h"
#include "forms/look/trimwell_art.h"
#include "shell/main_lifecycle.h"
#include "shell/system.h"

namespace Module1 {

QPointer<frmMain> fMainForm;

void Main(const Splash_Wait& wait) {
  QApplication::setWindowIcon(trimwell::Application_Icon());
  // A main window still open when the program is told to quit (say, by the
  // session ending) is destroyed before the application is.
  static const QMetaObject::Connection cleanup = QObject::connect(
      qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete fMainForm; });

  auto splash = std::make_shared<frmSplash>();
  splash->show();
  trimwell::Draw_Now(*splash); // fully drawn before the wait
  wait(
      [] {
        // Owned by itself: it deletes itself when closed.
        fMainForm = new frmMain;
        fMainForm->setAttribute(Qt::WA_DeleteOnClose);
        trimwell::Form_Load(*fMainForm); // at its stored placement, hidden
      },
      // From here on held by what comes after the wait alone, which lets it
      // go.
      [splash = std::move(splash)]() mutable {
        splash.reset();
        // Shown as it was laid out: show() would ask the window system for
        // its default state, which in a page is full screen. Takes the
        // focus, and so loads its first type.
        fMainForm->setVisible(true);
      });
}

void Main() {
  Main([](const std::function<void()>& prepare,
          const std::function<void()>& then) {
    trimwell::Wait_Without_Events(Splash_Time, prepare, then);
  });
}

} // namespace Module1
