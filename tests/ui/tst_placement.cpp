// The main window's stored placement: reading every kind of stored text,
// the round trip without drift, minimised and maximised closes, and the
// unloading of the other windows.
#include <QDialog>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include "shell/main_lifecycle.h"
#include "shell/placement.h"

using namespace trimwell;

namespace {

const placement::Setting& Left_Setting() {
  return placement::Settings[0];
}
const placement::Setting& Width_Setting() {
  return placement::Settings[2];
}

QSettings& Store() {
  static QSettings store(QStringLiteral("Trimwell"),
                         QStringLiteral("Trimwell"));
  return store;
}

const QStringList Keys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

QStringList Stored() {
  Store().sync();
  QStringList values;
  for (const QString& key : Keys) {
    values << Store().value("Settings/" + key).toString();
  }
  return values;
}

void Store_Values(const QStringList& values) {
  for (int i = 0; i < Keys.size(); ++i) {
    Store().setValue("Settings/" + Keys[i], values[i]);
  }
  Store().sync();
}

// Closes `window` the way the main window does: its close handler saves.
class Main_Like : public QMainWindow {
protected:
  void closeEvent(QCloseEvent* event) override {
    Unload_Main_Window(*this);
    event->accept();
  }
};

// One run of the program: restore, show, then close.
void Run_Once(const std::function<void(QMainWindow&)>& while_open = {},
              bool framed = true) {
  Main_Like window;
  window.setWindowFlag(Qt::FramelessWindowHint, !framed);
  Restore_Main_Placement(window);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  if (while_open) {
    while_open(window);
  }
  window.close();
}

} // namespace

class tst_placement : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void init();
  void stored_text_is_read_data();
  void stored_text_is_read();
  void values_are_stored_as_twips_data();
  void values_are_stored_as_twips();
  void restoring_gives_back_the_outer_frame_data();
  void restoring_gives_back_the_outer_frame();
  void first_run_uses_the_defaults();
  void ten_runs_do_not_drift_data();
  void ten_runs_do_not_drift();
  void bad_stored_values_each_fall_back_data();
  void bad_stored_values_each_fall_back();
  void a_position_off_the_screen_is_kept();
  void a_minimised_close_keeps_the_last_placement();
  void a_maximised_close_stores_the_maximised_frame();
  void other_windows_close_first_newest_first();

private:
  QTemporaryDir dir_;
};

void tst_placement::initTestCase() {
  QVERIFY(dir_.isValid());
  QStandardPaths::setTestModeEnabled(true);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     dir_.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
}

void tst_placement::init() {
  Store().clear();
  Store().sync();
}

void tst_placement::stored_text_is_read_data() {
  QTest::addColumn<bool>("size");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("pixels");

  // Edges: 15 twips to the pixel, default 1000 twips = 66.7 -> 67 pixels.
  QTest::newRow("edge") << false << "1500" << 100;
  QTest::newRow("edge with blanks") << false << " 1500\t" << 100;
  QTest::newRow("edge with plus sign") << false << "+1500" << 100;
  QTest::newRow("edge rounds down") << false << "1507.4" << 100;
  QTest::newRow("edge rounds up") << false << "1507.6" << 101;
  QTest::newRow("edge with exponent") << false << "1.5e3" << 100;
  QTest::newRow("negative edge off the screen") << false << "-30000" << -2000;
  QTest::newRow("small negative edge") << false << "-5" << 0;
  QTest::newRow("largest edge") << false << "491505" << 32767;
  QTest::newRow("most negative edge") << false << "-491505" << -32767;
  QTest::newRow("edge beyond the coordinates") << false << "491520" << 67;
  QTest::newRow("edge: text") << false << "abc" << 67;
  QTest::newRow("edge: number then text") << false << "12abc" << 67;
  QTest::newRow("edge: empty") << false << "" << 67;
  QTest::newRow("edge: blanks") << false << "   " << 67;
  QTest::newRow("edge: nan") << false << "nan" << 67;
  QTest::newRow("edge: inf") << false << "inf" << 67;
  QTest::newRow("edge: -infinity") << false << "-infinity" << 67;
  QTest::newRow("edge: 1e30") << false << "1e30" << 67;
  QTest::newRow("edge: -1e30") << false << "-1e30" << 67;
  QTest::newRow("edge: beyond single precision") << false << "1e39" << 67;
  QTest::newRow("edge: hexadecimal") << false << "0x10" << 67;
  QTest::newRow("edge: decimal comma") << false << "15,5" << 67;
  QTest::newRow("edge: two signs") << false << "+-15" << 67;

  // Sizes: default 6500 twips = 433.3 -> 433 pixels.
  QTest::newRow("size") << true << "6000" << 400;
  QTest::newRow("default size") << true << "6500" << 433;
  QTest::newRow("size: -5") << true << "-5" << 433;
  QTest::newRow("size: 0") << true << "0" << 433;
  QTest::newRow("size under half a pixel") << true << "7" << 433;
  QTest::newRow("size of one pixel") << true << "8" << 1;
  QTest::newRow("largest size") << true << "245760" << 16384;
  QTest::newRow("size too large") << true << "245775" << 433;
  QTest::newRow("size: 1e30") << true << "1e30" << 433;
  QTest::newRow("size: nan") << true << "nan" << 433;
  QTest::newRow("size: text") << true << "wide" << 433;
}

