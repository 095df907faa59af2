#include "forms/main_layout.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <type_traits>
#include <variant>

#include "chart/palette.h"
#include "forms/controls/option_button.h"
#include "forms/controls/picture_box.h"
#include "forms/frmMain.h"
#include "forms/look/form_font.h"
#include "forms/look/form_style.h"
#include "forms/look/twips.h"

namespace trimwell {

namespace {

// The member a control is stored in; its type says what kind of control
// the row creates.
using Control_Member =
    std::variant<QGroupBox * frmMain::*, QLabel * frmMain::*,
                 Option_Button * frmMain::*, QLineEdit * frmMain::*,
                 Picture_Box * frmMain::*>;

using Frame_Member = QGroupBox* frmMain::*;

// One control. Places and sizes are twips from the top-left corner of its
// container (a frame, or the client area below the menu bar).
struct Control_Row {
  Control_Member Member;
  const char* Name;
  Frame_Member Container; // null: the client area
  int Tab_Index;
  const char* Text; // caption, or a text box's initial text
  int Left;
  int Top;
  int Width;
  int Height;
  std::optional<Rgb> Text_Color; // none: the system's colour
  int Points;                    // 0: the window's font
  bool Enabled;
  // What a screen reader calls the control; null where its own caption
  // says it.
  const char* Accessible_Name = nullptr;
};

constexpr Frame_Member Client_Area = nullptr;
constexpr std::optional<Rgb> System_Color = std::nullopt;
constexpr Rgb Blue = {0, 0, 255};
constexpr Rgb Dark_Green = {0, 64, 0};
constexpr Rgb Grey = {128, 128, 128};
constexpr Rgb Red = {255, 0, 0};
constexpr Rgb Purple = {192, 0, 192};

// The option buttons share a row; the station and limit rows share their
// columns: label, arm box, weight box.
constexpr int Option_Top = 240;
constexpr int Option_Width = 735;
constexpr int Option_Height = 255;
constexpr int Row_Label_Left = 120;
constexpr int Row_Label_Height = 255;
constexpr int Arm_Left = 2040;
constexpr int Weight_Left = 3000;
constexpr int Box_Width = 855;
constexpr int Box_Height = 285;

constexpr Control_Row Frame(Frame_Member member, const char* name, int tab,
                            const char* caption, int left, int top, int width,
                            int height) {
  return {member, name,  Client_Area, tab,          caption, left,
          top,    width, height,      System_Color, 0,       true};
}

constexpr Control_Row Label(QLabel* frmMain::*member, const char* name, int tab,
                            const char* caption, int left, int top, int width,
                            int height, int points = 0) {
  return {member, name,  Client_Area, tab,          caption, left,
          top,    width, height,      System_Color, points,  true};
}

constexpr Control_Row Option(Option_Button* frmMain::*member, const char* name,
                             int tab, const char* caption, int left) {
  return {member,
          name,
          &frmMain::Frame_Select_Aircraft,
          tab,
          caption,
          left,
          Option_Top,
          Option_Width,
          Option_Height,
          System_Color,
          0,
          true};
}

constexpr Control_Row Row_Label(QLabel* frmMain::*member, const char* name,
                                Frame_Member frame, int top, int tab,
                                const char* caption, int width,
                                std::optional<Rgb> color) {
  return {member,           name,           frame, tab,
          caption,          Row_Label_Left, top,   width,
          Row_Label_Height, color,          0,     true};
}

constexpr Control_Row Box(QLineEdit* frmMain::*member, const char* name,
                          Frame_Member frame, int left, int top, int tab,
                          const char* text, const char* accessible_name,
                          bool enabled = true) {
  return {member, name,    frame,          tab,        text,
          left,   top,     Box_Width,      Box_Height, System_Color,
          0,      enabled, accessible_name};
}

constexpr Frame_Member Flight = &frmMain::Frame_Flight_Conditions;
constexpr Frame_Member Limits = &frmMain::Frame_CG_Weight_Limits;
constexpr Frame_Member Results = &frmMain::Frame_Calculated_Flight_Conditions;

// Frames come before their children. The six letters down the chart's
// left side spell its axis title WEIGHT, each centred on x = 4387.5.
constexpr Control_Row Main_Layout[] = {
    Frame(&frmMain::Frame_Select_Aircraft, "Frame_Select_Aircraft", 1,
          "Select Type of Aircraft", 0, 0, 5295, 615),
    Option(&frmMain::Option_HRII, "Option_HRII", 2, "HR-II", 120),
    Option(&frmMain::Option_RV3, "Option_RV3", 3, "RV-3", 840),
    Option(&frmMain::Option_RV4, "Option_RV4", 4, "RV-4", 1560),
    Option(&frmMain::Option_RV6, "Option_RV6", 5, "RV-6", 2280),
    Option(&frmMain::Option_RV8, "Option_RV8", 6, "RV-8", 3000),
    Option(&frmMain::Option_RV9, "Option_RV9", 7, "RV-9", 3720),
    Option(&frmMain::Option_Other, "Option_Other", 8, "Other", 4440),

    Frame(Flight, "Frame_Flight_Conditions", 9, "Input Flight Conditions", 0,
          960, 4095, 2895),
    Label(&frmMain::Label_ARM, "Label_ARM", 13, "ARM", 2040, 720, 855, 255),
    Label(&frmMain::Label_Weight, "Label_Weight", 14, "Weight", 3000, 720, 855,
          255),
    Row_Label(&frmMain::Label_Oil, "Label_Oil", Flight, 240, 12, "Oil", 1575,
              Blue),
    Box(&frmMain::Text_Oil_ARM, "Text_Oil_ARM", Flight, Arm_Left, 240, 10,
        "Text1", "Oil arm"),
    Box(&frmMain::Text_Oil_Weight, "Text_Oil_Weight", Flight, Weight_Left, 240,
        11, "Text2", "Oil weight"),
    Row_Label(&frmMain::Label_Front_Baggage, "Label_Front_Baggage", Flight, 600,
              15, "Front Baggage", 1815, Dark_Green),
    Box(&frmMain::Text_Front_Baggage_ARM, "Text_Front_Baggage_ARM", Flight,
        Arm_Left, 600, 16, "Text3", "Front baggage arm"),
    Box(&frmMain::Text_Front_Baggage_Weight, "Text_Front_Baggage_Weight",
        Flight, Weight_Left, 600, 17, "Text4", "Front baggage weight"),
    Row_Label(&frmMain::Label_Pilot, "Label_Pilot", Flight, 960, 20, "Pilot",
              1815, System_Color),
    Box(&frmMain::Text_Pilot_ARM, "Text_Pilot_ARM", Flight, Arm_Left, 960, 18,
        "Text5", "Pilot arm"),
    Box(&frmMain::Text_Pilot_Weight, "Text_Pilot_Weight", Flight, Weight_Left,
        960, 19, "Text6", "Pilot weight"),
    Row_Label(&frmMain::Label_Passenger, "Label_Passenger", Flight, 1320, 23,
              "Passenger", 1815, Blue),
    Box(&frmMain::Text_Passenger_ARM, "Text_Passenger_ARM", Flight, Arm_Left,
        1320, 21, "Text7", "Passenger arm"),
    Box(&frmMain::Text_Passenger_Weight, "Text_Passenger_Weight", Flight,
        Weight_Left, 1320, 22, "Text8", "Passenger weight"),
    Row_Label(&frmMain::Label_Rear_Baggage, "Label_Rear_Baggage", Flight, 1680,
              26, "Rear Baggage", 1815, Dark_Green),
    Box(&frmMain::Text_Rear_Baggage_ARM, "Text_Rear_Baggage_ARM", Flight,
        Arm_Left, 1680, 24, "Text9", "Rear baggage arm"),
    Box(&frmMain::Text_Rear_Baggage_Weight, "Text_Rear_Baggage_Weight", Flight,
        Weight_Left, 1680, 25, "Text10", "Rear baggage weight"),
    Row_Label(&frmMain::Label_Fuselage_Fuel, "Label_Fuselage_Fuel", Flight,
              2040, 29, "Fuselage Fuel", 1695, Grey),
    Box(&frmMain::Text_Fuselage_Fuel_ARM, "Text_Fuselage_Fuel_ARM", Flight,
        Arm_Left, 2040, 27, "Text11", "Fuselage fuel arm"),
    Box(&frmMain::Text_Fuselage_Fuel_Weight, "Text_Fuselage_Fuel_Weight",
        Flight, Weight_Left, 2040, 28, "Text12", "Fuselage fuel weight"),
    Row_Label(&frmMain::Label_Wing_Fuel, "Label_Wing_Fuel", Flight, 2400, 32,
              "Wing Fuel", 1695, Grey),
    Box(&frmMain::Text_Wing_Fuel_ARM, "Text_Wing_Fuel_ARM", Flight, Arm_Left,
        2400, 30, "Text13", "Wing fuel arm"),
    Box(&frmMain::Text_Wing_Fuel_Weight, "Text_Wing_Fuel_Weight", Flight,
        Weight_Left, 2400, 31, "Text14", "Wing fuel weight"),

    Frame(Limits, "Frame_CG_Weight_Limits", 33, "Default CG and Weight Limits",
          0, 3960, 4095, 2055),
    Row_Label(&frmMain::Label_Forward_CG_Limit, "Label_Forward_CG_Limit",
              Limits, 240, 35, "Forward CG Limit", 1815, Red),
    Box(&frmMain::Text_Forward_CG_Limit_ARM, "Text_Forward_CG_Limit_ARM",
        Limits, Arm_Left, 240, 34, "Text15", "Forward CG limit"),
    Row_Label(&frmMain::Label_Empty_Aircraft, "Label_Empty_Aircraft", Limits,
              600, 38, "Empty Aircraft", 1815, System_Color),
    Box(&frmMain::Text_Empty_Aircraft_ARM, "Text_Empty_Aircraft_ARM", Limits,
        Arm_Left, 600, 36, "Text16", "Empty aircraft arm"),
    Box(&frmMain::Text_Empty_Aircraft_Weight, "Text_Empty_Aircraft_Weight",
        Limits, Weight_Left, 600, 37, "Text17", "Empty aircraft weight"),
    Row_Label(&frmMain::Label_Aerobatic_Limit, "Label_Aerobatic_Limit", Limits,
              960, 41, "Aerobatic Limits", 1815, Purple),
    Box(&frmMain::Text_Aerobatic_Limit_ARM, "Text_Aerobatic_Limit_ARM", Limits,
        Arm_Left, 960, 39, "Text18", "Aerobatic limit arm"),
    Box(&frmMain::Text_Aerobatic_Limit_Weight, "Text_Aerobatic_Limit_Weight",
        Limits, Weight_Left, 960, 40, "Text19", "Aerobatic limit weight"),
    Row_Label(&frmMain::Label_Aft_CG_Limit, "Label_Aft_CG_Limit", Limits, 1320,
              43, "Aft CG Limit", 1695, Red),
    Box(&frmMain::Text_Aft_CG_Limit_ARM, "Text_Aft_CG_Limit_ARM", Limits,
        Arm_Left, 1320, 42, "Text20", "Aft CG limit"),
    Row_Label(&frmMain::Label_Max_Allowable_Weight,
              "Label_Max_Allowable_Weight", Limits, 1680, 45,
              "Max Allowable Weight", 1695, Red),
    Box(&frmMain::Text_Max_Allowable_Weight, "Text_Max_Allowable_Weight",
        Limits, Weight_Left, 1680, 44, "Text21", "Max allowable weight"),

    Frame(Results, "Frame_Calculated_Flight_Conditions", 46,
          "Calculated Flight Conditions", 0, 6120, 4095, 855),
    Row_Label(&frmMain::Label_Aircraft, "Label_Aircraft", Results, 360, 49,
              "Aircraft ", 1815, System_Color),
    // The results are the calculation's alone: no focus, no typing.
    Box(&frmMain::Text_Aircraft_ARM, "Text_Aircraft_ARM", Results, Arm_Left,
        360, 47, "Text22", "Aircraft CG", false),
    Box(&frmMain::Text_Aircraft_Weight, "Text_Aircraft_Weight", Results,
        Weight_Left, 360, 48, "Text23", "Aircraft weight", false),

    {&frmMain::Picture_Graphic, "Picture_Graphic", Client_Area, 50, nullptr,
     4920, 720, 6495, 6735, System_Color, 0, true, "Loading path chart"},
    Label(&frmMain::Label_Graphic_Hor, "Label_Graphic_Hor", 51, "CG", 7680,
          7560, 975, 615, 30),
    Label(&frmMain::Label_Graphic_Title, "Label_Graphic_Title", 52,
          "Center of Gravity Graphic", 5520, 0, 5535, 615, 24),
    Label(&frmMain::Label_W, "Label_W", 53, "W", 4080, 720, 615, 735, 30),
    Label(&frmMain::Label_E, "Label_E", 54, "E", 4200, 1680, 375, 735, 30),
    Label(&frmMain::Label_I, "Label_I", 55, "I", 4320, 2640, 135, 735, 30),
    Label(&frmMain::Label_G, "Label_G", 56, "G", 4140, 3600, 495, 735, 30),
    Label(&frmMain::Label_H, "Label_H", 57, "H", 4140, 4560, 495, 735, 30),
    Label(&frmMain::Label_T, "Label_T", 58, "T", 4200, 5520, 375, 735, 30),
};

constexpr std::size_t Control_Count = std::size(Main_Layout);

void Set_Caption(QGroupBox& frame, const char* text) {
  frame.setTitle(QString::fromUtf8(text));
}

void Set_Caption(QLabel& label, const char* text) {
  label.setText(QString::fromUtf8(text));
  label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Set_Caption(QAbstractButton& button, const char* text) {
  button.setText(QString::fromUtf8(text));
}

// Handlers are connected only after the layout is built, so the initial
// texts run none. A box holds text of any length: a long paste is read
// whole, not cut at Qt's default limit.
void Set_Caption(QLineEdit& box, const char* text) {
  box.setMaxLength(std::numeric_limits<int>::max());
  box.setText(QString::fromUtf8(text));
}

void Set_Caption(QWidget&, const char*) {}

QWidget* Create_Control(frmMain& form, QWidget& client,
                        const Control_Row& row) {
  QWidget* parent = row.Container ? form.*row.Container : &client;
  return std::visit(
      [&](auto member) -> QWidget* {
        using Widget = std::remove_pointer_t<
            std::remove_reference_t<decltype(form.*member)>>;
        auto* control = new Widget(parent);
        form.*member = control;
        Set_Caption(*control, row.Text);
        return control;
      },
      row.Member);
}

// Only controls that can take the focus join the chain: chaining a frame
// would drag its children along with it.
void Chain_Tab_Order(const std::array<QWidget*, Control_Count>& controls) {
  std::array<std::size_t, Control_Count> order{};
  for (std::size_t k = 0; k < Control_Count; ++k) {
    order[k] = k;
  }
  std::sort(order.begin(), order.end(), [](std::size_t a, std::size_t b) {
    return Main_Layout[a].Tab_Index < Main_Layout[b].Tab_Index;
  });
  QWidget* previous = nullptr;
  for (std::size_t k : order) {
    QWidget* control = controls[k];
    if ((control->focusPolicy() & Qt::TabFocus) == 0) {
      continue;
    }
    if (previous != nullptr) {
      QWidget::setTabOrder(previous, control);
    }
    previous = control;
  }
}

} // namespace

void Build_Main_Layout(frmMain& form, QWidget& client) {
  std::array<QWidget*, Control_Count> controls{};
  for (std::size_t k = 0; k < Control_Count; ++k) {
    const Control_Row& row = Main_Layout[k];
    QWidget* control = Create_Control(form, client, row);
    control->setObjectName(QLatin1String(row.Name));
    control->setGeometry(Twips_To_Pixels(row.Left), Twips_To_Pixels(row.Top),
                         Twips_To_Pixels(row.Width),
                         Twips_To_Pixels(row.Height));
    if (row.Text_Color) {
      Set_Text_Color(*control, *row.Text_Color);
    }
    if (row.Points != 0) {
      control->setFont(Form_Font(row.Points));
    }
    control->setEnabled(row.Enabled);
    if (row.Accessible_Name != nullptr) {
      control->setAccessibleName(QString::fromUtf8(row.Accessible_Name));
    }
    controls[k] = control;
  }
  Chain_Tab_Order(controls);
}

} // namespace trimwell
