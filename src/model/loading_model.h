#pragma once

#include <array>
#include <cstdint>

namespace trimwell {

// The loading stations in the order the loads are added up and the chart's
// path runs. The values double as indexes into Loading_Model::Stations.
enum Station_Index {
  Empty_Aircraft,
  Oil,
  Front_Baggage,
  Pilot,
  Passenger,
  Rear_Baggage,
  Fuselage_Fuel,
  Wing_Fuel
};

constexpr int Station_Count = 8;

// One loading station. The empty aircraft has no running moment or running
// weight of its own: its Moment and Weight stand in for them.
struct Station {
  double Arm = 0;
  double Weight = 0;
  double Moment = 0;
  double Running_Moment = 0;
  double Running_Weight = 0;
  double Running_CG = 0;
};

// The whole numeric state of one main window: inputs, derived values, chart
// bounds and path colours. Plain data; every writer recalculates itself.
struct Loading_Model {
  std::array<Station, Station_Count> Stations{};

  double Forward_CG_Limit_ARM = 0;
  double Aft_CG_Limit_ARM = 0;
  double Aerobatic_Limit_ARM = 0;
  double Aerobatic_Limit_Weight = 0;
  double Max_Allowable_Weight = 0;

  double Aircraft_ARM = 0;
  double Aircraft_Weight = 0;

  double Chart_Min_Arm = 0;
  double Chart_Max_Arm = 0;
  double Chart_Min_Weight = 0;
  double Chart_Max_Weight = 0;

  // Palette number of the chart segment that ends at station k + 1.
  std::array<std::int16_t, Station_Count - 1> Path_Color{};
};

} // namespace trimwell
