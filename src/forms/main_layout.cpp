#include "forms/main_layout.h"

#include "forms/frmMain.h"
#include "forms/look/form_layout.h"

namespace trimwell {

namespace {

using Row = Layout_Row<frmMain>;

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

using Frame_Member = QGroupBox* frmMain::*;
constexpr Frame_Member Flight = &frmMain::Frame_Flight_Conditions;
constexpr Frame_Member Limits = &frmMain::Frame_CG_Weight_Limits;
constexpr Frame_Member Results = &frmMain::Frame_Calculated_Flight_Conditions;

constexpr Row Option(Option_Button* frmMain::*member, const char* name, int tab,
                     const char* caption, int left) {
  return Control(member, name, tab, caption, left, Option_Top, Option_Width,
                 Option_Height)
      .In(&frmMain::Frame_Select_Aircraft);
}

constexpr Row Row_Label(QLabel* frmMain::*member, const char* name,
                        Frame_Member frame, int top, int tab,
                        const char* caption, int width,
                        std::optional<Rgb> color) {
  return Control(member, name, tab, caption, Row_Label_Left, top, width,
                 Row_Label_Height)
      .In(frame)
      .With(&Control_Layout::Fore_Color, color);
}

constexpr Row Box(QLineEdit* frmMain::*member, const char* name,
                  Frame_Member frame, int left, int top, int tab,
                  const char* text, const char* accessible_name) {
  return Control(member, name, tab, text, left, top, Box_Width, Box_Height)
      .In(frame)
      .Spoken_As(accessible_name);
}

// Frames come before their children. The six letters down the chart's
// left side spell its axis title WEIGHT, each centred on x = 4387.5.
constexpr Row Main_Layout[] = {
    Control(&frmMain::Frame_Select_Aircraft, "Frame_Select_Aircraft", 1,
            "Select Type of Aircraft", 0, 0, 5295, 615),
    Option(&frmMain::Option_HRII, "Option_HRII", 2, "HR-II", 120),
    Option(&frmMain::Option_RV3, "Option_RV3", 3, "RV-3", 840),
    Option(&frmMain::Option_RV4, "Option_RV4", 4, "RV-4", 1560),
    Option(&frmMain::Option_RV6, "Option_RV6", 5, "RV-6", 2280),
    Option(&frmMain::Option_RV8, "Option_RV8", 6, "RV-8", 3000),
    Option(&frmMain::Option_RV9, "Option_RV9", 7, "RV-9", 3720),
    Option(&frmMain::Option_Other, "Option_Other", 8, "Other", 4440),

    Control(Flight, "Frame_Flight_Conditions", 9, "Input Flight Conditions", 0,
            960, 4095, 2895),
    Control(&frmMain::Label_ARM, "Label_ARM", 13, "ARM", 2040, 720, 855, 255),
    Control(&frmMain::Label_Weight, "Label_Weight", 14, "Weight", 3000, 720,
            855, 255),
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

    Control(Limits, "Frame_CG_Weight_Limits", 33,
            "Default CG and Weight Limits", 0, 3960, 4095, 2055),
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

    Control(Results, "Frame_Calculated_Flight_Conditions", 46,
            "Calculated Flight Conditions", 0, 6120, 4095, 855),
    Row_Label(&frmMain::Label_Aircraft, "Label_Aircraft", Results, 360, 49,
              "Aircraft ", 1815, System_Color),
    // The results are the calculation's alone: no focus, no typing.
    Box(&frmMain::Text_Aircraft_ARM, "Text_Aircraft_ARM", Results, Arm_Left,
        360, 47, "Text22", "Aircraft CG")
        .Disabled(),
    Box(&frmMain::Text_Aircraft_Weight, "Text_Aircraft_Weight", Results,
        Weight_Left, 360, 48, "Text23", "Aircraft weight")
        .Disabled(),

    Control(&frmMain::Picture_Graphic, "Picture_Graphic", 50, nullptr, 4920,
            720, 6495, 6735)
        .Spoken_As("Loading path chart"),
    Control(&frmMain::Label_Graphic_Hor, "Label_Graphic_Hor", 51, "CG", 7680,
            7560, 975, 615)
        .Font(30),
    Control(&frmMain::Label_Graphic_Title, "Label_Graphic_Title", 52,
            "Center of Gravity Graphic", 5520, 0, 5535, 615)
        .Font(24),
    Control(&frmMain::Label_W, "Label_W", 53, "W", 4080, 720, 615, 735)
        .Font(30),
    Control(&frmMain::Label_E, "Label_E", 54, "E", 4200, 1680, 375, 735)
        .Font(30),
    Control(&frmMain::Label_I, "Label_I", 55, "I", 4320, 2640, 135, 735)
        .Font(30),
    Control(&frmMain::Label_G, "Label_G", 56, "G", 4140, 3600, 495, 735)
        .Font(30),
    Control(&frmMain::Label_H, "Label_H", 57, "H", 4140, 4560, 495, 735)
        .Font(30),
    Control(&frmMain::Label_T, "Label_T", 58, "T", 4200, 5520, 375, 735)
        .Font(30),
};

} // namespace

void Build_Main_Layout(frmMain& form, QWidget& client) {
  Build_Layout(form, client, Main_Layout);
}

} // namespace trimwell