void tst_placement::stored_text_is_read() {
  QFETCH(bool, size);
  QFETCH(QString, text);
  QFETCH(int, pixels);
  QCOMPARE(placement::Stored_Pixels(text.toStdString(),
                                    size ? Width_Setting() : Left_Setting()),
           pixels);
}

void tst_placement::values_are_stored_as_twips_data() {
  QTest::addColumn<int>("pixels");
  QTest::addColumn<QString>("text");
  QTest::newRow("zero") << 0 << "0";
  QTest::newRow("default edge, rounded") << 67 << "1005";
  QTest::newRow("negative") << -2000 << "-30000";
  QTest::newRow("largest size") << 16384 << "245760";
  QTest::newRow("beyond any screen") << 16777215 << "251658225";
}

void tst_placement::values_are_stored_as_twips() {
  QFETCH(int, pixels);
  QFETCH(QString, text);
  QCOMPARE(QString::fromStdString(placement::Stored_Text(pixels)), text);
}

void tst_placement::restoring_gives_back_the_outer_frame_data() {
  QTest::addColumn<QRect>("frame");
  QTest::addColumn<QMargins>("margins");
  QTest::newRow("no frame") << QRect(67, 67, 433, 433) << QMargins();
  QTest::newRow("title bar and borders")
      << QRect(67, 67, 433, 433) << QMargins(4, 29, 4, 4);
  QTest::newRow("title bar only")
      << QRect(-2000, 5, 800, 600) << QMargins(0, 24, 0, 0);
  QTest::newRow("thick uneven frame")
      << QRect(10, 20, 300, 200) << QMargins(7, 31, 9, 11);
}

void tst_placement::restoring_gives_back_the_outer_frame() {
  QFETCH(QRect, frame);
  QFETCH(QMargins, margins);
  // What a framed window shows for the client area it was given.
  const QRect client = placement::Client_For_Frame(frame, margins);
  QCOMPARE(client.marginsAdded(margins), frame);
}

void tst_placement::first_run_uses_the_defaults() {
  Main_Like window;
  Restore_Main_Placement(window);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  // 1000 and 6500 twips to the nearest pixel, frame included: the test
  // platform puts a frame of 2 pixels round every window.
  QTRY_COMPARE(window.frameGeometry(), QRect(67, 67, 433, 433));
  QVERIFY(window.frameGeometry() != window.geometry());
  window.close();
  QCOMPARE(Stored(), QStringList({"1005", "1005", "6495", "6495"}));
}

void tst_placement::ten_runs_do_not_drift_data() {
  QTest::addColumn<bool>("framed");
  QTest::newRow("with a window frame") << true;
  QTest::newRow("without a frame") << false;
}

void tst_placement::ten_runs_do_not_drift() {
  QFETCH(bool, framed);
  Store_Values({"1500", "450", "9000", "7515"});
  for (int run = 0; run < 10; ++run) {
    Run_Once({}, framed);
    QCOMPARE(Stored(), QStringList({"1500", "450", "9000", "7515"}));
  }
  // A run that moves and resizes the window stores the new frame: the
  // client's 500 by 300 pixels and the test platform's 2-pixel frame.
  const int frame = framed ? 2 : 0;
  Run_Once(
      [frame](QMainWindow& window) {
        window.move(30, 40);
        window.resize(500, 300);
        QTRY_COMPARE(window.frameGeometry(),
                     QRect(30, 40, 500 + 2 * frame, 300 + 2 * frame));
      },
      framed);
  QCOMPARE(Stored(),
           QStringList({"450", "600", QString::number((500 + 2 * frame) * 15),
                        QString::number((300 + 2 * frame) * 15)}));
}

