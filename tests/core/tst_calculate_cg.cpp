#include <QtTest>

#include <cmath>
#include <limits>

#include "model/calculate_cg.h"
#include "model/number_text.h"

using namespace trimwell;

namespace {

struct Load {
  Station_Index station;
  double arm;
  double weight;
};

Loading_Model Model_With(std::initializer_list<Load> loads) {
  Loading_Model model;
  for (const Load& load : loads) {
    model.Stations[load.station].Arm = load.arm;
    model.Stations[load.station].Weight = load.weight;
  }
  return model;
}

QString Text(double value) {
  return QString::fromStdString(Number_To_Text(value));
}

} // namespace

class tst_calculate_cg : public QObject {
  Q_OBJECT

private slots:
  void worked_example();
  void only_the_empty_aircraft();
  void limits_widen_the_bounds_data();
  void limits_widen_the_bounds();
  void aerobatic_limits_never_widen();
  void zero_max_weight_pulls_the_floor_down();
  void negative_weight_lowers_running_weights();
  void negative_arms_show_a_minus();
  void recalculation_starts_afresh();
  void weightless_loading_has_no_cg_data();
  void weightless_loading_has_no_cg();
};

// 1000 at 70 and a 200 pilot at 80.
void tst_calculate_cg::worked_example() {
  Loading_Model model =
      Model_With({{Empty_Aircraft, 70, 1000}, {Pilot, 80, 200}});
  Calculate_CG(model);

  QCOMPARE(model.Stations[Oil].Running_CG, 70.0);
  QCOMPARE(model.Stations[Front_Baggage].Running_CG, 70.0);
  for (int k = Pilot; k < Station_Count; ++k) {
    QCOMPARE(model.Stations[k].Running_CG, 86000.0 / 1200);
    QCOMPARE(model.Stations[k].Running_Weight, 1200.0);
  }
  QCOMPARE(Text(model.Aircraft_ARM), QStringLiteral(" 71.6666666666667"));
  QCOMPARE(Text(model.Aircraft_Weight), QStringLiteral(" 1200"));
  QCOMPARE(model.Stations[Pilot].Moment, 16000.0);
  QCOMPARE(model.Stations[Wing_Fuel].Running_Moment, 86000.0);
  // Both limits are 0, so the arm bounds reach down to 0.
  QCOMPARE(model.Chart_Min_Arm, -0.1);
  QCOMPARE(model.Chart_Max_Arm, 86000.0 / 1200 + 0.1);
}

void tst_calculate_cg::only_the_empty_aircraft() {
  Loading_Model model = Model_With({{Empty_Aircraft, 75.5, 900}});
  model.Forward_CG_Limit_ARM = 74;
  model.Aft_CG_Limit_ARM = 80;
  model.Max_Allowable_Weight = 1500;
  Calculate_CG(model);

  for (int k = Oil; k < Station_Count; ++k) {
    QCOMPARE(model.Stations[k].Running_CG, 75.5);
  }
  QCOMPARE(model.Aircraft_Weight, 900.0);
  QCOMPARE(model.Aircraft_ARM, 75.5);
  QCOMPARE(model.Chart_Min_Arm, 74 - 0.1);
  QCOMPARE(model.Chart_Max_Arm, 80 + 0.1);
  QCOMPARE(model.Chart_Min_Weight, 890.0);
  QCOMPARE(model.Chart_Max_Weight, 1510.0);
}

void tst_calculate_cg::limits_widen_the_bounds_data() {
  QTest::addColumn<double>("forward");
  QTest::addColumn<double>("aft");
  QTest::addColumn<double>("max_weight");
  QTest::addColumn<double>("min_arm");
  QTest::addColumn<double>("max_arm");
  QTest::addColumn<double>("min_weight");
  QTest::addColumn<double>("max_weight_bound");

  // The path runs from (70, 1000) to (72, 1200) with a 200 load at 80.
  QTest::newRow("limits inside the path")
      << 70.5 << 71.5 << 1100.0 << 70 - 0.1 << 86000.0 / 1200 + 0.1 << 990.0
      << 1210.0;
  QTest::newRow("forward limit ahead of the path")
      << 60.0 << 71.0 << 1100.0 << 60 - 0.1 << 86000.0 / 1200 + 0.1 << 990.0
      << 1210.0;
  QTest::newRow("aft limit behind the path")
      << 70.0 << 90.0 << 1100.0 << 70 - 0.1 << 90 + 0.1 << 990.0 << 1210.0;
  QTest::newRow("limits swapped still widen both ways")
      << 95.0 << 50.0 << 1100.0 << 50 - 0.1 << 95 + 0.1 << 990.0 << 1210.0;
  QTest::newRow("max weight above the load")
      << 70.0 << 71.0 << 2000.0 << 70 - 0.1 << 86000.0 / 1200 + 0.1 << 990.0
      << 2010.0;
  QTest::newRow("max weight below the empty weight")
      << 70.0 << 71.0 << 500.0 << 70 - 0.1 << 86000.0 / 1200 + 0.1 << 490.0
      << 1210.0;
}

