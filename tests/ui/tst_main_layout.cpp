// The main window's layout: places in twips / 15, captions, colours,
// fonts, the client area, the status bar and the menus.

#include <QGroupBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include "tst_main_fixture.h"

using namespace main_test;

class tst_main_layout : public QObject {
  Q_OBJECT
private slots:
  void places_data();
  void places();
  void rows_and_columns();
  void captions_data();
  void captions();
  void placeholders_follow_the_tab_order();
  void text_colours_data();
  void text_colours();
  void fonts_and_no_style_sheets();
  void client_area_and_resizing();
  void status_bar_panels();
  void menus();
};

void tst_main_layout::places_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("twips");
  const auto row = [](const char* name, int l, int t, int w, int h) {
    QTest::newRow(name) << name << QRect(l, t, w, h);
  };
  row("Frame_Select_Aircraft", 0, 0, 5295, 615);
  row("Frame_Flight_Conditions", 0, 960, 4095, 2895);
  row("Frame_CG_Weight_Limits", 0, 3960, 4095, 2055);
  row("Frame_Calculated_Flight_Conditions", 0, 6120, 4095, 855);
  row("Label_ARM", 2040, 720, 855, 255);
  row("Label_Weight", 3000, 720, 855, 255);
  row("Picture_Graphic", 4920, 720, 6495, 6735);
  row("Label_Graphic_Title", 5520, 0, 5535, 615);
  row("Label_Graphic_Hor", 7680, 7560, 975, 615);
  row("Label_Wing_Fuel", 120, 2400, 1695, 255);
  row("Label_Max_Allowable_Weight", 120, 1680, 1695, 255);
  row("Text_Aircraft_ARM", 2040, 360, 855, 285);
}

void tst_main_layout::places() {
  QFETCH(QString, name);
  QFETCH(QRect, twips);
  frmMain window;
  QWidget* control = Find(window, name);
  QVERIFY(control != nullptr);
  QCOMPARE(control->geometry(), QRect(twips.left() / 15, twips.top() / 15,
                                      twips.width() / 15, twips.height() / 15));
}

// The regular parts of the layout, checked as the rules they follow.
void tst_main_layout::rows_and_columns() {
  frmMain window;
  // Arm boxes at 2040, weight boxes at 3000, all 855 x 285; each label in
  // a frame shares its row's top with a box of that row.
  const QList<QLineEdit*> boxes = window.findChildren<QLineEdit*>();
  QCOMPARE(boxes.size(), 23);
  for (QLineEdit* box : boxes) {
    const bool arm = box->objectName().endsWith("_ARM");
    QCOMPARE(box->geometry().size(), QSize(57, 19));
    QCOMPARE(box->x(), arm ? 136 : 200);
  }
  for (QGroupBox* frame : window.findChildren<QGroupBox*>()) {
    for (QLabel* label : frame->findChildren<QLabel*>()) {
      QCOMPARE(label->x(), 8);
      bool row_has_box = false;
      for (QLineEdit* box : frame->findChildren<QLineEdit*>()) {
        row_has_box = row_has_box || box->y() == label->y();
      }
      QVERIFY2(row_has_box, qPrintable(label->objectName()));
    }
  }
  // The option buttons, 720 apart from 120, in their frame.
  auto* group = Find(window, "Frame_Select_Aircraft");
  const QList<QRadioButton*> options = group->findChildren<QRadioButton*>();
  QCOMPARE(options.size(), 7);
  for (int k = 0; k < options.size(); ++k) {
    QCOMPARE(options[k]->geometry(), QRect(8 + 48 * k, 16, 49, 17));
  }
  // The letters of WEIGHT, each centred on x = 4387.5, 960 apart from 720;
  // "CG" centred under the chart.
  QString word;
  int k = 0;
  for (const char* name :
       {"Label_W", "Label_E", "Label_I", "Label_G", "Label_H", "Label_T"}) {
    auto* letter = Find<QLabel>(window, name);
    QCOMPARE(letter->x() + letter->width() / 2.0, 292.5);
    QCOMPARE(letter->y(), 48 + 64 * k++);
    word += letter->text();
  }
  QCOMPARE(word, QString("WEIGHT"));
  QWidget* chart = Find(window, "Picture_Graphic");
  QWidget* cg = Find(window, "Label_Graphic_Hor");
  QCOMPARE(cg->geometry().center().x(), chart->geometry().center().x());
}

