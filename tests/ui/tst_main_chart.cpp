// The chart box: the HR-II chart where the scale mapping puts it, a chart
// that survives window-system repaints and clicks, results without a value,
// and the picture box's cutting of lines it cannot place whole.

#include <QtTest>
#include <cmath>
#include <limits>

#include "forms/picture_box.h"
#include "tst_main_fixture.h"

using namespace main_test;

namespace {

const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);
const QColor Magenta(255, 0, 255);

// True when a pixel within `radius` of (x, y) has exactly `color`.
bool Has_Color_Near(const QImage& image, QPointF at, const QColor& color,
                    int radius = 2) {
  const int cx = static_cast<int>(std::floor(at.x()));
  const int cy = static_cast<int>(std::floor(at.y()));
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      if (image.valid(x, y) && image.pixelColor(x, y) == color) {
        return true;
      }
    }
  }
  return false;
}

bool Has_Color(const QImage& image, const QColor& color) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == color) {
        return true;
      }
    }
  }
  return false;
}

QImage Picture(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The HR-II chart's scale, from the loaded values: arms 85.3992 to 97.5
// left to right, weights 2010 to 1203 top to bottom.
QPointF Hrii_Pixel(const QWidget& chart, double arm, double weight) {
  const QRect area = chart.contentsRect();
  return {area.left() + (arm - 85.3992) / (97.5 - 85.3992) * area.width(),
          area.top() + (weight - 2010) / (1203 - 2010) * area.height()};
}

} // namespace

class tst_main_chart : public QObject {
  Q_OBJECT
private slots:
  void hrii_chart_data();
  void hrii_chart();
  void chart_survives_hide_and_show();
  void click_leaves_results_and_chart();
  void rv3_aerobatic_lines_fall_outside();
  void results_without_a_value_data();
  void results_without_a_value();
  void picture_box_cuts_lines_data();
  void picture_box_cuts_lines();
  void picture_box_pen_and_clear();
  void picture_box_many_segments();
};

void tst_main_chart::hrii_chart_data() {
  QTest::addColumn<double>("arm");
  QTest::addColumn<double>("weight");
  QTest::addColumn<QColor>("color");
  // Points on each segment, away from the others, from the HR-II path
  // (86, 1213) (85.4992, 1228) (87.8705, 1398) (93.0886, 1568)
  // (94.4199, 1598) (93.3411, 1850) and its limits.
  QTest::newRow("oil segment, blue") << 85.7496 << 1220.5 << QColor(0, 0, 128);
  QTest::newRow("pilot segment, black") << 86.0920 << 1270.5 << QColor(0, 0, 0);
  QTest::newRow("passenger segment, blue")
      << 90.47955 << 1483.0 << QColor(0, 0, 128);
  QTest::newRow("rear baggage segment, green")
      << 93.75425 << 1583.0 << QColor(0, 128, 0);
  QTest::newRow("wing fuel segment, grey")
      << 93.8805 << 1724.0 << QColor(128, 128, 128);
  QTest::newRow("aerobatic top, magenta") << 88.0 << 1550.0 << Magenta;
  QTest::newRow("aerobatic aft side, magenta") << 95.9 << 1400.0 << Magenta;
  QTest::newRow("envelope forward side, red") << 86.7 << 1800.0 << Red;
  QTest::newRow("envelope top, red") << 92.0 << 2000.0 << Red;
  QTest::newRow("envelope aft side, red") << 97.4 << 1700.0 << Red;
  QTest::newRow("envelope bottom, red") << 92.0 << 1213.0 << Red;
}

void tst_main_chart::hrii_chart() {
  QFETCH(double, arm);
  QFETCH(double, weight);
  QFETCH(QColor, color);
  frmMain window;
  QVERIFY(Show_Window(window));
  QWidget* chart = Find(window, "Picture_Graphic");
  const QImage image = Picture(*chart);
  QVERIFY(Has_Color_Near(image, Hrii_Pixel(*chart, arm, weight), color));
  // Inside the envelope above the path nothing is drawn.
  const QPointF empty = Hrii_Pixel(*chart, 96.5, 1900);
  QCOMPARE(image.pixelColor(empty.toPoint()), White);
}

void tst_main_chart::chart_survives_hide_and_show() {
  frmMain window;
  QVERIFY(Show_Window(window));
  QWidget* chart = Find(window, "Picture_Graphic");
  const QImage before = Picture(*chart);
  QVERIFY(Has_Color(before, Red));
  window.hide();
  QVERIFY(Show_Window(window));
  chart->update(); // a window-system repaint of the box alone
  QCoreApplication::processEvents();
  QCOMPARE(Picture(*chart), before);
}

void tst_main_chart::click_leaves_results_and_chart() {
  frmMain window;
  QVERIFY(Show_Window(window));
  Retype(*Box(window, "Text_Pilot_Weight"), "200");
  QWidget* chart = Find(window, "Picture_Graphic");
  const QStringList texts = Snapshot(window);
  const QImage picture = Picture(*chart);
  for (int click = 0; click < 3; ++click) {
    QTest::mouseClick(chart, Qt::LeftButton, {}, QPoint(200, 200));
    QCOMPARE(Snapshot(window), texts);
    QCOMPARE(Picture(*chart), picture);
  }
}

// RV-3 sets both aerobatic limits to 0: the lines lie left of and below
// the drawing area, and nothing of them shows.
void tst_main_chart::rv3_aerobatic_lines_fall_outside() {
  frmMain window;
  QVERIFY(Show_Window(window));
  QWidget* chart = Find(window, "Picture_Graphic");
  QVERIFY(Has_Color(Picture(*chart), Magenta));
  QTest::mouseClick(Find(window, "Option_RV3"), Qt::LeftButton);
  const QImage image = Picture(*chart);
  QVERIFY(!Has_Color(image, Magenta));
  QVERIFY(Has_Color(image, Red));
}

