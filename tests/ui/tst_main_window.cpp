// The main window as a calculator: the first show, typing into the boxes,
// choosing aircraft types, keyboard navigation and the menus, all driven by
// real key and mouse events on the controls found by name.

#include <QMenu>
#include <QRadioButton>
#include <QtTest>

#include "forms/frmAbout.h"
#include "presets/aircraft_presets.h"
#include "tst_main_fixture.h"

using namespace main_test;

namespace {

// Gross weights of the seven presets, summed by hand from the preset table
// (the empty aircraft plus every station's weight).
struct Preset_Row {
  const char* Button;
  trimwell::Preset_Index Index;
  const char* Gross_Weight;
};
const Preset_Row Presets[] = {
    {"Option_HRII", trimwell::Preset_HRII, " 1850"},
    {"Option_RV3", trimwell::Preset_RV3, " 1114"},
    {"Option_RV4", trimwell::Preset_RV4, " 1494"},
    {"Option_RV6", trimwell::Preset_RV6, " 1600"},
    {"Option_RV8", trimwell::Preset_RV8, " 1650"},
    {"Option_RV9", trimwell::Preset_RV9, " 1850"},
    {"Option_Other", trimwell::Preset_Other, " 1398"},
};

void Choose(frmMain& window, const char* button) {
  QTest::mouseClick(Find(window, button), Qt::LeftButton);
}

bool Chosen(frmMain& window, const char* button) {
  return Find<QRadioButton>(window, button)->isChecked();
}

QString Gross(frmMain& window) {
  return Text_Of(window, "Text_Aircraft_Weight");
}

} // namespace

class tst_main_window : public QObject {
  Q_OBJECT
private slots:
  void opens_with_hrii_loaded();
  void typing_recalculates_on_every_key_data();
  void typing_recalculates_on_every_key();
  void empty_weight_guard_data();
  void empty_weight_guard();
  void presets_load_their_row_data();
  void presets_load_their_row();
  void rv3_shows_not_applicable();
  void hrii_and_rv9_give_identical_windows();
  void preset_recalculates_once_per_changed_box();
  void tab_order_skips_the_results();
  void result_boxes_take_no_input();
  void arrow_keys_choose_each_type();
  void file_exit_closes_the_window();
  void help_about_opens_the_about_box();
};

void tst_main_window::opens_with_hrii_loaded() {
  frmMain window;
  window.Form_Load(); // the placement only: no type, no calculation
  QCOMPARE(Text_Of(window, "Text_Oil_ARM"), QString("Text1"));
  QVERIFY(!Chosen(window, "Option_HRII"));
  QVERIFY(Show_Window(window));
  QVERIFY(Chosen(window, "Option_HRII"));
  QCOMPARE(QApplication::focusWidget(), Find(window, "Option_HRII"));
  const QRegularExpression placeholder("^Text[0-9]+$");
  for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
    QVERIFY2(!placeholder.match(box->text()).hasMatch(),
             qPrintable(box->objectName()));
  }
  QCOMPARE(Text_Of(window, "Text_Wing_Fuel_ARM"), QString(" 86.5"));
  QCOMPARE(Gross(window), QString(" 1850"));
  // 172681 / 1850 to 15 significant digits.
  QCOMPARE(Text_Of(window, "Text_Aircraft_ARM"), QString(" 93.3410810810811"));
}

void tst_main_window::typing_recalculates_on_every_key_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QStringList>("gross");
  // Typing 1, 5, 0 over the HR-II value stores 1, 15, 150 in turn.
  QTest::newRow("pilot") << "Text_Pilot_Weight"
                         << QStringList{" 1681", " 1695", " 1830"};
  QTest::newRow("empty aircraft")
      << "Text_Empty_Aircraft_Weight" << QStringList{" 638", " 652", " 787"};
  QTest::newRow("a limit") << "Text_Max_Allowable_Weight"
                           << QStringList{" 1850", " 1850", " 1850"};
}

// Each key recalculates and repaints the box, the results and the chart
// before the key event returns: no event loop runs in between.
void tst_main_window::typing_recalculates_on_every_key() {
  QFETCH(QString, box);
  QFETCH(QStringList, gross);
  frmMain window;
  QVERIFY(Show_Window(window));
  QLineEdit* input = Box(window, box);
  Retype(*input, QString());
  Paint_Counter chart(*Find(window, "Picture_Graphic"));
  Paint_Counter result(*Box(window, "Text_Aircraft_Weight"));
  Paint_Counter typed(*input);
  const QString keys = "150";
  for (int k = 0; k < keys.size(); ++k) {
    QTest::keyClick(input, keys[k].toLatin1());
    QCOMPARE(chart.Count, k + 1);
    QCOMPARE(result.Count, k + 1);
    QVERIFY(typed.Count > k);
    QCOMPARE(input->text(), keys.left(k + 1));
    QCOMPARE(Gross(window), gross[k]);
  }
}

