#include "forms/frmMain.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShowEvent>

#include "chart/cg_graphic.h"
#include "chart/palette.h"
#include "forms/form_font.h"
#include "forms/form_style.h"
#include "forms/frmAbout.h"
#include "forms/main_layout.h"
#include "forms/main_status_bar.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"
#include "forms/twips.h"
#include "model/calculate_cg.h"
#include "model/number_text.h"
#include "presets/aircraft_presets.h"
#include "shell/main_lifecycle.h"
#include "trimwell_build.h"

using namespace trimwell;

namespace {

// The client area below the menu bar, status bar included, in twips.
constexpr int Client_Width = 11430;
constexpr int Client_Height = 8820;

// The boxes and label of each station a preset fills, Oil to Wing Fuel.
struct Station_Controls {
  QLineEdit* frmMain::*Arm_Box;
  QLineEdit* frmMain::*Weight_Box;
  QLabel* frmMain::*Label;
};

constexpr Station_Controls Preset_Stations[Loaded_Station_Count] = {
    {&frmMain::Text_Oil_ARM, &frmMain::Text_Oil_Weight, &frmMain::Label_Oil},
    {&frmMain::Text_Front_Baggage_ARM, &frmMain::Text_Front_Baggage_Weight,
     &frmMain::Label_Front_Baggage},
    {&frmMain::Text_Pilot_ARM, &frmMain::Text_Pilot_Weight,
     &frmMain::Label_Pilot},
    {&frmMain::Text_Passenger_ARM, &frmMain::Text_Passenger_Weight,
     &frmMain::Label_Passenger},
    {&frmMain::Text_Rear_Baggage_ARM, &frmMain::Text_Rear_Baggage_Weight,
     &frmMain::Label_Rear_Baggage},
    {&frmMain::Text_Fuselage_Fuel_ARM, &frmMain::Text_Fuselage_Fuel_Weight,
     &frmMain::Label_Fuselage_Fuel},
    {&frmMain::Text_Wing_Fuel_ARM, &frmMain::Text_Wing_Fuel_Weight,
     &frmMain::Label_Wing_Fuel},
};

// The limits frame, in the order a preset fills it: model value, then box.
struct Limit_Control {
  QLineEdit* frmMain::*Box;
  double& (*Model_Value)(Loading_Model&);
  double (*Preset_Value)(const Aircraft_Preset&);
  bool Aerobatic; // shows Not_Applicable_Text where those limits do not apply
};

constexpr Limit_Control Preset_Limits[] = {
    {&frmMain::Text_Forward_CG_Limit_ARM,
     [](Loading_Model& m) -> double& { return m.Forward_CG_Limit_ARM; },
     [](const Aircraft_Preset& p) { return p.Forward_CG_Limit_ARM; }, false},
    {&frmMain::Text_Empty_Aircraft_ARM,
     [](Loading_Model& m) -> double& { return m.Stations[Empty_Aircraft].Arm; },
     [](const Aircraft_Preset& p) { return p.Empty_Aircraft_Arm; }, false},
    {&frmMain::Text_Empty_Aircraft_Weight,
     [](Loading_Model& m) -> double& {
       return m.Stations[Empty_Aircraft].Weight;
     },
     [](const Aircraft_Preset& p) { return p.Empty_Aircraft_Weight; }, false},
    {&frmMain::Text_Aerobatic_Limit_ARM,
     [](Loading_Model& m) -> double& { return m.Aerobatic_Limit_ARM; },
     Preset_Aerobatic_Limit_ARM, true},
    {&frmMain::Text_Aerobatic_Limit_Weight,
     [](Loading_Model& m) -> double& { return m.Aerobatic_Limit_Weight; },
     Preset_Aerobatic_Limit_Weight, true},
    {&frmMain::Text_Aft_CG_Limit_ARM,
     [](Loading_Model& m) -> double& { return m.Aft_CG_Limit_ARM; },
     [](const Aircraft_Preset& p) { return p.Aft_CG_Limit_ARM; }, false},
    {&frmMain::Text_Max_Allowable_Weight,
     [](Loading_Model& m) -> double& { return m.Max_Allowable_Weight; },
     [](const Aircraft_Preset& p) { return p.Max_Allowable_Weight; }, false},
};

QString Field_Text(double value) {
  return QString::fromStdString(Number_To_Text(value));
}

// A text the program writes shows from its start: a long result such as
// " 93.3410810810811" shows its leading digits, not its last ones.
void Write_Box(QLineEdit& box, const QString& text) {
  box.setText(text);
  box.setCursorPosition(0);
}

double Field_Number(const QLineEdit& box) {
  return Text_To_Number(box.text().toStdString());
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromUtf8(build::Title));
  setFont(Form_Font(Form_Default_Points));
  Build_Menus();
  sbStatusBar = new Main_Status_Bar(this);
  sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
  setStatusBar(sbStatusBar);
  auto* client = new QWidget(this);
  setCentralWidget(client);
  Build_Main_Layout(*this, *client);
  Connect_Handlers();
  // Before the size: the menu bar's height is the style's. The window
  // gives the bar the height it asks for at the window's width.
  Set_Form_Look(*this);
  const int width = Twips_To_Pixels(Client_Width);
  resize(width,
         menuBar()->heightForWidth(width) + Twips_To_Pixels(Client_Height));
}

