#pragma once

#include <QFrame>

class QLabel;

// The start-up card: a small frameless window centred on the screen that
// names the product, shows the version and a picture, and has no input
// handling of its own. The controls are public, like those of a classic
// form, and each carries its member's name as its objectName.
class frmSplash : public QFrame {
  Q_OBJECT
public:
  frmSplash();

  QFrame* fraMainFrame = nullptr;
  QLabel* picLogo = nullptr;
  QLabel* lblCompanyProduct = nullptr;
  QLabel* lblProductName = nullptr;
  QLabel* lblPlatform = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblLicenseTo = nullptr;
  QLabel* lblCopyright = nullptr;
  QLabel* lblCompany = nullptr;
  QLabel* lblWarning = nullptr;

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void Build_Controls();
  void Form_Load();
};
