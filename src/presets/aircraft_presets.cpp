#include "presets/aircraft_presets.h"

#include "model/number_text.h"

namespace trimwell {

namespace {

constexpr Preset_Station UD = {0, 0, false};

// The labels' own captions and colours, Oil to Wing Fuel.
constexpr std::array<Station_Look, Loaded_Station_Count> Own_Looks = {{
    {"Oil", 1},
    {"Front Baggage", 2},
    {"Pilot", 0},
    {"Passenger", 1},
    {"Rear Baggage", 2},
    {"Fuselage Fuel", 8},
    {"Wing Fuel", 8},
}};

constexpr Station_Look User_Defined_Look = {"User Defined", 10};

// The limits frame, top to bottom: the preset's value, and the box it fills.
struct Preset_Limit {
  double Aircraft_Preset::*Value;
  Input Box;
  bool Aerobatic; // 0, showing Not_Applicable_Text, where those do not apply
};

constexpr Preset_Limit Preset_Limits[] = {
    {&Aircraft_Preset::Forward_CG_Limit_ARM, Input::Forward_CG_Limit_ARM,
     false},
    {&Aircraft_Preset::Empty_Aircraft_Arm, Input::Empty_Aircraft_Arm, false},
    {&Aircraft_Preset::Empty_Aircraft_Weight, Input::Empty_Aircraft_Weight,
     false},
    {&Aircraft_Preset::Aerobatic_Limit_ARM, Input::Aerobatic_Limit_ARM, true},
    {&Aircraft_Preset::Aerobatic_Limit_Weight, Input::Aerobatic_Limit_Weight,
     true},
    {&Aircraft_Preset::Aft_CG_Limit_ARM, Input::Aft_CG_Limit_ARM, false},
    {&Aircraft_Preset::Max_Allowable_Weight, Input::Max_Allowable_Weight,
     false},
};

// The label look of the station `k` places after the empty aircraft.
Station_Look Preset_Station_Look(const Aircraft_Preset& preset, int k) {
  return preset.Stations[k].Defined ? Own_Looks[k] : User_Defined_Look;
}

} // namespace

// Each row: the stations Oil, Front Baggage, Pilot, Passenger, Rear
// Baggage, Fuselage Fuel and Wing Fuel as {Arm, Weight, defined}; then the
// empty aircraft's arm and weight, the forward and aft CG limits, the
// aerobatic arm and weight, the maximum weight, and whether the aerobatic
// limits apply.
// clang-format off
const std::array<Aircraft_Preset, Preset_Count> Aircraft_Presets = {{
    // HR-II
    {{{{45, 15, true}, UD, {105, 170, true}, {136, 170, true}, {164, 30, true}, UD, {86.5, 252, true}}},
     86, 1213, 86.7, 97.4, 95.9, 1550, 2000, true},
    // RV-3
    {{{{30, 15, true}, UD, {81, 170, true}, UD, {112.5, 30, true}, {53, 144, true}, {58.5, 0, true}}},
     58.3, 755, 59.72, 65.58, 0, 0, 1115, false},
    // RV-4
    {{{{40, 15, true}, {56.4, 12, true}, {82.5, 170, true}, {107, 170, true}, {130, 30, true}, UD, {70, 192, true}}},
     69.97, 905, 68.7, 77.4, 75.9, 1375, 1500, true},
    // RV-6
    {{{UD, UD, {87.4, 170, true}, {87.4, 170, true}, {117, 53, true}, UD, {70, 242, true}}},
     69.06, 965, 68.7, 76.82, 75.3, 1375, 1600, true},
    // RV-8
    {{{UD, {58.51, 12, true}, {91.78, 170, true}, {119.12, 170, true}, {138, 35, true}, UD, {80, 232, true}}},
     77.78, 1031, 78.7, 86.82, 84, 1375, 1650, true},
    // RV-9
    {{{{45, 15, true}, UD, {105, 170, true}, {136, 170, true}, {164, 30, true}, UD, {86.5, 252, true}}},
     86, 1213, 86.7, 97.4, 95.9, 1550, 2000, true},
    // Other
    {{{{0, 15, false}, UD, {105, 170, true}, UD, UD, UD, UD}},
     86, 1213, 86.7, 97.4, 95.9, 1550, 2000, true},
}};
// clang-format on

void Load_Preset_Values(const Aircraft_Preset& preset, Loading_Model& model,
                        const std::function<void(const Preset_Box&)>& show) {
  for (int k = 0; k < Loaded_Station_Count; ++k) {
    const auto index = static_cast<Station_Index>(Oil + k);
    const Preset_Station& values = preset.Stations[k];
    Station& station = model.Stations[index];
    station.Arm = values.Arm;
    station.Weight = values.Weight;
    if (show) {
      show({Arm_Input(index), Number_To_Text(values.Arm), std::nullopt});
      show({Weight_Input(index), Number_To_Text(values.Weight),
            Preset_Station_Look(preset, k)});
    }
  }
  for (const Preset_Limit& limit : Preset_Limits) {
    const bool applies = !limit.Aerobatic || preset.Aerobatic_Limits_Apply;
    const double value = applies ? preset.*limit.Value : 0;
    Input_Value(model, limit.Box) = value;
    if (show) {
      show({limit.Box, applies ? Number_To_Text(value) : Not_Applicable_Text,
            std::nullopt});
    }
  }
  for (int k = 0; k < Loaded_Station_Count; ++k) {
    model.Path_Color[k] = Preset_Station_Look(preset, k).Color;
  }
}

} // namespace trimwell
