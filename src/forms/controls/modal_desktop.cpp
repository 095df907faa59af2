#include "forms/controls/modal.h"

namespace trimwell {

void Run_Modal(std::unique_ptr<QDialog> dialog) {
  dialog->exec();
}

} // namespace trimwell
