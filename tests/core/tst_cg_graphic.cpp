#include <QtTest>

#include <cmath>
#include <limits>

#include "chart/cg_graphic.h"
#include "chart/recording_surface.h"
#include "model/calculate_cg.h"
#include "presets/aircraft_presets.h"

using namespace trimwell;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct Expected_Segment {
  double x1, y1, x2, y2;
  int color;
};

Loading_Model Calculated(Preset_Index preset) {
  Loading_Model model;
  Load_Preset_Values(Aircraft_Presets[preset], model);
  Calculate_CG(model);
  return model;
}

bool Near(double a, double b) {
  return std::fabs(a - b) < 5e-5;
}

} // namespace

class tst_cg_graphic : public QObject {
  Q_OBJECT

private slots:
  void hrii_chart();
  void palette_data();
  void palette();
  void path_is_black_before_any_preset();
  void rv3_aerobatic_lines_sit_at_zero();
  void unplaceable_bounds_only_clear_data();
  void unplaceable_bounds_only_clear();
  void unplaceable_point_leaves_out_its_segments_data();
  void unplaceable_point_leaves_out_its_segments();
};

// The HR-II chart as loaded, with points and corners worked out by hand.
void tst_cg_graphic::hrii_chart() {
  const Loading_Model model = Calculated(Preset_HRII);
  Recording_Surface surface;
  Draw_CG_Graphic(model, surface);

  QCOMPARE(surface.Clear_Count(), 1);
  QVERIFY(surface.Has_Scale());
  const auto& scale = surface.Current_Scale();
  QVERIFY(Near(scale.Left, 85.3992));
  QCOMPARE(scale.Top, 2010.0);
  QCOMPARE(scale.Right, 97.5);
  QCOMPARE(scale.Bottom, 1203.0);

  const Expected_Segment expected[] = {
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
    const QByteArray where = "segment " + QByteArray::number(int(i) + 1);
    QVERIFY2(Near(got.X1, want.x1) && Near(got.Y1, want.y1), where);
    QVERIFY2(Near(got.X2, want.x2) && Near(got.Y2, want.y2), where);
    QVERIFY2(got.Color == Palette_Color(want.color), where);
    // Segments 1, 8 and 10 start afresh; the others continue from the pen.
    QCOMPARE(got.From_Pen, i != 0 && i != 7 && i != 9);
  }
}

void tst_cg_graphic::palette_data() {
  QTest::addColumn<int>("number");
  QTest::addColumn<int>("red");
  QTest::addColumn<int>("green");
  QTest::addColumn<int>("blue");
  QTest::newRow("0 black") << 0 << 0 << 0 << 0;
  QTest::newRow("7 light grey") << 7 << 192 << 192 << 192;
  QTest::newRow("8 grey") << 8 << 128 << 128 << 128;
  QTest::newRow("10 light green") << 10 << 0 << 255 << 0;
  QTest::newRow("12 light red") << 12 << 255 << 0 << 0;
  QTest::newRow("13 light magenta") << 13 << 255 << 0 << 255;
  QTest::newRow("15 white") << 15 << 255 << 255 << 255;
  QTest::newRow("16 is outside: black") << 16 << 0 << 0 << 0;
  QTest::newRow("-1 is outside: black") << -1 << 0 << 0 << 0;
  QTest::newRow("int16 extreme is outside: black") << -32768 << 0 << 0 << 0;
}

void tst_cg_graphic::palette() {
  QFETCH(int, number);
  const Rgb c = Palette_Color(number);
  QTEST(int(c.Red), "red");
  QTEST(int(c.Green), "green");
  QTEST(int(c.Blue), "blue");
}

void tst_cg_graphic::path_is_black_before_any_preset() {
  Loading_Model model;
  model.Stations[Empty_Aircraft] = {70, 1000, 0, 0, 0, 0};
  model.Stations[Pilot] = {80, 200, 0, 0, 0, 0};
  Calculate_CG(model);
  Recording_Surface surface;
  Draw_CG_Graphic(model, surface);
  QCOMPARE(surface.Segment_Count(), std::size_t{13});
  for (std::size_t i = 0; i < 7; ++i) {
    QVERIFY(surface.Segment_At(i).Color == Palette_Color(0));
  }
}

