#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

#include "forms/sysinfo/registry.h"

class QLabel;
class QPushButton;

namespace trimwell {
class Line_Shape;
}

// The About box: title, version, description and disclaimer, an OK button
// and a button that starts the system's information tool. Modal to its
// owner and centred on it. The controls are public, like those of a
// classic form, and each carries its member's name as its objectName.
class frmAbout : public QDialog {
  Q_OBJECT
public:
  explicit frmAbout(QWidget* owner = nullptr);
  ~frmAbout() override;

  // Starts the system information tool whose place the machine-wide store
  // names; tells the user when it cannot. The About box stays open.
  void StartSysInfo();

  // Reads one value of the machine-wide store; see sysinfo::GetKeyValue.
  bool GetKeyValue(std::uint32_t KeyRoot, const QString& KeyName,
                   const QString& SubKeyRef, QString& KeyVal);

  // Reads the tool's place from `registry` instead of the machine's store.
  void Use_Registry(std::unique_ptr<trimwell::registry::Registry> registry);

  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;
  QLabel* picIcon = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblDescription = nullptr;
  // The etched separator: Line1[1] the grey line, Line1[0] the white one.
  std::array<trimwell::Line_Shape*, 2> Line1{};

private:
  void Build_Controls();
  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  std::unique_ptr<trimwell::registry::Registry> registry_;
};
