#include "forms/frmMain.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShowEvent>
#include <memory>

#include "chart/cg_graphic.h"
#include "chart/palette.h"
#include "forms/controls/modal.h"
#include "forms/controls/option_button.h"
#include "forms/controls/picture_box.h"
#include "forms/frmAbout.h"
#include "forms/look/form_font.h"
#include "forms/look/form_style.h"
#include "forms/look/twips.h"
#include "forms/main_layout.h"
#include "forms/main_status_bar.h"
#include "model/calculate_cg.h"
#include "model/number_text.h"
#include "presets/aircraft_presets.h"
#include "trimwell_build.h"

using namespace trimwell;

namespace {

// The client area below the menu bar, status bar included, in twips.
constexpr int Client_Width = build::Main_Client_Width;
constexpr int Client_Height = build::Main_Client_Height;

QString Field_Text(double value) {
  return QString::fromStdString(Number_To_Text(value));
}

// A text the program writes shows from its start: a long result such as
// " 93.3410810810811" shows its leading digits, not its last ones.
void Write_Box(QLineEdit& box, const QString& text) {
  box.setText(text);
  box.setCursorPosition(0);
}

} // namespace

// The 21 input boxes, in the order of Input: the model value each feeds,
// the box, its change handler, and the station label a preset sets once
// both of the station's boxes are written.
struct frmMain::Input_Box {
  Input Value;
  QLineEdit* frmMain::*Box;
  void (frmMain::*Handler)();
  QLabel* frmMain::*Label;
};

const frmMain::Input_Box& frmMain::Box_Of(Input input) {
  static constexpr Input_Box Input_Boxes[Input_Count] = {
      {Input::Oil_Arm, &frmMain::Text_Oil_ARM, &frmMain::Text_Oil_ARM_Change,
       nullptr},
      {Input::Oil_Weight, &frmMain::Text_Oil_Weight,
       &frmMain::Text_Oil_Weight_Change, &frmMain::Label_Oil},
      {Input::Front_Baggage_Arm, &frmMain::Text_Front_Baggage_ARM,
       &frmMain::Text_Front_Baggage_ARM_Change, nullptr},
      {Input::Front_Baggage_Weight, &frmMain::Text_Front_Baggage_Weight,
       &frmMain::Text_Front_Baggage_Weight_Change,
       &frmMain::Label_Front_Baggage},
      {Input::Pilot_Arm, &frmMain::Text_Pilot_ARM,
       &frmMain::Text_Pilot_ARM_Change, nullptr},
      {Input::Pilot_Weight, &frmMain::Text_Pilot_Weight,
       &frmMain::Text_Pilot_Weight_Change, &frmMain::Label_Pilot},
      {Input::Passenger_Arm, &frmMain::Text_Passenger_ARM,
       &frmMain::Text_Passenger_ARM_Change, nullptr},
      {Input::Passenger_Weight, &frmMain::Text_Passenger_Weight,
       &frmMain::Text_Passenger_Weight_Change, &frmMain::Label_Passenger},
      {Input::Rear_Baggage_Arm, &frmMain::Text_Rear_Baggage_ARM,
       &frmMain::Text_Rear_Baggage_ARM_Change, nullptr},
      {Input::Rear_Baggage_Weight, &frmMain::Text_Rear_Baggage_Weight,
       &frmMain::Text_Rear_Baggage_Weight_Change, &frmMain::Label_Rear_Baggage},
      {Input::Fuselage_Fuel_Arm, &frmMain::Text_Fuselage_Fuel_ARM,
       &frmMain::Text_Fuselage_Fuel_ARM_Change, nullptr},
      {Input::Fuselage_Fuel_Weight, &frmMain::Text_Fuselage_Fuel_Weight,
       &frmMain::Text_Fuselage_Fuel_Weight_Change,
       &frmMain::Label_Fuselage_Fuel},
      {Input::Wing_Fuel_Arm, &frmMain::Text_Wing_Fuel_ARM,
       &frmMain::Text_Wing_Fuel_ARM_Change, nullptr},
      {Input::Wing_Fuel_Weight, &frmMain::Text_Wing_Fuel_Weight,
       &frmMain::Text_Wing_Fuel_Weight_Change, &frmMain::Label_Wing_Fuel},
      {Input::Forward_CG_Limit_ARM, &frmMain::Text_Forward_CG_Limit_ARM,
       &frmMain::Text_Forward_CG_Limit_ARM_Change, nullptr},
      {Input::Empty_Aircraft_Arm, &frmMain::Text_Empty_Aircraft_ARM,
       &frmMain::Text_Empty_Aircraft_ARM_Change, nullptr},
      {Input::Empty_Aircraft_Weight, &frmMain::Text_Empty_Aircraft_Weight,
       &frmMain::Text_Empty_Aircraft_Weight_Change, nullptr},
      {Input::Aerobatic_Limit_ARM, &frmMain::Text_Aerobatic_Limit_ARM,
       &frmMain::Text_Aerobatic_Limit_ARM_Change, nullptr},
      {Input::Aerobatic_Limit_Weight, &frmMain::Text_Aerobatic_Limit_Weight,
       &frmMain::Text_Aerobatic_Limit_Weight_Change, nullptr},
      {Input::Aft_CG_Limit_ARM, &frmMain::Text_Aft_CG_Limit_ARM,
       &frmMain::Text_Aft_CG_Limit_ARM_Change, nullptr},
      {Input::Max_Allowable_Weight, &frmMain::Text_Max_Allowable_Weight,
       &frmMain::Text_Max_Allowable_Weight_Change, nullptr},
  };

  static_assert(
      [] {
        for (int k = 0; k < Input_Count; ++k) {
          if (Input_Boxes[k].Value != static_cast<Input>(k)) {
            return false;
          }
        }
        return true;
      }(),
      "Input_Boxes[k] is the box of Input k");
  return Input_Boxes[static_cast<std::size_t>(input)];
}

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
  // textChanged, not textEdited: a text the program writes runs the handler
  // at once, nested inside the writer, just as typing does.
  for (int k = 0; k < Input_Count; ++k) {
    const Input_Box& input = Box_Of(static_cast<Input>(k));
    connect(this->*input.Box, &QLineEdit::textChanged, this, input.Handler);
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
  emit unloading();
  event->accept();
}