void tst_main_window::empty_weight_guard_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("gross");
  // HR-II without its empty weight weighs 637; a weight of 0 counts as 1.
  QTest::newRow("zero") << "0"
                        << " 638";
  QTest::newRow("zero point zero") << "0.0"
                                   << " 638";
  QTest::newRow("negative zero") << "-0"
                                 << " 638";
  QTest::newRow("nothing") << ""
                           << " 638";
  QTest::newRow("no number") << "abc"
                             << " 638";
  QTest::newRow("a real weight is kept") << "5"
                                         << " 642";
}

void tst_main_window::empty_weight_guard() {
  QFETCH(QString, typed);
  QFETCH(QString, gross);
  frmMain window;
  QVERIFY(Show_Window(window));
  Retype(*Box(window, "Text_Empty_Aircraft_Weight"), typed);
  QCOMPARE(Text_Of(window, "Text_Empty_Aircraft_Weight"), typed);
  QCOMPARE(Gross(window), gross);
}

void tst_main_window::presets_load_their_row_data() {
  QTest::addColumn<int>("row");
  for (int k = 0; k < static_cast<int>(std::size(Presets)); ++k) {
    QTest::newRow(Presets[k].Button) << k;
  }
}

// Each button loads its row: the gross weight summed by hand, and every
// input of the model as the core's own preset loading leaves it. Choosing
// the type again after editing every box restores them all.
void tst_main_window::presets_load_their_row() {
  QFETCH(int, row);
  const Preset_Row& preset = Presets[row];
  const char* other = row == 0 ? "Option_Other" : "Option_HRII";
  frmMain window;
  QVERIFY(Show_Window(window));
  Choose(window, other);
  Choose(window, preset.Button);
  QVERIFY(Chosen(window, preset.Button));
  QCOMPARE(Gross(window), QString(preset.Gross_Weight));

  trimwell::Loading_Model expected;
  trimwell::Load_Preset_Values(trimwell::Aircraft_Presets[preset.Index],
                               expected);
  const trimwell::Loading_Model& model = window.Model();
  for (int s = 0; s < trimwell::Station_Count; ++s) {
    QCOMPARE(model.Stations[s].Arm, expected.Stations[s].Arm);
    QCOMPARE(model.Stations[s].Weight, expected.Stations[s].Weight);
  }
  QCOMPARE(model.Forward_CG_Limit_ARM, expected.Forward_CG_Limit_ARM);
  QCOMPARE(model.Aft_CG_Limit_ARM, expected.Aft_CG_Limit_ARM);
  QCOMPARE(model.Aerobatic_Limit_ARM, expected.Aerobatic_Limit_ARM);
  QCOMPARE(model.Aerobatic_Limit_Weight, expected.Aerobatic_Limit_Weight);
  QCOMPARE(model.Max_Allowable_Weight, expected.Max_Allowable_Weight);
  QVERIFY(model.Path_Color == expected.Path_Color);
  // No loaded number is negative: each text starts with a blank.
  for (const QString& name : Input_Boxes) {
    const QString text = Text_Of(window, name);
    QVERIFY2(text.startsWith(' ') || text == "N/A", qPrintable(name));
  }
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text() == "User Defined") {
      QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    }
  }
}

void tst_main_window::rv3_shows_not_applicable() {
  frmMain window;
  QVERIFY(Show_Window(window));
  Choose(window, "Option_RV3");
  QCOMPARE(Text_Of(window, "Text_Aerobatic_Limit_ARM"), QString("N/A"));
  QCOMPARE(Text_Of(window, "Text_Aerobatic_Limit_Weight"), QString("N/A"));
  QCOMPARE(window.Model().Aerobatic_Limit_ARM, 0.0);
  QCOMPARE(window.Model().Aerobatic_Limit_Weight, 0.0);
  QCOMPARE(Find<QLabel>(window, "Label_Passenger")->text(),
           QString("User Defined"));
  QCOMPARE(Find<QLabel>(window, "Label_Wing_Fuel")->text(),
           QString("Wing Fuel"));
}

