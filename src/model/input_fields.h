#pragma once

#include <string_view>

#include "model/loading_model.h"

namespace trimwell {

// The 21 values the user types, one per input box, in the order a preset
// fills them: the stations Oil to Wing Fuel, each its arm then its weight,
// then the limits frame from top to bottom.
enum class Input {
  Oil_Arm,
  Oil_Weight,
  Front_Baggage_Arm,
  Front_Baggage_Weight,
  Pilot_Arm,
  Pilot_Weight,
  Passenger_Arm,
  Passenger_Weight,
  Rear_Baggage_Arm,
  Rear_Baggage_Weight,
  Fuselage_Fuel_Arm,
  Fuselage_Fuel_Weight,
  Wing_Fuel_Arm,
  Wing_Fuel_Weight,
  Forward_CG_Limit_ARM,
  Empty_Aircraft_Arm,
  Empty_Aircraft_Weight,
  Aerobatic_Limit_ARM,
  Aerobatic_Limit_Weight,
  Aft_CG_Limit_ARM,
  Max_Allowable_Weight
};
inline constexpr int Input_Count = 21;

// The arm and weight inputs of station `station` (Oil .. Wing_Fuel).
constexpr Input Arm_Input(Station_Index station) {
  return static_cast<Input>(2 * (station - Oil));
}
constexpr Input Weight_Input(Station_Index station) {
  return static_cast<Input>(2 * (station - Oil) + 1);
}

// The model value an input feeds.
double& Input_Value(Loading_Model& model, Input input);

// What the model stores for the text of an input's box: Text_To_Number of
// it, except that an empty aircraft weight read as 0 counts as 1, so that
// the empty aircraft alone never leaves the loading path without a CG.
double Input_Number(Input input, std::string_view text);

} // namespace trimwell
