#include "shell/main_lifecycle.h"

#include <QWidget>

namespace trimwell {

// Placeholder until the stored placement lands.
void Restore_Main_Placement(QWidget&) {}
void Unload_Main_Window(QWidget&) {}

} // namespace trimwell
