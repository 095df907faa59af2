#pragma once

#include <QMainWindow>

#include "model/input_fields.h"
#include "model/loading_model.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;

namespace trimwell {
struct Aircraft_Preset;
struct Preset_Box;
class Main_Status_Bar;
class Option_Button;
class Picture_Box;
} // namespace trimwell

// The calculator's one working window. Every input change and every
// aircraft type recalculates the loading model, shows the results and
// redraws the chart at once, painting before the handler returns.
//
// Its lifecycle belongs to whoever made it: the start-up code loads it at
// its stored placement and unloads it when it announces its close, so a
// window the start-up did not load touches no settings.
//
// The controls are public, like the controls of a classic form, and each
// carries its member's name as its objectName.
class frmMain : public QMainWindow {
  Q_OBJECT
public:
  explicit frmMain(QWidget* parent = nullptr);

  // The loading model as the last calculation left it.
  const trimwell::Loading_Model& Model() const { return model_; }

  QMenu* mnuFile = nullptr;
  QAction* mnuFileExit = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuHelpAbout = nullptr;
  trimwell::Main_Status_Bar* sbStatusBar = nullptr;

  QGroupBox* Frame_Select_Aircraft = nullptr;
  trimwell::Option_Button* Option_HRII = nullptr;
  trimwell::Option_Button* Option_RV3 = nullptr;
  trimwell::Option_Button* Option_RV4 = nullptr;
  trimwell::Option_Button* Option_RV6 = nullptr;
  trimwell::Option_Button* Option_RV8 = nullptr;
  trimwell::Option_Button* Option_RV9 = nullptr;
  trimwell::Option_Button* Option_Other = nullptr;

  QGroupBox* Frame_Flight_Conditions = nullptr;
  QLabel* Label_ARM = nullptr;
  QLabel* Label_Weight = nullptr;
  QLabel* Label_Oil = nullptr;
  QLineEdit* Text_Oil_ARM = nullptr;
  QLineEdit* Text_Oil_Weight = nullptr;
  QLabel* Label_Front_Baggage = nullptr;
  QLineEdit* Text_Front_Baggage_ARM = nullptr;
  QLineEdit* Text_Front_Baggage_Weight = nullptr;
  QLabel* Label_Pilot = nullptr;
  QLineEdit* Text_Pilot_ARM = nullptr;
  QLineEdit* Text_Pilot_Weight = nullptr;
  QLabel* Label_Passenger = nullptr;
  QLineEdit* Text_Passenger_ARM = nullptr;
  QLineEdit* Text_Passenger_Weight = nullptr;
  QLabel* Label_Rear_Baggage = nullptr;
  QLineEdit* Text_Rear_Baggage_ARM = nullptr;
  QLineEdit* Text_Rear_Baggage_Weight = nullptr;
  QLabel* Label_Fuselage_Fuel = nullptr;
  QLineEdit* Text_Fuselage_Fuel_ARM = nullptr;
  QLineEdit* Text_Fuselage_Fuel_Weight = nullptr;
  QLabel* Label_Wing_Fuel = nullptr;
  QLineEdit* Text_Wing_Fuel_ARM = nullptr;
  QLineEdit* Text_Wing_Fuel_Weight = nullptr;

  QGroupBox* Frame_CG_Weight_Limits = nullptr;
  QLabel* Label_Forward_CG_Limit = nullptr;
  QLineEdit* Text_Forward_CG_Limit_ARM = nullptr;
  QLabel* Label_Empty_Aircraft = nullptr;
  QLineEdit* Text_Empty_Aircraft_ARM = nullptr;
  QLineEdit* Text_Empty_Aircraft_Weight = nullptr;
  QLabel* Label_Aerobatic_Limit = nullptr;
  QLineEdit* Text_Aerobatic_Limit_ARM = nullptr;
  QLineEdit* Text_Aerobatic_Limit_Weight = nullptr;
  QLabel* Label_Aft_CG_Limit = nullptr;
  QLineEdit* Text_Aft_CG_Limit_ARM = nullptr;
  QLabel* Label_Max_Allowable_Weight = nullptr;
  QLineEdit* Text_Max_Allowable_Weight = nullptr;

  QGroupBox* Frame_Calculated_Flight_Conditions = nullptr;
  QLabel* Label_Aircraft = nullptr;
  QLineEdit* Text_Aircraft_ARM = nullptr;
  QLineEdit* Text_Aircraft_Weight = nullptr;

  trimwell::Picture_Box* Picture_Graphic = nullptr;
  QLabel* Label_Graphic_Hor = nullptr;
  QLabel* Label_Graphic_Title = nullptr;
  QLabel* Label_W = nullptr;
  QLabel* Label_E = nullptr;
  QLabel* Label_I = nullptr;
  QLabel* Label_G = nullptr;
  QLabel* Label_H = nullptr;
  QLabel* Label_T = nullptr;

signals:
  // As the window closes; the close is never cancelled.
  void unloading();

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void Build_Menus();
  void Connect_Handlers();

  void mnuFileExit_Click();
  void mnuHelpAbout_Click();

  void Option_HRII_Click();
  void Option_RV3_Click();
  void Option_RV4_Click();
  void Option_RV6_Click();
  void Option_RV8_Click();
  void Option_RV9_Click();
  void Option_Other_Click();
  void Load_Preset(const trimwell::Aircraft_Preset& preset);
  void Show_Preset_Box(const trimwell::Preset_Box& box);

  void Text_Empty_Aircraft_ARM_Change();
  void Text_Empty_Aircraft_Weight_Change();
  void Text_Oil_ARM_Change();
  void Text_Oil_Weight_Change();
  void Text_Front_Baggage_ARM_Change();
  void Text_Front_Baggage_Weight_Change();
  void Text_Pilot_ARM_Change();
  void Text_Pilot_Weight_Change();
  void Text_Passenger_ARM_Change();
  void Text_Passenger_Weight_Change();
  void Text_Rear_Baggage_ARM_Change();
  void Text_Rear_Baggage_Weight_Change();
  void Text_Fuselage_Fuel_ARM_Change();
  void Text_Fuselage_Fuel_Weight_Change();
  void Text_Wing_Fuel_ARM_Change();
  void Text_Wing_Fuel_Weight_Change();
  void Text_Forward_CG_Limit_ARM_Change();
  void Text_Aft_CG_Limit_ARM_Change();
  void Text_Aerobatic_Limit_ARM_Change();
  void Text_Aerobatic_Limit_Weight_Change();
  void Text_Max_Allowable_Weight_Change();
  // The common work of the handlers above: the box's number into its model
  // value, then Update_Display.
  void Store_Input(trimwell::Input input);
  // The input box of `input`, with its handler and label, from the one
  // table of the 21 boxes.
  struct Input_Box;
  static const Input_Box& Box_Of(trimwell::Input input);

  void Picture_Graphic_Click();

  void Update_Display();
  void Calculate_CG();
  void Draw_CG_Graphic();
  void Repaint_Results();

  trimwell::Loading_Model model_;
  bool shown_before_ = false;
};
