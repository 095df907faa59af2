#include "forms/controls/modal.h"

namespace trimwell {

// The dialog's parent owns it until it closes, and it deletes itself then.
// A page has no window manager to hand the keyboard back to the window
// beneath once the dialog closes, so the dialog does.
void Run_Modal(std::unique_ptr<QDialog> dialog) {
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::ApplicationModal);
  if (QWidget* owner = dialog->parentWidget()) {
    QObject::connect(dialog.get(), &QDialog::finished, owner,
                     [owner] { owner->window()->activateWindow(); });
  }
  dialog.release()->show();
}

} // namespace trimwell
