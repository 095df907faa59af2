// The calculation, the presets and the chart, checked against values worked
// out by hand.
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

#include "chart/cg_graphic.h"
#include "chart/recording_surface.h"
#include "model/calculate_cg.h"
#include "model/number_text.h"
#include "presets/aircraft_presets.h"

using namespace trimwell;

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// 1000 at 70 with a 200 pilot at 80; limits as given.
Loading_Model Worked_Example(double forward = 0, double aft = 0,
                             double max_weight = 0) {
  Loading_Model model;
  model.Stations[Empty_Aircraft] = {70, 1000, 0, 0, 0, 0};
  model.Stations[Pilot] = {80, 200, 0, 0, 0, 0};
  model.Forward_CG_Limit_ARM = forward;
  model.Aft_CG_Limit_ARM = aft;
  model.Max_Allowable_Weight = max_weight;
  Calculate_CG(model);
  return model;
}

Loading_Model Loaded(int preset) {
  Loading_Model model;
  Load_Preset_Values(Aircraft_Presets[preset], model);
  Calculate_CG(model);
  return model;
}

QString Text(double value) {
  return QString::fromStdString(Number_To_Text(value));
}

bool Near(double a, double b) {
  return std::fabs(a - b) < 5e-5;
}
} // namespace

class tst_loading : public QObject {
  Q_OBJECT

private slots:
  void worked_example();
  void bounds_data();
  void bounds();
  void weightless_loading_has_no_cg();
  void presets_data();
  void presets();
  void special_presets();
  void hrii_chart();
  void unplaceable_chart_data();
  void unplaceable_chart();
};

void tst_loading::worked_example() {
  const Loading_Model model = Worked_Example();
  QCOMPARE(model.Stations[Front_Baggage].Running_CG, 70.0);
  QCOMPARE(model.Stations[Wing_Fuel].Running_Moment, 86000.0);
  QCOMPARE(Text(model.Stations[Pilot].Running_CG), " 71.6666666666667");
  QCOMPARE(Text(model.Aircraft_ARM), " 71.6666666666667");
  QCOMPARE(Text(model.Aircraft_Weight), " 1200");
}

void tst_loading::bounds_data() {
  QTest::addColumn<double>("forward");
  QTest::addColumn<double>("aft");
  QTest::addColumn<double>("max_weight");
  QTest::addColumn<double>("min_arm");
  QTest::addColumn<double>("max_arm");
  QTest::addColumn<double>("min_weight");
  QTest::addColumn<double>("max_weight_bound");
  const double cg = 86000.0 / 1200;
  QTest::newRow("limits inside the path")
      << 70.5 << 71.5 << 1100.0 << 69.9 << cg + 0.1 << 990.0 << 1210.0;
  QTest::newRow("limits swapped widen both ways")
      << 95.0 << 50.0 << 2000.0 << 49.9 << 95.1 << 990.0 << 2010.0;
  QTest::newRow("max weight 0 pulls the floor to -10")
      << 70.0 << 71.0 << 0.0 << 69.9 << cg + 0.1 << -10.0 << 1210.0;
}

void tst_loading::bounds() {
  QFETCH(double, forward);
  QFETCH(double, aft);
  QFETCH(double, max_weight);
  Loading_Model model = Worked_Example(forward, aft, max_weight);
  QTEST(model.Chart_Min_Arm, "min_arm");
  QTEST(model.Chart_Max_Arm, "max_arm");
  QTEST(model.Chart_Min_Weight, "min_weight");
  QTEST(model.Chart_Max_Weight, "max_weight_bound");

  // The aerobatic limits never widen the bounds, and nothing is carried
  // over from an earlier calculation.
  const Loading_Model before = model;
  model.Aerobatic_Limit_ARM = 500;
  model.Aerobatic_Limit_Weight = -5000;
  model.Chart_Min_Arm = model.Chart_Max_Weight = NaN;
  Calculate_CG(model);
  QCOMPARE(model.Chart_Min_Arm, before.Chart_Min_Arm);
  QCOMPARE(model.Chart_Max_Weight, before.Chart_Max_Weight);
}

