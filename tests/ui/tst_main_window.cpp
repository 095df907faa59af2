// The main window driven as a user drives it: real key and mouse events on
// the controls found by name, checked against the loading model, the results
// and the chart as they show.

#include <QAccessible>
#include <QClipboard>
#include <QtTest>
#include <memory>

#include "forms/controls/picture_box.h"
#include "forms/frmMain.h"
#include "support/test_support.h"

using namespace QTest;
using namespace trimwell;
using namespace trimwell::test;

namespace {

const QStringList Inputs = Input_Names();
const QStringList Results = {"Text_Aircraft_ARM", "Text_Aircraft_Weight"};

// The model value each input box sets, in the order of Inputs.
QList<double> Values(const Loading_Model& m) {
  QList<double> values;
  for (int s = Oil; s <= Wing_Fuel; ++s)
    values << m.Stations[s].Arm << m.Stations[s].Weight;
  const Station& empty = m.Stations[Empty_Aircraft];
  return values << m.Forward_CG_Limit_ARM << empty.Arm << empty.Weight
                << m.Aerobatic_Limit_ARM << m.Aerobatic_Limit_Weight
                << m.Aft_CG_Limit_ARM << m.Max_Allowable_Weight;
}

// The gross weight of each type, in the order of Type_Buttons, summed by
// hand from the preset table (the empty aircraft plus every station).
const QStringList Gross = {" 1850", " 1114", " 1494", " 1600",
                           " 1650", " 1850", " 1398"};

} // namespace

class tst_main_window : public QObject {
  Q_OBJECT
  std::unique_ptr<frmMain> window;

  QWidget* Find(QString name) { return window->findChild<QWidget*>(name); }
  QString Text(QString name) { return Find(name)->property("text").toString(); }
  QStringList Snapshot() {
    QStringList texts = Inputs + Results;
    for (QString& text : texts)
      text = Text(text);
    return texts;
  }
  QImage Chart() { return Find("Picture_Graphic")->grab().toImage(); }

private slots:
  // Closing stores the window's placement: keep it out of the real store.
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  // Every test starts from a window just opened: showing it loads HR-II at
  // once, whether or not the window system ever activates it.
  void init() {
    window = std::make_unique<frmMain>();
    window->show();
    QVERIFY(Find("Option_HRII")->property("checked").toBool());
    QVERIFY(qWaitForWindowActive(window.get()));
  }
  void cleanup() { window.reset(); }

  // HR-II, chosen in init(), has the focus and filled every box.
  void opens_with_hrii_loaded() {
    QCOMPARE(QApplication::focusWidget(), Find("Option_HRII"));
    QCOMPARE(Snapshot().filter(QRegularExpression("^Text[0-9]+$")),
             QStringList());
    QCOMPARE(Text("Text_Aircraft_ARM"), " 93.3410810810811"); // 172681 / 1850
    QCOMPARE(Text("Label_Front_Baggage"), "User Defined");
    // A result longer than its box shows its first digits.
    QCOMPARE(Find("Text_Aircraft_ARM")->property("cursorPosition"), 0);
    QCOMPARE(window->windowTitle(), "Trimwell");
    // "Status", then today's date and the time, kept current by a clock,
    // left to right in sunken panels of 1440 twips or more.
    QCOMPARE(Text("Panel_Status"), "Status");
    QVERIFY(Find("sbStatusBar")->findChild<QTimer*>()->isActive());
    const char* before = "Panel_Status";
    for (const char* panel : {"Panel_Date", "Panel_Time"}) {
      const auto* shown = qobject_cast<QFrame*>(Find(panel));
      QVERIFY(!Text(panel).isEmpty() && shown->width() >= 96);
      QCOMPARE(shown->frameStyle(), QFrame::Panel | QFrame::Sunken);
      QVERIFY(shown->x() > Find(std::exchange(before, panel))->x());
    }
    // Until a scale is set, the chart box measures in twips: a line across
    // its middle at 15 twips to the pixel, 2 pixels wide.
    auto* chart = window->Picture_Graphic;
    const QRect area = chart->contentsRect();
    chart->Clear();
    chart->Draw_Line(0, area.height() * 7.5f, area.width() * 15.f,
                     area.height() * 7.5f, Rgb{255, 0, 0});
    QCOMPARE(Chart().pixel(area.center()), qRgb(255, 0, 0));
    QCOMPARE(chart->frameStyle(), QFrame::WinPanel | QFrame::Sunken);
    QCOMPARE(
        Colours(Chart().copy(area.center().x(), 0, 1, 500))[qRgb(255, 0, 0)],
        2);
    QCOMPARE(Find("Picture_Graphic")->geometry(), QRect(328, 48, 433, 449));
    QCOMPARE(Find("Option_Other")->geometry(), QRect(296, 16, 49, 17));
    // The status bar along the window's bottom, 270 twips high. File, Exit
    // closes it.
    QCOMPARE(Find("sbStatusBar")->geometry(),
             QRect(0, window->height() - 18, 762, 18));
    window->mnuFileExit->trigger();
    QVERIFY(!window->isVisible());
  }

