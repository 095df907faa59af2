#pragma once

#include <QDialog>

// Placeholder About box until the real one lands.
class frmAbout : public QDialog {
  Q_OBJECT
public:
  explicit frmAbout(QWidget* owner = nullptr);
};
