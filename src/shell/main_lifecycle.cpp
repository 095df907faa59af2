#include "shell/main_lifecycle.h"

#include <QPointer>
#include <vector>

#include "forms/frmMain.h"
#include "shell/placement.h"

namespace trimwell {

void Form_Load(frmMain& window) {
  placement::Restore(window);
  QObject::connect(&window, &frmMain::unloading, &window,
                   [&window] { Form_Unload(window); });
}

void Form_Unload(frmMain& window) {
  // Its windows, the About box and what that shows, are its children: in
  // the order they were made, each before its own.
  std::vector<QPointer<QWidget>> others;
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (child->isWindow() && child->isVisible()) {
      others.emplace_back(child);
    }
  }
  // Closing one may delete another.
  for (auto other = others.rbegin(); other != others.rend(); ++other) {
    if (*other) {
      (*other)->close();
    }
  }
  placement::Store(window);
}

} // namespace trimwell