void tst_main_layout::captions_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  const char* const rows[][2] = {
      {"Frame_Select_Aircraft", "Select Type of Aircraft"},
      {"Frame_Flight_Conditions", "Input Flight Conditions"},
      {"Frame_CG_Weight_Limits", "Default CG and Weight Limits"},
      {"Frame_Calculated_Flight_Conditions", "Calculated Flight Conditions"},
      {"Option_HRII", "HR-II"},
      {"Option_RV3", "RV-3"},
      {"Option_RV4", "RV-4"},
      {"Option_RV6", "RV-6"},
      {"Option_RV8", "RV-8"},
      {"Option_RV9", "RV-9"},
      {"Option_Other", "Other"},
      {"Label_ARM", "ARM"},
      {"Label_Weight", "Weight"},
      {"Label_Oil", "Oil"},
      {"Label_Front_Baggage", "Front Baggage"},
      {"Label_Pilot", "Pilot"},
      {"Label_Passenger", "Passenger"},
      {"Label_Rear_Baggage", "Rear Baggage"},
      {"Label_Fuselage_Fuel", "Fuselage Fuel"},
      {"Label_Wing_Fuel", "Wing Fuel"},
      {"Label_Forward_CG_Limit", "Forward CG Limit"},
      {"Label_Empty_Aircraft", "Empty Aircraft"},
      {"Label_Aerobatic_Limit", "Aerobatic Limits"},
      {"Label_Aft_CG_Limit", "Aft CG Limit"},
      {"Label_Max_Allowable_Weight", "Max Allowable Weight"},
      {"Label_Aircraft", "Aircraft "},
      {"Label_Graphic_Hor", "CG"},
      {"Label_Graphic_Title", "Center of Gravity Graphic"},
  };
  for (const auto& row : rows) {
    QTest::newRow(row[0]) << row[0] << row[1];
  }
}

void tst_main_layout::captions() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  frmMain window;
  QCOMPARE(window.windowTitle(), QString("Trimwell"));
  QWidget* control = Find(window, name);
  QVERIFY(control != nullptr);
  QString shown;
  if (auto* frame = qobject_cast<QGroupBox*>(control)) {
    shown = frame->title();
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    shown = button->text();
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    shown = label->text();
  }
  QCOMPARE(shown, caption);
}

// The placeholders were numbered in tab order: following the focus chain
// from the first option button meets Text1 to Text23 in turn.
void tst_main_layout::placeholders_follow_the_tab_order() {
  frmMain window;
  QStringList met;
  QWidget* start = Find(window, "Option_HRII");
  for (QWidget* w = start->nextInFocusChain(); w != start;
       w = w->nextInFocusChain()) {
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
      met << box->text();
    }
  }
  QStringList expected;
  for (int k = 1; k <= 23; ++k) {
    expected << QString("Text%1").arg(k);
  }
  QCOMPARE(met, expected);
}

void tst_main_layout::text_colours_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QColor>("color"); // invalid: the system's colour
  const QColor blue(0, 0, 255), dark_green(0, 64, 0), grey(128, 128, 128),
      red(255, 0, 0), purple(192, 0, 192), system;
  QTest::newRow("oil") << "Label_Oil" << blue;
  QTest::newRow("front baggage") << "Label_Front_Baggage" << dark_green;
  QTest::newRow("pilot") << "Label_Pilot" << system;
  QTest::newRow("passenger") << "Label_Passenger" << blue;
  QTest::newRow("rear baggage") << "Label_Rear_Baggage" << dark_green;
  QTest::newRow("fuselage fuel") << "Label_Fuselage_Fuel" << grey;
  QTest::newRow("wing fuel") << "Label_Wing_Fuel" << grey;
  QTest::newRow("forward limit") << "Label_Forward_CG_Limit" << red;
  QTest::newRow("empty aircraft") << "Label_Empty_Aircraft" << system;
  QTest::newRow("aerobatic") << "Label_Aerobatic_Limit" << purple;
  QTest::newRow("aft limit") << "Label_Aft_CG_Limit" << red;
  QTest::newRow("max weight") << "Label_Max_Allowable_Weight" << red;
  QTest::newRow("aircraft") << "Label_Aircraft" << system;
  QTest::newRow("letter W") << "Label_W" << system;
}

void tst_main_layout::text_colours() {
  QFETCH(QString, name);
  QFETCH(QColor, color);
  frmMain window;
  auto* label = Find<QLabel>(window, name);
  QVERIFY(label != nullptr);
  QCOMPARE(label->palette().color(QPalette::WindowText),
           color.isValid() ? color
                           : window.palette().color(QPalette::WindowText));
  QCOMPARE(Find(window, "Picture_Graphic")->palette().color(QPalette::Window),
           QColor(255, 255, 255));
}