void frmMain::Build_Menus() {
  mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));
  mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
  mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
  mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About "));
  mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
}

void frmMain::Connect_Handlers() {
  struct Change_Link {
    QLineEdit* frmMain::*Box;
    void (frmMain::*Handler)();
  };
  static constexpr Change_Link Change_Links[] = {
      {&frmMain::Text_Empty_Aircraft_ARM,
       &frmMain::Text_Empty_Aircraft_ARM_Change},
      {&frmMain::Text_Empty_Aircraft_Weight,
       &frmMain::Text_Empty_Aircraft_Weight_Change},
      {&frmMain::Text_Oil_ARM, &frmMain::Text_Oil_ARM_Change},
      {&frmMain::Text_Oil_Weight, &frmMain::Text_Oil_Weight_Change},
      {&frmMain::Text_Front_Baggage_ARM,
       &frmMain::Text_Front_Baggage_ARM_Change},
      {&frmMain::Text_Front_Baggage_Weight,
       &frmMain::Text_Front_Baggage_Weight_Change},
      {&frmMain::Text_Pilot_ARM, &frmMain::Text_Pilot_ARM_Change},
      {&frmMain::Text_Pilot_Weight, &frmMain::Text_Pilot_Weight_Change},
      {&frmMain::Text_Passenger_ARM, &frmMain::Text_Passenger_ARM_Change},
      {&frmMain::Text_Passenger_Weight, &frmMain::Text_Passenger_Weight_Change},
      {&frmMain::Text_Rear_Baggage_ARM, &frmMain::Text_Rear_Baggage_ARM_Change},
      {&frmMain::Text_Rear_Baggage_Weight,
       &frmMain::Text_Rear_Baggage_Weight_Change},
      {&frmMain::Text_Fuselage_Fuel_ARM,
       &frmMain::Text_Fuselage_Fuel_ARM_Change},
      {&frmMain::Text_Fuselage_Fuel_Weight,
       &frmMain::Text_Fuselage_Fuel_Weight_Change},
      {&frmMain::Text_Wing_Fuel_ARM, &frmMain::Text_Wing_Fuel_ARM_Change},
      {&frmMain::Text_Wing_Fuel_Weight, &frmMain::Text_Wing_Fuel_Weight_Change},
      {&frmMain::Text_Forward_CG_Limit_ARM,
       &frmMain::Text_Forward_CG_Limit_ARM_Change},
      {&frmMain::Text_Aft_CG_Limit_ARM, &frmMain::Text_Aft_CG_Limit_ARM_Change},
      {&frmMain::Text_Aerobatic_Limit_ARM,
       &frmMain::Text_Aerobatic_Limit_ARM_Change},
      {&frmMain::Text_Aerobatic_Limit_Weight,
       &frmMain::Text_Aerobatic_Limit_Weight_Change},
      {&frmMain::Text_Max_Allowable_Weight,
       &frmMain::Text_Max_Allowable_Weight_Change},
  };
  // textChanged, not textEdited: a text the program writes runs the handler
  // at once, nested inside the writer, just as typing does.
  for (const Change_Link& link : Change_Links) {
    connect(this->*link.Box, &QLineEdit::textChanged, this, link.Handler);
  }

  struct Click_Link {
    Option_Button* frmMain::*Button;
    void (frmMain::*Handler)();
  };
  static constexpr Click_Link Click_Links[] = {
      {&frmMain::Option_HRII, &frmMain::Option_HRII_Click},
      {&frmMain::Option_RV3, &frmMain::Option_RV3_Click},
      {&frmMain::Option_RV4, &frmMain::Option_RV4_Click},
      {&frmMain::Option_RV6, &frmMain::Option_RV6_Click},
      {&frmMain::Option_RV8, &frmMain::Option_RV8_Click},
      {&frmMain::Option_RV9, &frmMain::Option_RV9_Click},
      {&frmMain::Option_Other, &frmMain::Option_Other_Click},
  };
  for (const Click_Link& link : Click_Links) {
    connect(this->*link.Button, &QAbstractButton::clicked, this, link.Handler);
  }

  connect(Picture_Graphic, &Picture_Box::clicked, this,
          &frmMain::Picture_Graphic_Click);
  connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
  connect(mnuHelpAbout, &QAction::triggered, this,
          &frmMain::mnuHelpAbout_Click);
}

