#include <QtTest>

#include <cstring>

#include "model/calculate_cg.h"
#include "model/number_text.h"
#include "presets/aircraft_presets.h"

using namespace trimwell;

namespace {

// A model whose every input is garbage, to prove a preset overwrites them.
Loading_Model Scribbled_Model() {
  Loading_Model model;
  for (Station& s : model.Stations) {
    s.Arm = -123.25;
    s.Weight = 98765;
  }
  model.Forward_CG_Limit_ARM = model.Aft_CG_Limit_ARM = -1;
  model.Aerobatic_Limit_ARM = model.Aerobatic_Limit_Weight = -2;
  model.Max_Allowable_Weight = -3;
  model.Path_Color.fill(14);
  return model;
}

bool Same_Inputs(const Loading_Model& a, const Loading_Model& b) {
  for (int k = 0; k < Station_Count; ++k) {
    if (a.Stations[k].Arm != b.Stations[k].Arm ||
        a.Stations[k].Weight != b.Stations[k].Weight) {
      return false;
    }
  }
  return a.Forward_CG_Limit_ARM == b.Forward_CG_Limit_ARM &&
         a.Aft_CG_Limit_ARM == b.Aft_CG_Limit_ARM &&
         a.Aerobatic_Limit_ARM == b.Aerobatic_Limit_ARM &&
         a.Aerobatic_Limit_Weight == b.Aerobatic_Limit_Weight &&
         a.Max_Allowable_Weight == b.Max_Allowable_Weight &&
         a.Path_Color == b.Path_Color;
}

Loading_Model Loaded(Preset_Index preset) {
  Loading_Model model;
  Load_Preset_Values(Aircraft_Presets[preset], model);
  Calculate_CG(model);
  return model;
}

} // namespace

class tst_presets : public QObject {
  Q_OBJECT

private slots:
  void preset_overwrites_every_input_data();
  void preset_overwrites_every_input();
  void labels_and_path_share_colours_data();
  void labels_and_path_share_colours();
  void loaded_numbers_show_with_a_blank_data();
  void loaded_numbers_show_with_a_blank();
  void hrii_and_rv9_are_identical();
  void rv3_has_no_aerobatic_limits();
  void other_carries_oil_and_pilot();
};

void tst_presets::preset_overwrites_every_input_data() {
  QTest::addColumn<int>("preset");
  for (int i = 0; i < Preset_Count; ++i) {
    QTest::newRow(Aircraft_Presets[i].Caption) << i;
  }
}

void tst_presets::preset_overwrites_every_input() {
  QFETCH(int, preset);
  Loading_Model fresh;
  Loading_Model scribbled = Scribbled_Model();
  Load_Preset_Values(Aircraft_Presets[preset], fresh);
  Load_Preset_Values(Aircraft_Presets[preset], scribbled);
  QVERIFY(Same_Inputs(fresh, scribbled));
}

// Each label shows either its own look or "User Defined" in light green, and
// the path segment ending at a station takes that station's label colour.
void tst_presets::labels_and_path_share_colours() {
  QFETCH(int, preset);
  const Aircraft_Preset& p = Aircraft_Presets[preset];
  Loading_Model model;
  Load_Preset_Values(p, model);
  for (int k = Oil; k < Station_Count; ++k) {
    const auto look = Preset_Station_Look(p, static_cast<Station_Index>(k));
    const bool user_defined = std::strcmp(look.Caption, "User Defined") == 0;
    QCOMPARE(user_defined, !p.Stations[k - Oil].Defined);
    if (user_defined) {
      QCOMPARE(look.Color, std::int16_t{10});
    } else {
      QVERIFY(look.Color != 10);
    }
    QCOMPARE(model.Path_Color[k - 1], look.Color);
  }
}
void tst_presets::labels_and_path_share_colours_data() {
  preset_overwrites_every_input_data();
}

void tst_presets::loaded_numbers_show_with_a_blank() {
  QFETCH(int, preset);
  const Loading_Model model = Loaded(static_cast<Preset_Index>(preset));
  for (const Station& s : model.Stations) {
    QVERIFY(Number_To_Text(s.Arm).front() == ' ');
    QVERIFY(Number_To_Text(s.Weight).front() == ' ');
    // What the box shows reads back as the very value the preset stored.
    QCOMPARE(Text_To_Number(Number_To_Text(s.Arm)), s.Arm);
    QCOMPARE(Text_To_Number(Number_To_Text(s.Weight)), s.Weight);
  }
  QVERIFY(std::isfinite(model.Aircraft_ARM));
}
void tst_presets::loaded_numbers_show_with_a_blank_data() {
  preset_overwrites_every_input_data();
}

void tst_presets::hrii_and_rv9_are_identical() {
  QVERIFY(Same_Inputs(Loaded(Preset_HRII), Loaded(Preset_RV9)));
}

void tst_presets::rv3_has_no_aerobatic_limits() {
  const Aircraft_Preset& rv3 = Aircraft_Presets[Preset_RV3];
  QVERIFY(!rv3.Aerobatic_Limits_Apply);
  const Loading_Model model = Loaded(Preset_RV3);
  QCOMPARE(model.Aerobatic_Limit_ARM, 0.0);
  QCOMPARE(model.Aerobatic_Limit_Weight, 0.0);
  QCOMPARE(Preset_Station_Look(rv3, Passenger).Caption,
           std::string_view("User Defined"));
  // Wing fuel is defined even though it weighs nothing.
  QCOMPARE(Preset_Station_Look(rv3, Wing_Fuel).Caption,
           std::string_view("Wing Fuel"));
  QCOMPARE(model.Stations[Wing_Fuel].Weight, 0.0);
  QCOMPARE(model.Stations[Fuselage_Fuel].Running_Weight,
           755.0 + 15 + 170 + 30 + 144);
}

void tst_presets::other_carries_oil_and_pilot() {
  const Loading_Model model = Loaded(Preset_Other);
  QCOMPARE(QString::fromStdString(Number_To_Text(model.Aircraft_Weight)),
           QStringLiteral(" 1398"));
  for (int k = Oil; k < Station_Count; ++k) {
    const bool own = k == Pilot;
    QCOMPARE(Aircraft_Presets[Preset_Other].Stations[k - Oil].Defined, own);
  }
  QCOMPARE(model.Stations[Oil].Weight, 15.0);
  QCOMPARE(model.Stations[Oil].Arm, 0.0);
}

QTEST_GUILESS_MAIN(tst_presets)
#include "tst_presets.moc"