void tst_calculate_cg::limits_widen_the_bounds() {
  QFETCH(double, forward);
  QFETCH(double, aft);
  QFETCH(double, max_weight);
  Loading_Model model =
      Model_With({{Empty_Aircraft, 70, 1000}, {Pilot, 80, 200}});
  model.Forward_CG_Limit_ARM = forward;
  model.Aft_CG_Limit_ARM = aft;
  model.Max_Allowable_Weight = max_weight;
  Calculate_CG(model);

  QTEST(model.Chart_Min_Arm, "min_arm");
  QTEST(model.Chart_Max_Arm, "max_arm");
  QTEST(model.Chart_Min_Weight, "min_weight");
  QTEST(model.Chart_Max_Weight, "max_weight_bound");
}

void tst_calculate_cg::aerobatic_limits_never_widen() {
  Loading_Model model = Model_With({{Empty_Aircraft, 70, 1000}});
  model.Forward_CG_Limit_ARM = 69;
  model.Aft_CG_Limit_ARM = 72;
  model.Max_Allowable_Weight = 1200;
  Loading_Model with_aerobatic = model;
  with_aerobatic.Aerobatic_Limit_ARM = 500;
  with_aerobatic.Aerobatic_Limit_Weight = -5000;
  Calculate_CG(model);
  Calculate_CG(with_aerobatic);

  QCOMPARE(with_aerobatic.Chart_Min_Arm, model.Chart_Min_Arm);
  QCOMPARE(with_aerobatic.Chart_Max_Arm, model.Chart_Max_Arm);
  QCOMPARE(with_aerobatic.Chart_Min_Weight, model.Chart_Min_Weight);
  QCOMPARE(with_aerobatic.Chart_Max_Weight, model.Chart_Max_Weight);
}

void tst_calculate_cg::zero_max_weight_pulls_the_floor_down() {
  Loading_Model model =
      Model_With({{Empty_Aircraft, 70, 1000}, {Pilot, 80, 200}});
  model.Forward_CG_Limit_ARM = 70;
  model.Aft_CG_Limit_ARM = 75;
  Calculate_CG(model);
  QCOMPARE(model.Chart_Min_Weight, -10.0);
  QCOMPARE(model.Chart_Max_Weight, 1210.0);
}

void tst_calculate_cg::negative_weight_lowers_running_weights() {
  Loading_Model model = Model_With(
      {{Empty_Aircraft, 70, 1000}, {Oil, 40, -100}, {Pilot, 80, 200}});
  Calculate_CG(model);
  QCOMPARE(model.Stations[Oil].Running_Weight, 900.0);
  QCOMPARE(model.Stations[Oil].Running_CG, (70000.0 - 4000) / 900);
  QCOMPARE(model.Aircraft_Weight, 1100.0);
  QCOMPARE(model.Chart_Min_Weight, 0.0 - 10);
  QCOMPARE(model.Chart_Max_Weight, 1110.0);
}

void tst_calculate_cg::negative_arms_show_a_minus() {
  Loading_Model model =
      Model_With({{Empty_Aircraft, -20, 1000}, {Pilot, -30, 1000}});
  Calculate_CG(model);
  QCOMPARE(Text(model.Aircraft_ARM), QStringLiteral("-25"));
  QCOMPARE(model.Chart_Min_Arm, -25 - 0.1);
  QCOMPARE(model.Chart_Max_Arm, 0 + 0.1);
}

// Nothing is carried over: wide bounds from an earlier loading do not stay.
void tst_calculate_cg::recalculation_starts_afresh() {
  Loading_Model model =
      Model_With({{Empty_Aircraft, 70, 1000}, {Pilot, 500, 50000}});
  Calculate_CG(model);
  model.Stations[Pilot].Weight = 0;
  Calculate_CG(model);
  QCOMPARE(model.Chart_Max_Arm, 70 + 0.1);
  QCOMPARE(model.Chart_Max_Weight, 1010.0);
  QCOMPARE(model.Aircraft_ARM, 70.0);
}

void tst_calculate_cg::weightless_loading_has_no_cg_data() {
  QTest::addColumn<double>("empty_weight");
  QTest::addColumn<double>("pilot_weight");
  QTest::newRow("nothing loaded") << 0.0 << 0.0;
  QTest::newRow("negative pilot cancels the aircraft") << 1000.0 << -1000.0;
}

// A running weight of 0 leaves the CG without a value: the result shows
// empty, and the calculation itself neither traps nor stops.
void tst_calculate_cg::weightless_loading_has_no_cg() {
  QFETCH(double, empty_weight);
  QFETCH(double, pilot_weight);
  Loading_Model model = Model_With(
      {{Empty_Aircraft, 70, empty_weight}, {Pilot, 80, pilot_weight}});
  Calculate_CG(model);
  QCOMPARE(model.Aircraft_Weight, 0.0);
  QVERIFY(!std::isfinite(model.Aircraft_ARM));
  QCOMPARE(Text(model.Aircraft_ARM), QString());
  QCOMPARE(Text(model.Aircraft_Weight), QStringLiteral(" 0"));
}

QTEST_GUILESS_MAIN(tst_calculate_cg)
#include "tst_calculate_cg.moc"