// Lifecycle -----------------------------------------------------------------

void frmMain::Form_Load() {
  Restore_Main_Placement(*this);
}

void frmMain::Form_Unload() {
  Unload_Main_Window(*this);
}

void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_before_) {
    return;
  }
  shown_before_ = true;
  // The first control in tab order takes the focus as the window first
  // shows, and an option button that takes the focus is chosen: the window
  // opens with HR-II loaded. Clicking here too makes that independent of
  // when (or whether) the window system activates the window.
  Option_HRII->setFocus(Qt::TabFocusReason);
  if (!Option_HRII->isChecked()) {
    Option_HRII->click();
  }
}

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmMain::mnuFileExit_Click() {
  close();
}

void frmMain::mnuHelpAbout_Click() {
  frmAbout about(this);
  about.exec();
}

// Aircraft types ------------------------------------------------------------

void frmMain::Option_HRII_Click() {
  Load_Preset(Aircraft_Presets[Preset_HRII]);
}
void frmMain::Option_RV3_Click() {
  Load_Preset(Aircraft_Presets[Preset_RV3]);
}
void frmMain::Option_RV4_Click() {
  Load_Preset(Aircraft_Presets[Preset_RV4]);
}
void frmMain::Option_RV6_Click() {
  Load_Preset(Aircraft_Presets[Preset_RV6]);
}
void frmMain::Option_RV8_Click() {
  Load_Preset(Aircraft_Presets[Preset_RV8]);
}
void frmMain::Option_RV9_Click() {
  Load_Preset(Aircraft_Presets[Preset_RV9]);
}
void frmMain::Option_Other_Click() {
  Load_Preset(Aircraft_Presets[Preset_Other]);
}

// Each value goes into the model first and then into its box. Writing the
// box runs its change handler, nested: a full recalculation with the model
// filled only up to this value. Writing the model first also keeps the
// model right where the box already shows the text and so runs nothing.
void frmMain::Load_Preset(const Aircraft_Preset& preset) {
  for (int k = 0; k < Loaded_Station_Count; ++k) {
    const auto index = static_cast<Station_Index>(Oil + k);
    const Preset_Station& values = preset.Stations[static_cast<std::size_t>(k)];
    const Station_Controls& controls =
        Preset_Stations[static_cast<std::size_t>(k)];
    Station& station = model_.Stations[index];
    station.Arm = values.Arm;
    station.Weight = values.Weight;
    Write_Box(*(this->*controls.Arm_Box), Field_Text(values.Arm));
    Write_Box(*(this->*controls.Weight_Box), Field_Text(values.Weight));
    const Station_Look look = Preset_Station_Look(preset, index);
    QLabel& label = *(this->*controls.Label);
    label.setText(QString::fromUtf8(look.Caption));
    Set_Text_Color(label, Palette_Color(look.Color));
  }
  for (const Limit_Control& limit : Preset_Limits) {
    const double value = limit.Preset_Value(preset);
    limit.Model_Value(model_) = value;
    const bool not_applicable =
        limit.Aerobatic && !preset.Aerobatic_Limits_Apply;
    Write_Box(*(this->*limit.Box),
              not_applicable ? QString::fromLatin1(Not_Applicable_Text)
                             : Field_Text(value));
  }
  Load_Preset_Path_Colors(preset, model_);
  Update_Display();
}

// Input boxes ---------------------------------------------------------------

void frmMain::Store_Input(const QLineEdit& box, double& value) {
  value = Field_Number(box);
  Update_Display();
}

void frmMain::Text_Empty_Aircraft_Weight_Change() {
  double& weight = model_.Stations[Empty_Aircraft].Weight;
  weight = Field_Number(*Text_Empty_Aircraft_Weight);
  // An empty aircraft of weight 0 would leave the whole path without a CG;
  // the box keeps the text as typed.
  if (weight == 0) {
    weight = 1;
  }
  Update_Display();
}