// A running weight of 0 leaves the CG without a value: the result shows
// empty, the weight still shows.
void tst_loading::weightless_loading_has_no_cg() {
  Loading_Model model = Worked_Example();
  model.Stations[Pilot].Weight = -1000;
  Calculate_CG(model);
  QVERIFY(!std::isfinite(model.Aircraft_ARM));
  QCOMPARE(Text(model.Aircraft_ARM), QString());
  QCOMPARE(Text(model.Aircraft_Weight), " 0");
}

void tst_loading::presets_data() {
  QTest::addColumn<int>("preset");
  for (int i = 0; i < Preset_Count; ++i) {
    QTest::newRow(Aircraft_Presets[i].Caption) << i;
  }
}

// A preset overwrites every input; each label shows its own look or "User
// Defined" in light green; the path segment ending at a station takes that
// station's label colour; every loaded box text starts with a blank.
void tst_loading::presets() {
  QFETCH(int, preset);
  const Aircraft_Preset& p = Aircraft_Presets[preset];
  Loading_Model scribbled = Worked_Example(-1, -2, -3);
  scribbled.Path_Color.fill(14);
  Load_Preset_Values(p, scribbled);
  Calculate_CG(scribbled);
  const Loading_Model fresh = Loaded(preset);
  QCOMPARE(scribbled.Aircraft_ARM, fresh.Aircraft_ARM);
  QCOMPARE(scribbled.Chart_Min_Arm, fresh.Chart_Min_Arm);
  QCOMPARE(scribbled.Aerobatic_Limit_Weight, fresh.Aerobatic_Limit_Weight);
  for (int k = Oil; k < Station_Count; ++k) {
    const auto look = Preset_Station_Look(p, Station_Index(k));
    const bool user_defined = std::strcmp(look.Caption, "User Defined") == 0;
    QCOMPARE(user_defined, !p.Stations[k - Oil].Defined);
    QCOMPARE(user_defined, look.Color == 10);
    QCOMPARE(fresh.Path_Color[k - 1], look.Color);
    QCOMPARE(Number_To_Text(fresh.Stations[k].Weight).front(), ' ');
  }
}

void tst_loading::special_presets() {
  const Loading_Model rv3 = Loaded(Preset_RV3);
  QCOMPARE(rv3.Aerobatic_Limit_ARM, 0.0);
  QCOMPARE(rv3.Aerobatic_Limit_Weight, 0.0);
  QCOMPARE(Preset_Station_Look(Aircraft_Presets[Preset_RV3], Wing_Fuel).Color,
           std::int16_t{8});
  QCOMPARE(Text(Loaded(Preset_Other).Aircraft_Weight), " 1398");
  QCOMPARE(Loaded(Preset_RV9).Aircraft_ARM, Loaded(Preset_HRII).Aircraft_ARM);
}