// 30 pt letters, a 24 pt title, 8 pt elsewhere; colours come from
// palettes, never from style sheets.
void tst_main_layout::fonts_and_no_style_sheets() {
  frmMain window;
  const QStringList big = {"Label_W", "Label_E", "Label_I",          "Label_G",
                           "Label_H", "Label_T", "Label_Graphic_Hor"};
  for (QWidget* control : window.findChildren<QWidget*>()) {
    const QString name = control->objectName();
    QVERIFY2(control->styleSheet().isEmpty(), qPrintable(name));
    if (!name.startsWith("Label_") && !name.startsWith("Text_") &&
        !name.startsWith("Option_")) {
      continue;
    }
    const QFont font = control->font();
    const int points = big.contains(name)              ? 30
                       : name == "Label_Graphic_Title" ? 24
                                                       : 8;
    QCOMPARE(font.pointSize(), points);
    QCOMPARE(font.weight(), QFont::Normal);
    QVERIFY(!font.italic() && !font.underline());
    QCOMPARE(font.families().value(0), QString("MS Sans Serif"));
  }
}

// 11430 x 8820 twips below the menu bar, the status bar included; only
// the status bar follows the window's size.
void tst_main_layout::client_area_and_resizing() {
  frmMain window;
  QVERIFY(Show_Window(window));
  QCOMPARE(window.width(), 762);
  QCOMPARE(window.height() - window.menuBar()->height(), 588);
  QCOMPARE(window.centralWidget()->y(), window.menuBar()->height());
  QStatusBar* bar = window.statusBar();
  QCOMPARE(bar->objectName(), QString("sbStatusBar"));
  QCOMPARE(bar->geometry(), QRect(0, window.height() - 18, 762, 18));
  QMap<QString, QRect> places;
  for (QWidget* control : window.centralWidget()->findChildren<QWidget*>()) {
    places[control->objectName()] = control->geometry();
  }
  for (const QSize size : {QSize(900, 700), QSize(400, 300)}) {
    window.resize(size);
    QTRY_COMPARE(bar->geometry(),
                 QRect(0, size.height() - 18, size.width(), 18));
    for (QWidget* control : window.centralWidget()->findChildren<QWidget*>()) {
      QCOMPARE(control->geometry(), places[control->objectName()]);
    }
  }
}

void tst_main_layout::status_bar_panels() {
  frmMain window;
  QVERIFY(Show_Window(window));
  QStatusBar* bar = window.statusBar();
  auto* status = bar->findChild<QLabel*>("Panel_Status");
  auto* date = bar->findChild<QLabel*>("Panel_Date");
  auto* time = bar->findChild<QLabel*>("Panel_Time");
  QVERIFY(status && date && time);
  QCOMPARE(status->text(), QString("Status"));
  const QLocale locale = QLocale::system();
  QCOMPARE(date->text(),
           locale.toString(QDate::currentDate(), QLocale::ShortFormat));
  // The minute may turn between the panel's reading and this one.
  const QTime now = QTime::currentTime();
  QVERIFY(time->text() == locale.toString(now, QLocale::ShortFormat) ||
          time->text() ==
              locale.toString(now.addSecs(-60), QLocale::ShortFormat));
  for (QLabel* panel : {status, date, time}) {
    QCOMPARE(panel->frameShadow(), QFrame::Sunken);
    QVERIFY(panel->width() >= 96);
  }
  QVERIFY(status->x() < date->x() && date->x() < time->x());
  auto* clock = bar->findChild<QTimer*>();
  QVERIFY(clock != nullptr && clock->isActive() && clock->interval() <= 1000);
  // "Status" takes the spare width; the others keep theirs.
  const int date_width = date->width();
  const int status_width = status->width();
  window.resize(window.width() + 100, window.height());
  QTRY_COMPARE(status->width(), status_width + 100);
  QCOMPARE(date->width(), date_width);
}

void tst_main_layout::menus() {
  frmMain window;
  QStringList shown;
  for (QAction* menu : window.menuBar()->actions()) {
    shown << menu->menu()->objectName() + ":" + menu->text();
    for (QAction* item : menu->menu()->actions()) {
      shown << item->objectName() + ":" + item->text();
    }
  }
  // The About item's caption ends in a blank.
  QCOMPARE(shown, (QStringList{"mnuFile:&File", "mnuFileExit:E&xit",
                               "mnuHelp:&Help", "mnuHelpAbout:&About "}));
}

QTEST_MAIN(tst_main_layout)
#include "tst_main_layout.moc"