void frmMain::mnuFileExit_Click() {
  close();
}

void frmMain::mnuHelpAbout_Click() {
  Run_Modal(std::make_unique<frmAbout>(this));
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

// Each box is written once its value is in the model. Writing a box runs
// its change handler, nested: a full recalculation with the model filled
// only that far. Having the model written first also keeps it right where
// the box already shows the text, and writing it so runs nothing.
void frmMain::Load_Preset(const Aircraft_Preset& preset) {
  Load_Preset_Values(preset, model_,
                     [this](const Preset_Box& box) { Show_Preset_Box(box); });
  Update_Display();
}

void frmMain::Show_Preset_Box(const Preset_Box& box) {
  const Input_Box& input = Box_Of(box.Box);
  Write_Box(*(this->*input.Box), QString::fromStdString(box.Text));
  if (box.Label && input.Label != nullptr) {
    QLabel& label = *(this->*input.Label);
    label.setText(QString::fromUtf8(box.Label->Caption));
    Set_Text_Color(label, Palette_Color(box.Label->Color));
  }
}

// Input boxes ---------------------------------------------------------------

void frmMain::Store_Input(Input input) {
  const QLineEdit& box = *(this->*Box_Of(input).Box);
  Input_Value(model_, input) = Input_Number(input, box.text().toStdString());
  Update_Display();
}

void frmMain::Text_Oil_ARM_Change() {
  Store_Input(Input::Oil_Arm);
}
void frmMain::Text_Oil_Weight_Change() {
  Store_Input(Input::Oil_Weight);
}
void frmMain::Text_Front_Baggage_ARM_Change() {
  Store_Input(Input::Front_Baggage_Arm);
}
void frmMain::Text_Front_Baggage_Weight_Change() {
  Store_Input(Input::Front_Baggage_Weight);
}
void frmMain::Text_Pilot_ARM_Change() {
  Store_Input(Input::Pilot_Arm);
}
void frmMain::Text_Pilot_Weight_Change() {
  Store_Input(Input::Pilot_Weight);
}
void frmMain::Text_Passenger_ARM_Change() {
  Store_Input(Input::Passenger_Arm);
}
void frmMain::Text_Passenger_Weight_Change() {
  Store_Input(Input::Passenger_Weight);
}
void frmMain::Text_Rear_Baggage_ARM_Change() {
  Store_Input(Input::Rear_Baggage_Arm);
}
void frmMain::Text_Rear_Baggage_Weight_Change() {
  Store_Input(Input::Rear_Baggage_Weight);
}
void frmMain::Text_Fuselage_Fuel_ARM_Change() {
  Store_Input(Input::Fuselage_Fuel_Arm);
}
void frmMain::Text_Fuselage_Fuel_Weight_Change() {
  Store_Input(Input::Fuselage_Fuel_Weight);
}
void frmMain::Text_Wing_Fuel_ARM_Change() {
  Store_Input(Input::Wing_Fuel_Arm);
}
void frmMain::Text_Wing_Fuel_Weight_Change() {
  Store_Input(Input::Wing_Fuel_Weight);
}
void frmMain::Text_Forward_CG_Limit_ARM_Change() {
  Store_Input(Input::Forward_CG_Limit_ARM);
}
void frmMain::Text_Empty_Aircraft_ARM_Change() {
  Store_Input(Input::Empty_Aircraft_Arm);
}
// An entered 0 counts as 1 (Input_Number); the box keeps the text as typed.
void frmMain::Text_Empty_Aircraft_Weight_Change() {
  Store_Input(Input::Empty_Aircraft_Weight);
}
void frmMain::Text_Aerobatic_Limit_ARM_Change() {
  Store_Input(Input::Aerobatic_Limit_ARM);
}
void frmMain::Text_Aerobatic_Limit_Weight_Change() {
  Store_Input(Input::Aerobatic_Limit_Weight);
}
void frmMain::Text_Aft_CG_Limit_ARM_Change() {
  Store_Input(Input::Aft_CG_Limit_ARM);
}
void frmMain::Text_Max_Allowable_Weight_Change() {
  Store_Input(Input::Max_Allowable_Weight);
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