void frmMain::Text_Empty_Aircraft_ARM_Change() {
  Store_Input(*Text_Empty_Aircraft_ARM, model_.Stations[Empty_Aircraft].Arm);
}
void frmMain::Text_Oil_ARM_Change() {
  Store_Input(*Text_Oil_ARM, model_.Stations[Oil].Arm);
}
void frmMain::Text_Oil_Weight_Change() {
  Store_Input(*Text_Oil_Weight, model_.Stations[Oil].Weight);
}
void frmMain::Text_Front_Baggage_ARM_Change() {
  Store_Input(*Text_Front_Baggage_ARM, model_.Stations[Front_Baggage].Arm);
}
void frmMain::Text_Front_Baggage_Weight_Change() {
  Store_Input(*Text_Front_Baggage_Weight,
              model_.Stations[Front_Baggage].Weight);
}
void frmMain::Text_Pilot_ARM_Change() {
  Store_Input(*Text_Pilot_ARM, model_.Stations[Pilot].Arm);
}
void frmMain::Text_Pilot_Weight_Change() {
  Store_Input(*Text_Pilot_Weight, model_.Stations[Pilot].Weight);
}
void frmMain::Text_Passenger_ARM_Change() {
  Store_Input(*Text_Passenger_ARM, model_.Stations[Passenger].Arm);
}
void frmMain::Text_Passenger_Weight_Change() {
  Store_Input(*Text_Passenger_Weight, model_.Stations[Passenger].Weight);
}
void frmMain::Text_Rear_Baggage_ARM_Change() {
  Store_Input(*Text_Rear_Baggage_ARM, model_.Stations[Rear_Baggage].Arm);
}
void frmMain::Text_Rear_Baggage_Weight_Change() {
  Store_Input(*Text_Rear_Baggage_Weight, model_.Stations[Rear_Baggage].Weight);
}
void frmMain::Text_Fuselage_Fuel_ARM_Change() {
  Store_Input(*Text_Fuselage_Fuel_ARM, model_.Stations[Fuselage_Fuel].Arm);
}
void frmMain::Text_Fuselage_Fuel_Weight_Change() {
  Store_Input(*Text_Fuselage_Fuel_Weight,
              model_.Stations[Fuselage_Fuel].Weight);
}
void frmMain::Text_Wing_Fuel_ARM_Change() {
  Store_Input(*Text_Wing_Fuel_ARM, model_.Stations[Wing_Fuel].Arm);
}
void frmMain::Text_Wing_Fuel_Weight_Change() {
  Store_Input(*Text_Wing_Fuel_Weight, model_.Stations[Wing_Fuel].Weight);
}
void frmMain::Text_Forward_CG_Limit_ARM_Change() {
  Store_Input(*Text_Forward_CG_Limit_ARM, model_.Forward_CG_Limit_ARM);
}
void frmMain::Text_Aft_CG_Limit_ARM_Change() {
  Store_Input(*Text_Aft_CG_Limit_ARM, model_.Aft_CG_Limit_ARM);
}
void frmMain::Text_Aerobatic_Limit_ARM_Change() {
  Store_Input(*Text_Aerobatic_Limit_ARM, model_.Aerobatic_Limit_ARM);
}
void frmMain::Text_Aerobatic_Limit_Weight_Change() {
  Store_Input(*Text_Aerobatic_Limit_Weight, model_.Aerobatic_Limit_Weight);
}
void frmMain::Text_Max_Allowable_Weight_Change() {
  Store_Input(*Text_Max_Allowable_Weight, model_.Max_Allowable_Weight);
}

// Recalculation and chart ---------------------------------------------------

void frmMain::Update_Display() {
  Calculate_CG();
  Draw_CG_Graphic();
  Repaint_Results();
}

// A result without a finite value shows as an empty box (Number_To_Text).
void frmMain::Calculate_CG() {
  trimwell::Calculate_CG(model_);
  Write_Box(*Text_Aircraft_ARM, Field_Text(model_.Aircraft_ARM));
  Write_Box(*Text_Aircraft_Weight, Field_Text(model_.Aircraft_Weight));
}

void frmMain::Draw_CG_Graphic() {
  trimwell::Draw_CG_Graphic(model_, *Picture_Graphic);
}

// The results and the chart are on the screen before the handler returns.
// repaint() paints at once, and the window's repaint manager brings every
// other pending update of the window to the screen in the same pass: the
// result boxes, the box just typed into, the labels a preset has just
// changed. One pass per recalculation, and nothing else to name.
void frmMain::Repaint_Results() {
  Picture_Graphic->repaint();
}

// The chart click: the calculation and the drawing again, without forcing
// a repaint; the chart box's own update brings it to the screen.
void frmMain::Picture_Graphic_Click() {
  Calculate_CG();
  Draw_CG_Graphic();
}