void tst_main_chart::results_without_a_value_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("weight");
  // HR-II without its wing fuel weighs 1598: -1598 leaves no weight to
  // divide by. A weight beyond a double's range overflows.
  QTest::newRow("gross weight 0") << "Text_Wing_Fuel_Weight"
                                  << "-1598"
                                  << " 0";
  QTest::newRow("overflowing weight") << "Text_Pilot_Weight"
                                      << "1e999"
                                      << "";
}

// A result without a finite value shows an empty box; the window goes on,
// and the next sound value brings results and chart back.
void tst_main_chart::results_without_a_value() {
  QFETCH(QString, box);
  QFETCH(QString, typed);
  QFETCH(QString, weight);
  frmMain window;
  QVERIFY(Show_Window(window));
  Retype(*Box(window, box), typed);
  QCOMPARE(Text_Of(window, "Text_Aircraft_ARM"), QString());
  QCOMPARE(Text_Of(window, "Text_Aircraft_Weight"), weight);
  QWidget* chart = Find(window, "Picture_Graphic");
  Picture(*chart); // paints without failing
  Retype(*Box(window, box), "100");
  QVERIFY(!Text_Of(window, "Text_Aircraft_ARM").isEmpty());
  QVERIFY(Has_Color(Picture(*chart), Red));
}

void tst_main_chart::picture_box_cuts_lines_data() {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  QTest::addColumn<QLineF>("line");
  QTest::addColumn<QPointF>("probe"); // drawing-area pixel
  QTest::addColumn<int>("drawn");     // 1 yes, 0 no, -1 either way
  // The scale puts (0, 0) at the bottom-left, (100, 100) at the top-right
  // of a 100 x 100 pixel area, so pixel = (x, 100 - y).
  QTest::newRow("inside") << QLineF(10, 50, 90, 50) << QPointF(50, 50) << 1;
  QTest::newRow("y grows upwards")
      << QLineF(40, 90, 60, 90) << QPointF(50, 10) << 1;
  QTest::newRow("huge end point")
      << QLineF(50, 50, 3e38, 50) << QPointF(95, 50) << 1;
  QTest::newRow("across from far outside")
      << QLineF(-1e6, -1e6, 1e6, 1e6) << QPointF(50, 50) << 1;
  // Too far out for double precision to say where it crosses the area.
  QTest::newRow("both ends beyond placing")
      << QLineF(-1e30, -3e38, 3e38, 1e30) << QPointF(50, 50) << -1;
  QTest::newRow("infinite end point is left out")
      << QLineF(50, 50, inf, 50) << QPointF(60, 50) << 0;
  QTest::newRow("nan end point is left out")
      << QLineF(nan, 50, 90, 50) << QPointF(70, 50) << 0;
  QTest::newRow("wholly outside")
      << QLineF(200, 20, 300, 80) << QPointF(98, 50) << 0;
}

void tst_main_chart::picture_box_cuts_lines() {
  QFETCH(QLineF, line);
  QFETCH(QPointF, probe);
  QFETCH(int, drawn);
  trimwell::Picture_Box box;
  box.resize(104, 104);
  const QRect area = box.contentsRect();
  QCOMPARE(area.size(), QSize(100, 100));
  box.Set_Scale(0, 100, 100, 0);
  box.Draw_Line(static_cast<float>(line.x1()), static_cast<float>(line.y1()),
                static_cast<float>(line.x2()), static_cast<float>(line.y2()),
                {255, 0, 0});
  const QImage image = Picture(box);
  const QPointF at = probe + area.topLeft();
  if (drawn == 1) {
    QVERIFY(Has_Color_Near(image, at, Red, 1));
  } else if (drawn == 0) {
    QVERIFY(!Has_Color(image, Red));
  }
  // The pen's width never spills over the border.
  for (int y = 0; y < box.height(); ++y) {
    QVERIFY(image.pixelColor(0, y) != Red);
    QVERIFY(image.pixelColor(box.width() - 1, y) != Red);
  }
}

// Draw_Line_To starts at the pen; Clear wipes everything; a scale without
// extent places nothing.
void tst_main_chart::picture_box_pen_and_clear() {
  trimwell::Picture_Box box;
  box.resize(104, 104);
  const QPoint origin = box.contentsRect().topLeft();
  box.Set_Scale(0, 100, 100, 0);
  box.Draw_Line(10, 90, 50, 90, {0, 0, 255});
  box.Draw_Line_To(50, 10, {255, 0, 0});
  QVERIFY(Has_Color_Near(Picture(box), QPointF(50, 50) + origin, Red));
  box.Clear();
  QVERIFY(!Has_Color(Picture(box), Red));
  box.Set_Scale(5, 5, 5, 5);
  box.Draw_Line(0, 0, 10, 10, {255, 0, 0});
  QVERIFY(!Has_Color(Picture(box), Red));
}

void tst_main_chart::picture_box_many_segments() {
  trimwell::Picture_Box box;
  box.resize(104, 104);
  box.Set_Scale(0, 100, 100, 0);
  for (int k = 0; k < 1000; ++k) {
    box.Draw_Line(0, static_cast<float>(k % 100), 100,
                  static_cast<float>(k % 100), {255, 0, 0});
  }
  QVERIFY(Has_Color(Picture(box), Red));
}

QTEST_MAIN(tst_main_chart)
#include "tst_main_chart.moc"