void tst_main_window::hrii_and_rv9_give_identical_windows() {
  frmMain window;
  QVERIFY(Show_Window(window));
  QWidget* chart = Find(window, "Picture_Graphic");
  const auto labels = [&window] {
    QStringList looks;
    for (QLabel* label : window.findChildren<QLabel*>()) {
      looks << label->text() +
                   label->palette().color(QPalette::WindowText).name();
    }
    return looks;
  };
  const QStringList texts = Snapshot(window);
  const QStringList looks = labels();
  const QImage picture = chart->grab().toImage();
  int changes = 0;
  for (const QString& name : Input_Boxes) {
    connect(Box(window, name), &QLineEdit::textChanged, this,
            [&changes] { ++changes; });
  }
  Paint_Counter paints(*chart);
  Choose(window, "Option_RV9");
  QVERIFY(Chosen(window, "Option_RV9"));
  QCOMPARE(changes, 0);
  QCOMPARE(paints.Count, 1); // the preset's closing recalculation only
  QCOMPARE(Snapshot(window), texts);
  QCOMPARE(labels(), looks);
  QCOMPARE(chart->grab().toImage(), picture);
}

// Every box write that changes a text runs its handler nested inside the
// preset, each a full recalculation and repaint; the preset adds one more.
void tst_main_window::preset_recalculates_once_per_changed_box() {
  frmMain window;
  QVERIFY(Show_Window(window));
  int changes = 0;
  for (const QString& name : Input_Boxes) {
    connect(Box(window, name), &QLineEdit::textChanged, this,
            [&changes] { ++changes; });
  }
  Paint_Counter paints(*Find(window, "Picture_Graphic"));
  Choose(window, "Option_RV3");
  // HR-II to RV-3 keeps the Oil, Front Baggage, Pilot and Rear Baggage
  // weights and the Front Baggage arm: 16 of the 21 texts change.
  QCOMPARE(changes, 16);
  QCOMPARE(paints.Count, 17);
}

void tst_main_window::tab_order_skips_the_results() {
  frmMain window;
  QVERIFY(Show_Window(window));
  // Row by row through the stations, then the limits frame in its own
  // order, then round again into the option group at its chosen button.
  QStringList expected = Input_Boxes.mid(0, 15);
  expected << "Text_Empty_Aircraft_ARM"
           << "Text_Empty_Aircraft_Weight"
           << "Text_Aerobatic_Limit_ARM"
           << "Text_Aerobatic_Limit_Weight"
           << "Text_Aft_CG_Limit_ARM"
           << "Text_Max_Allowable_Weight"
           << "Option_HRII";
  QStringList visited;
  for (int k = 0; k < expected.size(); ++k) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  QCOMPARE(visited, expected);
}

void tst_main_window::result_boxes_take_no_input() {
  frmMain window;
  QVERIFY(Show_Window(window));
  for (const char* name : {"Text_Aircraft_ARM", "Text_Aircraft_Weight"}) {
    QLineEdit* result = Box(window, name);
    const QString before = result->text();
    QTest::mouseClick(result, Qt::LeftButton);
    QVERIFY(QApplication::focusWidget() != result);
    QTest::keyClick(result, Qt::Key_5);
    QCOMPARE(result->text(), before);
  }
}

// From HR-II the right arrow visits RV-3 ... Other and wraps to HR-II,
// loading each type it reaches; the left arrow wraps the other way.
void tst_main_window::arrow_keys_choose_each_type() {
  frmMain window;
  QVERIFY(Show_Window(window));
  const int count = static_cast<int>(std::size(Presets));
  for (int k = 1; k <= count; ++k) {
    const Preset_Row& expected = Presets[k % count];
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget()->objectName(),
             QString(expected.Button));
    QVERIFY(Chosen(window, expected.Button));
    QCOMPARE(Gross(window), QString(expected.Gross_Weight));
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
  QVERIFY(Chosen(window, "Option_Other"));
  QCOMPARE(Gross(window), QString(" 1398"));
}

void tst_main_window::file_exit_closes_the_window() {
  frmMain window;
  QVERIFY(Show_Window(window));
  QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
  QWidget* menu = QApplication::activePopupWidget();
  QVERIFY(menu != nullptr);
  QCOMPARE(menu->objectName(), QString("mnuFile"));
  QTest::keyClick(menu, Qt::Key_X);
  QTRY_VERIFY(!window.isVisible());
}

void tst_main_window::help_about_opens_the_about_box() {
  frmMain window;
  QVERIFY(Show_Window(window));
  QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
  QWidget* menu = QApplication::activePopupWidget();
  QVERIFY(menu != nullptr);
  QCOMPARE(menu->objectName(), QString("mnuHelp"));
  QWidget* owner = nullptr;
  // The box runs modally: look at it from inside its own event loop.
  QTimer::singleShot(100, this, [&owner] {
    if (auto* box =
            qobject_cast<frmAbout*>(QApplication::activeModalWidget())) {
      owner = box->parentWidget();
      box->reject();
    }
  });
  QTest::keyClick(menu, Qt::Key_A);
  QCOMPARE(owner, &window);
  QVERIFY(window.isVisible());
}

QTEST_MAIN(tst_main_window)
#include "tst_main_window.moc"