  void typing_sets_its_own_value_data() {
    addColumn<int>("box");
    for (int k = 0; k < Inputs.size(); ++k)
      newRow(qPrintable(Inputs[k])) << k;
  }
  // An emptied box stores 0, but the empty aircraft's weight 1; then 1, 5,
  // 0 store 1, 15, 150 in turn, and nothing else; each key is one
  // recalculation, painted before the key's handler returns.
  void typing_sets_its_own_value() {
    QFETCH(int, box);
    QList<double> expected = Values(window->Model());
    Retype(Find(Inputs[box]), "");
    expected[box] = Inputs[box] == "Text_Empty_Aircraft_Weight" ? 1 : 0;
    QCOMPARE(Values(window->Model()), expected);
    Event_Watch chart(QEvent::Paint);
    Find("Picture_Graphic")->installEventFilter(&chart);
    for (int k = 0; k < 3; ++k) {
      keyClick(Find(Inputs[box]), "150"[k]);
      QCOMPARE(Text(Inputs[box]), QString("150").left(k + 1));
      expected[box] = QList<double>{1, 15, 150}[k];
      QCOMPARE(Values(window->Model()), expected);
      QCOMPARE(chart.Seen.size(), k + 1);
    }
    // A pasted text of any length is kept whole: its blanks, also those
    // that draw nothing (a zero-width space, a soft hyphen, a direction
    // mark, a narrow no-break space), are ignored and the digit at its very
    // end is read; the results follow as they do for 1850 typed.
    const QString pasted = QString(99999, ' ') + "\u200E1\u200B8\u00AD5\u202F0";
    QGuiApplication::clipboard()->setText(pasted);
    Retype(Find(Inputs[box]), "");
    keyClick(Find(Inputs[box]), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Text(Inputs[box]).size(), pasted.size());
    expected[box] = 1850;
    QCOMPARE(Values(window->Model()), expected);
    const QStringList results = Snapshot().mid(Inputs.size());
    Retype(Find(Inputs[box]), "1850");
    QCOMPARE(Snapshot().mid(Inputs.size()), results);
  }

  // Right from HR-II visits every type, wrapping round, and loads each.
  void arrow_keys_load_the_type_reached() {
    for (int k = 1; k <= Type_Buttons.size(); ++k) {
      const int reached = k % Type_Buttons.size();
      keyClick(QApplication::focusWidget(), Qt::Key_Right);
      QVERIFY(Find(Type_Buttons[reached])->property("checked").toBool());
      QCOMPARE(Text(Results[1]), Gross[reached]);
    }
    keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(Text(Results[1]), Gross.last());
  }

  // Tab runs through the input boxes and back to the chosen type; the
  // results take neither the focus nor a key.
  void tab_order_skips_the_results() {
    for (const QString& name : Inputs + QStringList{"Option_HRII"}) {
      keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    const QStringList shown = Snapshot();
    for (const QString& name : Results)
      Retype(Find(name), "5");
    QCOMPARE(QApplication::focusWidget(), Find("Option_HRII"));
    QCOMPARE(Snapshot(), shown);
  }

  void hrii_chart_data() {
    addColumn<QPointF>("at"); // arm, weight
    addColumn<QColor>("color");
    // On the HR-II path's last segment, (94.4199, 1598) to (93.3411, 1850),
    // and on its forward limit.
    newRow("wing fuel") << QPointF(93.88, 1724) << QColor(Qt::darkGray);
    newRow("forward limit") << QPointF(86.7, 1800) << QColor(Qt::red);
  }
  // The scale runs from arm 85.3992 to 97.5 left to right and from weight
  // 2010 to 1203 top to bottom, on white. Hiding and showing the window
  // keeps it all; a chart cleared behind the window's back comes back with
  // a click, which changes no result.
  void hrii_chart() {
    QFETCH(QPointF, at);
    QFETCH(QColor, color);
    const QRect area = Find("Picture_Graphic")->contentsRect();
    const QPointF point(
        area.left() + (at.x() - 85.3992) / (97.5 - 85.3992) * area.width(),
        area.top() + (at.y() - 2010) / (1203 - 2010) * area.height());
    // The image has the screen's pixels, devicePixelRatio to a window pixel.
    // The pen is 2 window pixels wide: look that far round the point.
    const QImage chart = Chart();
    const qreal ratio = chart.devicePixelRatio();
    const int reach = qCeil(2 * ratio);
    const QPoint pixel = (point * ratio).toPoint();
    const QRect near =
        QRect(pixel, pixel).adjusted(-reach, -reach, reach, reach);
    QVERIFY(Colours(chart.copy(near)).contains(color.rgb()));
    QCOMPARE(chart.pixel(((area.topLeft() + QPoint(2, 2)) * ratio)),
             qRgb(255, 255, 255));
    const QStringList shown = Snapshot();
    window->hide();
    window->show();
    QVERIFY(qWaitForWindowExposed(window.get()));
    QCOMPARE(Chart(), chart);
    window->Picture_Graphic->Clear();
    QVERIFY(Chart() != chart);
    mouseClick(Find("Picture_Graphic"), Qt::LeftButton);
    QCOMPARE(Chart(), chart);
    QCOMPARE(Snapshot(), shown);
  }

  // A screen reader names every box, type and the chart, each differently,
  // and chooses a type with its toggle action as a click does.
  void accessible_names() {
    const QStringList names =
        Inputs + Results + Type_Buttons + QStringList{"Picture_Graphic"};
    QSet<QString> spoken;
    for (const QString& name : names)
      spoken << QAccessible::queryAccessibleInterface(Find(name))
                    ->text(QAccessible::Name);
    QVERIFY(!spoken.contains(QString()));
    QCOMPARE(spoken.size(), names.size());
    // Its toggle action chooses a type as a click does.
    QAccessible::queryAccessibleInterface(Find("Option_RV3"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(Find("Option_RV3")->property("checked").toBool());
    QCOMPARE(Text(Results[1]), Gross[1]);
  }
};

QTEST_MAIN(tst_main_window)
#include "tst_main_window.moc"
