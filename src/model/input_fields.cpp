#include "model/input_fields.h"

#include "model/number_text.h"

namespace trimwell {

double& Input_Value(Loading_Model& model, Input input) {
  switch (input) {
  case Input::Forward_CG_Limit_ARM:
    return model.Forward_CG_Limit_ARM;
  case Input::Empty_Aircraft_Arm:
    return model.Stations[Empty_Aircraft].Arm;
  case Input::Empty_Aircraft_Weight:
    return model.Stations[Empty_Aircraft].Weight;
  case Input::Aerobatic_Limit_ARM:
    return model.Aerobatic_Limit_ARM;
  case Input::Aerobatic_Limit_Weight:
    return model.Aerobatic_Limit_Weight;
  case Input::Aft_CG_Limit_ARM:
    return model.Aft_CG_Limit_ARM;
  case Input::Max_Allowable_Weight:
    return model.Max_Allowable_Weight;
  default: {
    // The station inputs come in pairs from Oil on: arm, weight.
    const int k = static_cast<int>(input);
    Station& station = model.Stations[static_cast<Station_Index>(Oil + k / 2)];
    return k % 2 == 0 ? station.Arm : station.Weight;
  }
  }
}

double Input_Number(Input input, std::string_view text) {
  const double value = Text_To_Number(text);
  if (input == Input::Empty_Aircraft_Weight && value == 0) {
    return 1;
  }
  return value;
}

} // namespace trimwell
