// The start-up sequence with a stand-in main window: splash first and
// painted, a wait that handles nothing, then the main window.
#include <QMainWindow>
#include <QtTest>

#include "forms/frmSplash.h"
#include "shell/startup.h"

using namespace std::chrono_literals;

namespace {

frmSplash* Open_Splash() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* splash = qobject_cast<frmSplash*>(window)) {
      return splash;
    }
  }
  return nullptr;
}

// Notes every paint of a splash screen, whichever object it reaches.
class Paint_Watch : public QObject {
public:
  Paint_Watch() { qApp->installEventFilter(this); }
  ~Paint_Watch() override { qApp->removeEventFilter(this); }
  int Splash_Paints = 0;

protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint && qobject_cast<frmSplash*>(object)) {
      ++Splash_Paints;
    }
    return false;
  }
};

// Notes whether a splash screen still exists when the main window shows.
class Show_Watch : public QObject {
public:
  bool Shown = false;
  bool Splash_At_Show = true;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show && !Shown) {
      Shown = true;
      Splash_At_Show = Open_Splash() != nullptr;
    }
    return false;
  }
};

} // namespace

class tst_startup : public QObject {
  Q_OBJECT
private slots:
  void the_steps_run_in_order();
  void the_splash_is_drawn_before_the_wait();
  void the_wait_handles_no_events();
  void the_wait_lasts_its_length_data();
  void the_wait_lasts_its_length();
};

void tst_startup::the_steps_run_in_order() {
  Paint_Watch paints;
  Show_Watch show_watch;
  QStringList steps;
  bool splash_up_at_create = false;
  int paints_at_create = 0;
  bool splash_up_at_load = false;
  bool main_hidden_at_load = false;

  const trimwell::Main_Window_Steps main_steps = {
      [&] {
        steps << "create";
        const frmSplash* splash = Open_Splash();
        splash_up_at_create = splash && splash->isVisible();
        paints_at_create = paints.Splash_Paints;
        auto* window = new QMainWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->installEventFilter(&show_watch);
        return window;
      },
      [&](QWidget& window) {
        steps << "load";
        splash_up_at_load = Open_Splash() != nullptr;
        main_hidden_at_load = !window.isVisible();
      },
  };
  QPointer<QWidget> main = trimwell::Run_Startup(0ms, main_steps);

  QCOMPARE(steps, QStringList({"create", "load"}));
  QVERIFY(splash_up_at_create);
  QVERIFY2(paints_at_create > 0, "the splash was not drawn before the wait");
  QVERIFY(splash_up_at_load);
  QVERIFY(main_hidden_at_load);
  QVERIFY(show_watch.Shown);
  QVERIFY2(!show_watch.Splash_At_Show, "the splash outlived the start-up");
  QVERIFY(main && main->isVisible());
  QVERIFY(!Open_Splash());
  main->close();
  QTRY_VERIFY(!main);
}

void tst_startup::the_splash_is_drawn_before_the_wait() {
  Paint_Watch paints;
  frmSplash splash;
  trimwell::Show_Splash(splash);
  QVERIFY(splash.isVisible());
  QVERIFY(splash.windowHandle()->isExposed());
  QVERIFY(paints.Splash_Paints > 0);
}

void tst_startup::the_wait_handles_no_events() {
  frmSplash splash;
  trimwell::Show_Splash(splash);
  bool timer_fired = false;
  QTimer::singleShot(0, &splash, [&] { timer_fired = true; });
  QCoreApplication::postEvent(
      &splash, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  trimwell::Wait_Without_Events(100ms);
  QVERIFY2(!timer_fired, "an event was handled during the wait");
  QTRY_VERIFY(timer_fired);
  QVERIFY2(splash.isVisible(), "a key closed the splash screen");
}

void tst_startup::the_wait_lasts_its_length_data() {
  QTest::addColumn<int>("milliseconds");
  QTest::newRow("none") << 0;
  QTest::newRow("less than one step") << 3;
  QTest::newRow("several steps") << 120;
}

void tst_startup::the_wait_lasts_its_length() {
  QFETCH(int, milliseconds);
  QElapsedTimer clock;
  clock.start();
  trimwell::Wait_Without_Events(std::chrono::milliseconds(milliseconds));
  const qint64 waited = clock.elapsed();
  QVERIFY2(waited >= milliseconds, qPrintable(QString::number(waited)));
  // It ends, too: a sleep step late at most, plus a busy machine's margin.
  QVERIFY2(waited <= milliseconds + 500, qPrintable(QString::number(waited)));
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
