#pragma once

#include <array>
#include <cstdint>

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
  const char* Caption; // the option button's caption, e.g. "HR-II"
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

// The label look of station `station` (Oil .. Wing_Fuel) under a preset.
Station_Look Preset_Station_Look(const Aircraft_Preset& preset,
                                 Station_Index station);

// The aerobatic limits as the model holds them: 0 where they do not apply.
double Preset_Aerobatic_Limit_ARM(const Aircraft_Preset& preset);
double Preset_Aerobatic_Limit_Weight(const Aircraft_Preset& preset);

// Sets the chart's path colours to the preset's station label colours.
void Load_Preset_Path_Colors(const Aircraft_Preset& preset,
                             Loading_Model& model);

// Writes every input value of the preset into the model, and its path
// colours, exactly as choosing the aircraft type leaves them. Derived
// values are left for Calculate_CG.
void Load_Preset_Values(const Aircraft_Preset& preset, Loading_Model& model);

} // namespace trimwell