void tst_placement::bad_stored_values_each_fall_back_data() {
  QTest::addColumn<QStringList>("stored");
  QTest::addColumn<QRect>("frame");
  QTest::newRow("text") << QStringList{"left", "top", "wide", "high"}
                        << QRect(67, 67, 433, 433);
  QTest::newRow("not finite")
      << QStringList{"nan", "-inf", "inf", "NaN"} << QRect(67, 67, 433, 433);
  QTest::newRow("empty") << QStringList{"", "", "", ""}
                         << QRect(67, 67, 433, 433);
  QTest::newRow("absurd") << QStringList{"1e30", "-1e30", "1e30", "1e30"}
                          << QRect(67, 67, 433, 433);
  QTest::newRow("negative sizes")
      << QStringList{"-5", "-5", "-5", "-6000"} << QRect(0, 0, 433, 433);
  QTest::newRow("good and bad mixed")
      << QStringList{"3000", "x", "4500", "0"} << QRect(200, 67, 300, 433);
}

void tst_placement::bad_stored_values_each_fall_back() {
  QFETCH(QStringList, stored);
  QFETCH(QRect, frame);
  Store_Values(stored);
  Main_Like window;
  Restore_Main_Placement(window);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTRY_COMPARE(window.frameGeometry(), frame);
}

void tst_placement::a_position_off_the_screen_is_kept() {
  // Right of and below the screen. (The offscreen test platform pushes
  // windows at negative positions back by its frame's width, so those are
  // covered by the reading tests above.)
  Store_Values({"90000", "60000", "6000", "4500"});
  Main_Like window;
  Restore_Main_Placement(window);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTRY_COMPARE(window.frameGeometry(), QRect(6000, 4000, 400, 300));
  QVERIFY(!window.screen()->geometry().intersects(window.frameGeometry()));
  window.close();
  QCOMPARE(Stored(), QStringList({"90000", "60000", "6000", "4500"}));
}

void tst_placement::a_minimised_close_keeps_the_last_placement() {
  Store_Values({"1500", "1500", "6000", "4500"});
  Run_Once([](QMainWindow& window) {
    window.move(300, 300);
    window.showMinimized();
    QVERIFY(window.isMinimized());
  });
  QCOMPARE(Stored(), QStringList({"1500", "1500", "6000", "4500"}));
}

void tst_placement::a_maximised_close_stores_the_maximised_frame() {
  Store_Values({"1500", "1500", "6000", "4500"});
  QRect maximised;
  Run_Once([&maximised](QMainWindow& window) {
    window.showMaximized();
    QTRY_VERIFY(window.isMaximized());
    QTRY_COMPARE(window.frameGeometry(), window.screen()->availableGeometry());
    maximised = window.frameGeometry();
  });
  QVERIFY(maximised.width() > 400);
  QCOMPARE(Stored(), QStringList({QString::number(maximised.left() * 15),
                                  QString::number(maximised.top() * 15),
                                  QString::number(maximised.width() * 15),
                                  QString::number(maximised.height() * 15)}));
  // The state is not kept: the next run opens a normal window that size.
  Main_Like window;
  Restore_Main_Placement(window);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.windowState(), Qt::WindowNoState);
  QCOMPARE(window.frameGeometry(), maximised);
}

void tst_placement::other_windows_close_first_newest_first() {
  Main_Like main_window;
  Restore_Main_Placement(main_window); // from here on, creation is noted
  main_window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main_window));

  QStringList closed;
  struct Close_Recorder : QObject {
    QStringList* Closed;
    bool eventFilter(QObject* object, QEvent* event) override {
      if (event->type() == QEvent::Close) {
        Closed->append(object->objectName());
      }
      return false;
    }
  } recorder;
  recorder.Closed = &closed;

  QDialog first;
  QDialog second(&main_window);
  QDialog third(&first);
  QDialog hidden;
  const std::vector<std::pair<QDialog*, QString>> dialogs = {
      {&first, "first"},
      {&second, "second"},
      {&third, "third"},
      {&hidden, "hidden"}};
  for (const auto& [dialog, name] : dialogs) {
    dialog->setObjectName(name);
    dialog->installEventFilter(&recorder);
  }
  // Shown in another order than made: the making order counts.
  third.show();
  first.show();
  second.show();
  main_window.setObjectName("main");
  main_window.installEventFilter(&recorder);

  Unload_Main_Window(main_window);
  QCOMPARE(closed, QStringList({"third", "second", "first"}));
  QVERIFY(!first.isVisible() && !second.isVisible() && !third.isVisible());
  QVERIFY(main_window.isVisible());
  QCOMPARE(Stored(), QStringList({"1005", "1005", "6495", "6495"}));
}

QTEST_MAIN(tst_placement)
#include "tst_placement.moc"
