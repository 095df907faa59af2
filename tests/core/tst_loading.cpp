// The calculation, the presets and the chart, checked against values worked
// out by hand and against the preset table.
#include <QtTest>

#include <cmath>
#include <limits>

#include "chart/cg_graphic.h"
#include "chart/recording_surface.h"
#include "model/calculate_cg.h"
#include "model/input_fields.h"
#include "model/number_text.h"
#include "presets/aircraft_presets.h"

using namespace trimwell;

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// 1000 at 70 with a 200 pilot at 80; limits as given.
Loading_Model Worked_Example(double forward, double aft, double max_weight) {
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
  void bounds_data() {
    QTest::addColumn<double>("forward");
    QTest::addColumn<double>("aft");
    QTest::addColumn<double>("max_weight");
    QTest::addColumn<double>("min_arm");
    QTest::addColumn<double>("max_arm");
    QTest::addColumn<double>("min_weight");
    QTest::addColumn<double>("max_weight_bound");
    // The CG of every station from the pilot on is 86000 / 1200.
    const double cg = 71.66666666666667;
    QTest::newRow("limits inside the path")
        << 70.5 << 71.5 << 1100.0 << 69.9 << cg + 0.1 << 990.0 << 1210.0;
    QTest::newRow("limits swapped widen both ways")
        << 95.0 << 50.0 << 2000.0 << 49.9 << 95.1 << 990.0 << 2010.0;
    QTest::newRow("max weight 0 pulls the floor to -10")
        << 70.0 << 71.0 << 0.0 << 69.9 << cg + 0.1 << -10.0 << 1210.0;
  }

  void bounds() {
    QFETCH(double, forward);
    QFETCH(double, aft);
    QFETCH(double, max_weight);
    Loading_Model model = Worked_Example(forward, aft, max_weight);
    QTEST(model.Chart_Min_Arm, "min_arm");
    QTEST(model.Chart_Max_Arm, "max_arm");
    QTEST(model.Chart_Min_Weight, "min_weight");
    QTEST(model.Chart_Max_Weight, "max_weight_bound");
    QCOMPARE(Text(model.Aircraft_ARM), " 71.6666666666667");
    QCOMPARE(Text(model.Aircraft_Weight), " 1200");
    QCOMPARE(model.Stations[Front_Baggage].Running_CG, 70.0);

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

  void presets_data() {
    QTest::addColumn<int>("preset");
    // The 21 box texts in the order a preset writes them: the stations Oil
    // to Wing Fuel (arm, weight), then the limits frame top to bottom.
    QTest::addColumn<QString>("boxes");
    // Each station label's caption and palette colour, Oil to Wing Fuel.
    QTest::addColumn<QString>("labels");
    // CG and gross weight, summed by hand from the table.
    QTest::addColumn<QString>("cg");
    QTest::addColumn<QString>("weight");
    const QString hrii_boxes =
        " 45| 15| 0| 0| 105| 170| 136| 170| 164| 30| 0| 0| 86.5| 252|"
        " 86.7| 86| 1213| 95.9| 1550| 97.4| 2000";
    const QString hrii_labels =
        "Oil 1|User Defined 10|Pilot 0|Passenger 1|Rear Baggage 2|"
        "User Defined 10|Wing Fuel 8";
    QTest::newRow("HR-II") << int(Preset_HRII) << hrii_boxes << hrii_labels
                           << " 93.3410810810811"
                           << " 1850";
    QTest::newRow("RV-3")
        << int(Preset_RV3)
        << " 30| 15| 0| 0| 81| 170| 0| 0| 112.5| 30| 53| 144| 58.5| 0|"
           " 59.72| 58.3| 755|N/A|N/A| 65.58| 1115"
        << "Oil 1|User Defined 10|Pilot 0|User Defined 10|Rear Baggage 2|"
           "Fuselage Fuel 8|Wing Fuel 8"
        << " 62.1575403949731"
        << " 1114";
    QTest::newRow("RV-4")
        << int(Preset_RV4)
        << " 40| 15| 56.4| 12| 82.5| 170| 107| 170| 130| 30| 0| 0| 70| 192|"
           " 68.7| 69.97| 905| 75.9| 1375| 77.4| 1500"
        << "Oil 1|Front Baggage 2|Pilot 0|Passenger 1|Rear Baggage 2|"
           "User Defined 10|Wing Fuel 8"
        << " 76.408734939759"
        << " 1494";
    QTest::newRow("RV-6")
        << int(Preset_RV6)
        << " 0| 0| 0| 0| 87.4| 170| 87.4| 170| 117| 53| 0| 0| 70| 242|"
           " 68.7| 69.06| 965| 75.3| 1375| 76.82| 1600"
        << "User Defined 10|User Defined 10|Pilot 0|Passenger 1|Rear Baggage 2|"
           "User Defined 10|Wing Fuel 8"
        << " 74.6874375"
        << " 1600";
    QTest::newRow("RV-8")
        << int(Preset_RV8)
        << " 0| 0| 58.51| 12| 91.78| 170| 119.12| 170| 138| 35| 0| 0| 80| 232|"
           " 78.7| 77.78| 1031| 84| 1375| 86.82| 1650"
        << "User Defined 10|Front Baggage 2|Pilot 0|Passenger 1|Rear Baggage 2|"
           "User Defined 10|Wing Fuel 8"
        << " 84.9310909090909"
        << " 1650";
    QTest::newRow("RV-9") << int(Preset_RV9) << hrii_boxes << hrii_labels
                          << " 93.3410810810811"
                          << " 1850";
    QTest::newRow("Other")
        << int(Preset_Other)
        << " 0| 15| 0| 0| 105| 170| 0| 0| 0| 0| 0| 0| 0| 0|"
           " 86.7| 86| 1213| 95.9| 1550| 97.4| 2000"
        << "User Defined 10|User Defined 10|Pilot 0|User Defined 10|"
           "User Defined 10|User Defined 10|User Defined 10"
        << " 87.3876967095851"
        << " 1398";
  }

  // Loading a preset over a scribbled model: every box text in its order, the
  // labels once a station's two boxes are written, the model holding what
  // each box shows at the moment it is shown ("N/A" as 0), the path in the
  // labels' colours, and the results.
  void presets() {
    QFETCH(int, preset);
    Loading_Model model;
    for (int k = 0; k < Input_Count; ++k)
      Input_Value(model, Input(k)) = -7;
    model.Path_Color.fill(14);
    QStringList boxes, labels;
    QList<int> colours;
    Load_Preset_Values(
        Aircraft_Presets[preset], model, [&](const Preset_Box& box) {
          QCOMPARE(int(box.Box), boxes.size());
          boxes << QString::fromStdString(box.Text);
          QCOMPARE(Input_Value(model, box.Box), Text_To_Number(box.Text));
          if (box.Label) {
            QCOMPARE(int(box.Box) % 2, 1); // a station's weight
            labels << QString("%1 %2")
                          .arg(box.Label->Caption)
                          .arg(box.Label->Color);
            colours << box.Label->Color;
          }
        });
    QTEST(boxes.join('|'), "boxes");
    QTEST(labels.join('|'), "labels");
    for (int k = 0; k < 7; ++k)
      QCOMPARE(int(model.Path_Color[k]), colours.value(k));
    Calculate_CG(model);
    QTEST(Text(model.Aircraft_ARM), "cg");
    QTEST(Text(model.Aircraft_Weight), "weight");
  }

  // An entered empty aircraft weight of 0, however written, counts as 1;
  // every other box stores what it reads.
  void empty_weight_of_0_counts_as_1() {
    for (const char* text : {"0", "-0.0", "", "abc", " 0 kg"})
      QCOMPARE(Input_Number(Input::Empty_Aircraft_Weight, text), 1.0);
    QCOMPARE(Input_Number(Input::Empty_Aircraft_Weight, " 0.5"), 0.5);
    QCOMPARE(Input_Number(Input::Empty_Aircraft_Arm, "0"), 0.0);
    QCOMPARE(Input_Number(Input::Max_Allowable_Weight, "-3"), -3.0);
  }

  // The HR-II chart as loaded, with points and corners worked out by hand.
  void hrii_chart() {
    Recording_Surface surface;
    Draw_CG_Graphic(Loaded(Preset_HRII), surface);
    const auto& scale = surface.Current_Scale();
    QVERIFY(Near(scale.Left, 85.3992));
    QCOMPARE(scale.Top, 2010.0);
    QCOMPARE(scale.Right, 97.5);
    QCOMPARE(scale.Bottom, 1203.0);
    const Rgb navy{0, 0, 128}, green{0, 128, 0}, light_green{0, 255, 0},
        black{0, 0, 0}, grey{128, 128, 128}, magenta{255, 0, 255},
        red{255, 0, 0};
    const struct {
      double x1, y1, x2, y2;
      Rgb color;
    } expected[] = {
        {86, 1213, 85.4992, 1228, navy},
        {85.4992, 1228, 85.4992, 1228, light_green},
        {85.4992, 1228, 87.8705, 1398, black},
        {87.8705, 1398, 93.0886, 1568, navy},
        {93.0886, 1568, 94.4199, 1598, green},
        {94.4199, 1598, 94.4199, 1598, light_green},
        {94.4199, 1598, 93.3411, 1850, grey},
        {86.7, 1550, 95.9, 1550, magenta},
        {95.9, 1550, 95.9, 1213, magenta},
        {86.7, 1213, 86.7, 2000, red},
        {86.7, 2000, 97.4, 2000, red},
        {97.4, 2000, 97.4, 1213, red},
        {97.4, 1213, 86.7, 1213, red},
    };
    QCOMPARE(surface.Segment_Count(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
      const auto& got = surface.Segment_At(i);
      const auto& want = expected[i];
      QVERIFY2(Near(got.X1, want.x1) && Near(got.Y1, want.y1) &&
                   Near(got.X2, want.x2) && Near(got.Y2, want.y2) &&
                   got.Color == want.color,
               qPrintable(QString("segment %1").arg(i + 1)));
      // Segments 1, 8 and 10 start afresh; the others go on from the pen.
      QCOMPARE(got.From_Pen, i != 0 && i != 7 && i != 9);
    }
    // Lines past the recorder's room for 16 are dropped, never written.
    for (int k = 0; k < 4; ++k)
      surface.Draw_Line_To(1, 1, red);
    QCOMPARE(surface.Segment_Count(), std::size_t(16));
  }

  void unplaceable_chart_data() {
    QTest::addColumn<double>("empty_arm");
    QTest::addColumn<double>("oil_weight");
    QTest::addColumn<double>("oil_cg"); // 0: as calculated
    QTest::addColumn<bool>("flat");     // the arm bounds made equal
    QTest::addColumn<int>("segments");
    QTest::addColumn<int>("first"); // station the path restarts at; 0: none
    QTest::newRow("arm bounds without extent: clear only")
        << 86.0 << 15.0 << 0.0 << true << 0 << 0;
    QTest::newRow("infinite empty arm: only the limits")
        << Inf << 15.0 << 0.0 << false << 6 << 0;
    // 1213 at 86 less 1213 at 45: no weight at oil and front baggage.
    QTest::newRow("running weight 0 part-way")
        << 86.0 << -1213.0 << 0.0 << false << 10 << int(Pilot);
    QTest::newRow("point below float range")
        << 86.0 << 15.0 << -1e300 << false << 11 << int(Front_Baggage);
    const double largest = std::numeric_limits<float>::max();
    QTest::newRow("point at float's largest")
        << 86.0 << 15.0 << largest << false << 13 << 0;
    QTest::newRow("point at float's lowest")
        << 86.0 << 15.0 << -largest << false << 13 << 0;
  }

  // What can be placed is drawn; a segment with an end that cannot be placed
  // is left out.
  void unplaceable_chart() {
    QFETCH(double, empty_arm);
    QFETCH(double, oil_weight);
    QFETCH(double, oil_cg);
    QFETCH(bool, flat);
    QFETCH(int, first);
    Loading_Model model = Loaded(Preset_HRII);
    model.Stations[Empty_Aircraft].Arm = empty_arm;
    model.Stations[Oil].Weight = oil_weight;
    Calculate_CG(model);
    if (oil_cg != 0)
      model.Stations[Oil].Running_CG = oil_cg;
    if (flat)
      model.Chart_Max_Arm = model.Chart_Min_Arm;
    Recording_Surface surface;
    surface.Draw_Line(1, 2, 3, 4, Rgb{0, 0, 128});
    Draw_CG_Graphic(model, surface);
    QCOMPARE(surface.Clear_Count(), 1);
    QTEST(int(surface.Segment_Count()), "segments");
    if (surface.Segment_Count() % 13 == 0) {
      return; // nothing drawn, or everything
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
};

QTEST_GUILESS_MAIN(tst_loading)
#include "tst_loading.moc"
