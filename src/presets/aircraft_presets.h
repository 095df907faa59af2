#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "model/input_fields.h"
#include "model/loading_model.h"

namespace trimwell {

// Number of stations a preset fills after the empty aircraft: Oil to Wing
// Fuel, in station order.
constexpr int Loaded_Station_Count = Station_Count - 1;

struct Preset_Station {
  double Arm;
  double Weight;
  bool Defined; // false: the station is left "User Defined"
};

struct Aircraft_Preset {
  std::array<Preset_Station, Loaded_Station_Count> Stations;
  double Empty_Aircraft_Arm;
  double Empty_Aircraft_Weight;
  double Forward_CG_Limit_ARM;
  double Aft_CG_Limit_ARM;
  double Aerobatic_Limit_ARM;    // ignored where the limits do not apply
  double Aerobatic_Limit_Weight; // ignored where the limits do not apply
  double Max_Allowable_Weight;
  bool Aerobatic_Limits_Apply;
};

enum Preset_Index {
  Preset_HRII,
  Preset_RV3,
  Preset_RV4,
  Preset_RV6,
  Preset_RV8,
  Preset_RV9,
  Preset_Other
};
constexpr int Preset_Count = 7;

// The seven aircraft types, in the order of the option buttons.
extern const std::array<Aircraft_Preset, Preset_Count> Aircraft_Presets;

// What an aerobatic limit box shows where the limits do not apply.
inline constexpr char Not_Applicable_Text[] = "N/A";

// Caption and palette colour of a station label, defined or "User Defined".
struct Station_Look {
  const char* Caption;
  std::int16_t Color;
};

// One input box as a preset fills it: the text it shows, and, once both
// boxes of a station are filled, the look its station label takes.
struct Preset_Box {
  Input Box;
  std::string Text; // Number_To_Text of the value, or Not_Applicable_Text
  std::optional<Station_Look> Label;
};

// Loads the preset into the model as choosing its aircraft type does, in
// the order a window fills its boxes: each station from Oil to Wing Fuel
// (its arm, then its weight, into the model, then both to `show`), then the
// limits frame from top to bottom (each value into the model, then to
// `show`), and last the path colours. A window that writes its box in
// `show` thus recalculates with the model filled exactly that far. Derived
// values are left for Calculate_CG.
void Load_Preset_Values(
    const Aircraft_Preset& preset, Loading_Model& model,
    const std::function<void(const Preset_Box&)>& show = nullptr);

} // namespace trimwell