// RV-3 has no aerobatic limits: both lines lie at 0, off the chart.
void tst_cg_graphic::rv3_aerobatic_lines_sit_at_zero() {
  const Loading_Model model = Calculated(Preset_RV3);
  Recording_Surface surface;
  Draw_CG_Graphic(model, surface);
  const auto& top = surface.Segment_At(7);
  const auto& side = surface.Segment_At(8);
  QCOMPARE(top.Y1, 0.0f);
  QCOMPARE(top.Y2, 0.0f);
  QCOMPARE(side.X2, 0.0f);
  QVERIFY(model.Chart_Min_Weight > 0);
  QVERIFY(model.Chart_Min_Arm > 0);
}

void tst_cg_graphic::unplaceable_bounds_only_clear_data() {
  QTest::addColumn<double>("empty_arm");
  QTest::addColumn<double>("empty_weight");
  QTest::addColumn<double>("pilot_weight");
  QTest::newRow("infinite arm") << Inf << 1000.0 << 0.0;
  QTest::newRow("NaN arm") << NaN << 1000.0 << 0.0;
  QTest::newRow("infinite weight") << 70.0 << Inf << 0.0;
  QTest::newRow("running weight of 0 makes an infinite CG")
      << 70.0 << 1000.0 << -1000.0;
  QTest::newRow("margin lost in a huge arm") << 1e20 << 1.0 << 0.0;
}

void tst_cg_graphic::unplaceable_bounds_only_clear() {
  QFETCH(double, empty_arm);
  QFETCH(double, empty_weight);
  QFETCH(double, pilot_weight);
  Loading_Model model;
  model.Stations[Empty_Aircraft].Arm = empty_arm;
  model.Stations[Empty_Aircraft].Weight = empty_weight;
  model.Stations[Pilot].Arm = 80;
  model.Stations[Pilot].Weight = pilot_weight;
  model.Forward_CG_Limit_ARM = empty_arm;
  model.Aft_CG_Limit_ARM = empty_arm;
  model.Max_Allowable_Weight = empty_weight;
  Calculate_CG(model);

  Recording_Surface surface;
  surface.Draw_Line(1, 2, 3, 4, Palette_Color(1));
  Draw_CG_Graphic(model, surface);
  QCOMPARE(surface.Clear_Count(), 1);
  QVERIFY(!surface.Has_Scale());
  QCOMPARE(surface.Segment_Count(), std::size_t{0});
}

void tst_cg_graphic::unplaceable_point_leaves_out_its_segments_data() {
  QTest::addColumn<double>("oil_cg");
  QTest::addColumn<double>("oil_weight");
  QTest::newRow("NaN running CG") << NaN << 1015.0;
  QTest::newRow("infinite running weight") << 70.0 << Inf;
  QTest::newRow("beyond float range") << 1e300 << 1015.0;
}

// Point 1 cannot be placed: segments 1 and 2 both touch it and are left out;
// segment 3 starts afresh from point 2 instead of a pen that never moved.
void tst_cg_graphic::unplaceable_point_leaves_out_its_segments() {
  QFETCH(double, oil_cg);
  QFETCH(double, oil_weight);
  Loading_Model model = Calculated(Preset_HRII);
  model.Stations[Oil].Running_CG = oil_cg;
  model.Stations[Oil].Running_Weight = oil_weight;

  Recording_Surface surface;
  Draw_CG_Graphic(model, surface);
  QCOMPARE(surface.Segment_Count(), std::size_t{11});
  const auto& first = surface.Segment_At(0);
  QVERIFY(!first.From_Pen);
  QCOMPARE(first.X1, float(model.Stations[Front_Baggage].Running_CG));
  QCOMPARE(first.Y1, float(model.Stations[Front_Baggage].Running_Weight));
  QCOMPARE(first.X2, float(model.Stations[Pilot].Running_CG));
  QVERIFY(first.Color == Palette_Color(model.Path_Color[2]));
  QVERIFY(surface.Segment_At(1).From_Pen);
}

QTEST_GUILESS_MAIN(tst_cg_graphic)
#include "tst_cg_graphic.moc"