// The HR-II chart as loaded, with points and corners worked out by hand.
void tst_loading::hrii_chart() {
  Recording_Surface surface;
  Draw_CG_Graphic(Loaded(Preset_HRII), surface);
  const auto& scale = surface.Current_Scale();
  QVERIFY(Near(scale.Left, 85.3992));
  QCOMPARE(scale.Top, 2010.0);
  QCOMPARE(scale.Right, 97.5);
  QCOMPARE(scale.Bottom, 1203.0);
  const struct {
    double x1, y1, x2, y2;
    int color;
  } expected[] = {
      {86, 1213, 85.4992, 1228, 1},      {85.4992, 1228, 85.4992, 1228, 10},
      {85.4992, 1228, 87.8705, 1398, 0}, {87.8705, 1398, 93.0886, 1568, 1},
      {93.0886, 1568, 94.4199, 1598, 2}, {94.4199, 1598, 94.4199, 1598, 10},
      {94.4199, 1598, 93.3411, 1850, 8}, {86.7, 1550, 95.9, 1550, 13},
      {95.9, 1550, 95.9, 1213, 13},      {86.7, 1213, 86.7, 2000, 12},
      {86.7, 2000, 97.4, 2000, 12},      {97.4, 2000, 97.4, 1213, 12},
      {97.4, 1213, 86.7, 1213, 12},
  };
  QCOMPARE(surface.Segment_Count(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const auto& got = surface.Segment_At(i);
    const auto& want = expected[i];
    QVERIFY2(Near(got.X1, want.x1) && Near(got.Y1, want.y1) &&
                 Near(got.X2, want.x2) && Near(got.Y2, want.y2) &&
                 got.Color == Palette_Color(want.color),
             qPrintable(QString("segment %1").arg(i + 1)));
    // Segments 1, 8 and 10 start afresh; the others go on from the pen.
    QCOMPARE(got.From_Pen, i != 0 && i != 7 && i != 9);
  }
}

void tst_loading::unplaceable_chart_data() {
  QTest::addColumn<double>("empty_arm");
  QTest::addColumn<double>("oil_weight");
  QTest::addColumn<double>("oil_cg");    // 0: as calculated
  QTest::addColumn<double>("cg_limits"); // 0: the preset's
  QTest::addColumn<int>("segments");
  QTest::addColumn<int>("first"); // station the path restarts at; 0: none
  QTest::newRow("no finite arm at all: clear only")
      << Inf << 15.0 << 0.0 << NaN << 0 << 0;
  QTest::newRow("infinite empty arm: only the limits")
      << Inf << 15.0 << 0.0 << 0.0 << 6 << 0;
  QTest::newRow("NaN empty arm: only the limits")
      << NaN << 15.0 << 0.0 << 0.0 << 6 << 0;
  // 1213 at 86 less 1213 at 45: no weight at oil and front baggage.
  QTest::newRow("running weight 0 part-way")
      << 86.0 << -1213.0 << 0.0 << 0.0 << 10 << int(Pilot);
  QTest::newRow("NaN point leaves out both its segments")
      << 86.0 << 15.0 << NaN << 0.0 << 11 << int(Front_Baggage);
  QTest::newRow("point beyond float range")
      << 86.0 << 15.0 << 1e300 << 0.0 << 11 << int(Front_Baggage);
}

// What can be placed is drawn; a segment with an end that cannot be placed
// is left out.
void tst_loading::unplaceable_chart() {
  QFETCH(double, empty_arm);
  QFETCH(double, oil_weight);
  QFETCH(double, oil_cg);
  QFETCH(double, cg_limits);
  QFETCH(int, first);
  Loading_Model model = Loaded(Preset_HRII);
  model.Stations[Empty_Aircraft].Arm = empty_arm;
  model.Stations[Oil].Weight = oil_weight;
  if (cg_limits != 0) {
    model.Forward_CG_Limit_ARM = model.Aft_CG_Limit_ARM = cg_limits;
  }
  Calculate_CG(model);
  if (oil_cg != 0) {
    model.Stations[Oil].Running_CG = oil_cg;
  }
  Recording_Surface surface;
  surface.Draw_Line(1, 2, 3, 4, Palette_Color(1));
  Draw_CG_Graphic(model, surface);
  QCOMPARE(surface.Clear_Count(), 1);
  QTEST(int(surface.Segment_Count()), "segments");
  if (surface.Segment_Count() == 0) {
    return;
  }
  // The path goes on from its next placeable point, never from a pen that
  // did not move; without one the drawing starts at the aerobatic line.
  const auto& start = surface.Segment_At(0);
  QVERIFY(!start.From_Pen);
  QCOMPARE(start.X1, float(first ? model.Stations[first].Running_CG
                                 : model.Forward_CG_Limit_ARM));
  QCOMPARE(start.Y1, float(first ? model.Stations[first].Running_Weight
                                 : model.Aerobatic_Limit_Weight));
}

QTEST_GUILESS_MAIN(tst_loading)
#include "tst_loading.moc"
