#include "model/calculate_cg.h"

#include <cmath>
#include <limits>

namespace trimwell {

namespace {

// Arm margin and weight margin around everything the chart shows.
constexpr double Arm_Margin = 0.1;
constexpr double Weight_Margin = 10;

// A value without a finite value has no place on the chart, so it never
// widens a bound: a running weight of 0 part-way along the path must not
// take the whole chart with it.
void Widen(double value, double& low, double& high) {
  if (!std::isfinite(value)) {
    return;
  }
  if (value < low) {
    low = value;
  }
  if (value > high) {
    high = value;
  }
}

} // namespace

void Calculate_CG(Loading_Model& model) {
  auto& stations = model.Stations;

  Station& empty = stations[Empty_Aircraft];
  empty.Running_CG = empty.Arm;
  empty.Moment = empty.Weight * empty.Arm;

  // The bounds start from the first station: an empty range that its
  // point, when it has one, fills.
  constexpr double Inf = std::numeric_limits<double>::infinity();
  model.Chart_Min_Arm = model.Chart_Min_Weight = Inf;
  model.Chart_Max_Arm = model.Chart_Max_Weight = -Inf;
  Widen(empty.Running_CG, model.Chart_Min_Arm, model.Chart_Max_Arm);
  Widen(empty.Weight, model.Chart_Min_Weight, model.Chart_Max_Weight);

  // The empty aircraft's Moment and Weight act as its running values.
  double running_moment = empty.Moment;
  double running_weight = empty.Weight;
  for (int k = Oil; k < Station_Count; ++k) {
    Station& s = stations[k];
    s.Moment = s.Weight * s.Arm;
    s.Running_Moment = running_moment + s.Moment;
    s.Running_Weight = running_weight + s.Weight;
    s.Running_CG = s.Running_Moment / s.Running_Weight;
    Widen(s.Running_CG, model.Chart_Min_Arm, model.Chart_Max_Arm);
    Widen(s.Running_Weight, model.Chart_Min_Weight, model.Chart_Max_Weight);
    running_moment = s.Running_Moment;
    running_weight = s.Running_Weight;
  }

  const Station& last = stations[Wing_Fuel];
  model.Aircraft_Weight = last.Running_Weight;
  model.Aircraft_ARM = last.Running_Moment / model.Aircraft_Weight;

  Widen(model.Forward_CG_Limit_ARM, model.Chart_Min_Arm, model.Chart_Max_Arm);
  Widen(model.Aft_CG_Limit_ARM, model.Chart_Min_Arm, model.Chart_Max_Arm);
  Widen(model.Max_Allowable_Weight, model.Chart_Min_Weight,
        model.Chart_Max_Weight);

  model.Chart_Min_Arm -= Arm_Margin;
  model.Chart_Max_Arm += Arm_Margin;
  model.Chart_Min_Weight -= Weight_Margin;
  model.Chart_Max_Weight += Weight_Margin;
}

} // namespace trimwell
