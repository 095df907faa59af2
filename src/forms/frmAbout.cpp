#include "forms/frmAbout.h"

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("About Trimwell"));
}
