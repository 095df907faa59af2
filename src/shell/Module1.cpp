#include "shell/Module1.h"

#include <QApplication>

#include "forms/frmMain.h"
#include "forms/look/trimwell_art.h"
#include "shell/main_lifecycle.h"

namespace Module1 {

QPointer<frmMain> fMainForm;

void Main(std::chrono::milliseconds wait) {
  QApplication::setWindowIcon(trimwell::Application_Icon());
  // A main window still open when the program is told to quit (say, by the
  // session ending) is destroyed before the application is.
  static const QMetaObject::Connection cleanup = QObject::connect(
      qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete fMainForm; });
  const trimwell::Main_Window_Steps steps = {
      [] {
        // Owned by itself: it deletes itself when closed.
        auto* form = new frmMain;
        form->setAttribute(Qt::WA_DeleteOnClose);
        trimwell::Attach_Main_Lifecycle(*form);
        fMainForm = form;
        return static_cast<QWidget*>(form);
      },
      [](QWidget&) { fMainForm->Form_Load(); },
  };
  trimwell::Run_Startup(wait, steps);
}

} // namespace Module1
