#pragma once

#include <QDialog>
#include <memory>

namespace trimwell {

// Shows a dialog modally and lets it go once closed. On a desktop the
// caller waits for it in a nested event loop; in a web page a nested loop
// cannot start from the browser's input handlers, so there the dialog is
// modal without one and returns at once.
void Run_Modal(std::unique_ptr<QDialog> dialog);

} // namespace trimwell
