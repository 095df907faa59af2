// Start-up through Module1's Main, and the main window's lifecycle: the
// splash wait, the stored placement (the first run, closes that must not
// drift, values at and beyond their limits), and the other windows closed
// with it.
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include "forms/controls/option_button.h"
#include "forms/frmMain.h"
#include "shell/Module1.h"
#include "shell/main_lifecycle.h"
#include "shell/placement.h"
#include "shell/system.h"
#include "support/test_support.h"

namespace {

const QStringList Keys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

// The stored placement, its four texts joined by blanks.
QString Stored() {
  QSettings store("Trimwell", "Trimwell");
  QStringList values;
  for (const QString& key : Keys)
    values << store.value("Settings/" + key).toString();
  return values.join(' ');
}

void Store(const QStringList& values) {
  QSettings store("Trimwell", "Trimwell");
  store.clear();
  for (int i = 0; i < values.size(); ++i)
    store.setValue("Settings/" + Keys[i], values[i]);
}

// What is stored for an outer frame: 15 twips to the pixel.
QString Twips(const QRect& f) {
  return QString::asprintf("%d %d %d %d", f.left() * 15, f.top() * 15,
                           f.width() * 15, f.height() * 15);
}

// Notes the splash screen's paints and its end, and the main window's
// showing; whether the main window existed at each paint; and the time from
// the splash screen's first paint to the main window's showing.
struct Order_Watch : QObject {
  QStringList Seen;
  QElapsedTimer Since_Splash;
  qint64 Splash_Ms = -1;
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint && object->inherits("frmSplash")) {
      Seen << (Module1::fMainForm ? "splash painted late" : "splash painted");
      connect(object, &QObject::destroyed, [this] { Seen << "splash gone"; });
      if (!Since_Splash.isValid())
        Since_Splash.start();
    } else if (event->type() == QEvent::Show && object == Module1::fMainForm) {
      Seen << "main shown";
      Splash_Ms = Since_Splash.elapsed();
    }
    return false;
  }
};

} // namespace

class tst_startup : public QObject {
  Q_OBJECT
public:
  // A test function that hangs fails after a minute instead.
  tst_startup() { qputenv("QTEST_FUNCTION_TIMEOUT", "60000"); }

private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() { Store({}); }
  void first_run_shows_the_splash_then_hrii_at_the_defaults() {
    Order_Watch watch;
    qApp->installEventFilter(&watch);
    // A short wait for the three seconds: the splash screen stays that long,
    // and start-up takes well under the 2 s a window system may take to show
    // the splash screen before start-up goes on without it.
    static constexpr int Wait_Ms = 300;
    QElapsedTimer startup;
    startup.start();
    Module1::Main([](const auto& prepare, const auto& then) {
      trimwell::Wait_Without_Events(std::chrono::milliseconds(Wait_Ms), prepare,
                                    then);
    });
    QVERIFY(startup.elapsed() < 1500);
    QPointer<frmMain> form = Module1::fMainForm;
    QVERIFY(form && QTest::qWaitForWindowExposed(form));
    watch.Seen.removeDuplicates();
    QCOMPARE(watch.Seen,
             QStringList({"splash painted", "splash gone", "main shown"}));
    QVERIFY(watch.Splash_Ms >= Wait_Ms);
    QVERIFY(form->Option_HRII->isChecked());
    QVERIFY(!form->windowIcon().isNull());
    // The frame at 1000 twips to the nearest pixel round the designed client
    // area, 11430 x 8820 twips below the menu bar: the whole layout shows.
    QTRY_COMPARE(form->frameGeometry().topLeft(), QPoint(67, 67));
    QCOMPARE(form->size() - QSize(0, form->centralWidget()->y()),
             QSize(762, 588));
    const QRect frame = form->frameGeometry();
    form->close();
    QTRY_VERIFY(!form);
    QCOMPARE(Stored(), Twips(frame));
  }

  void ten_closes_data() {
    QTest::addColumn<bool>("framed");
    QTest::addColumn<int>("state");
    QTest::newRow("framed") << true << int(Qt::WindowNoState);
    QTest::newRow("frameless") << false << int(Qt::WindowNoState);
    QTest::newRow("minimised: the placement stays")
        << true << int(Qt::WindowMinimized);
    QTest::newRow("maximised: its frame is stored")
        << true << int(Qt::WindowMaximized);
  }

  void ten_closes() {
    QFETCH(bool, framed);
    QFETCH(int, state);
    // Not whole pixels: a normal close stores them rounded, then unchanged.
    const QStringList first = {"1507", "452", "9001", "7507"};
    Store(first);
    QRect frame(100, 30, 600, 500);
    for (int run = 0; run < 10; ++run) {
      frmMain form;
      form.setWindowFlag(Qt::FramelessWindowHint, !framed);
      trimwell::Form_Load(form);
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      QTRY_COMPARE(form.frameGeometry(), frame);
      QCOMPARE(form.frameGeometry() != form.geometry(), framed);
      form.setWindowState(Qt::WindowState(state));
      if (state == Qt::WindowMaximized) {
        frame = form.screen()->availableGeometry();
        QTRY_COMPARE(form.frameGeometry(), frame);
      }
      form.close();
      QCOMPARE(Stored(),
               state == Qt::WindowMinimized ? first.join(' ') : Twips(frame));
    }
  }

  // A store's lock that cannot be had, a folder where it goes: the close
  // ends at once all the same, and what was stored stays. (A stale lock in
  // a folder the user cannot write binds no administrator: tests/e2e closes
  // on one as an ordinary user.)
  void closing_never_waits_for_a_lock_it_cannot_have() {
    Store({"1500", "450", "9000", "7500"});
    const QString lock = QSettings("Trimwell", "Trimwell").fileName() + ".lock";
    if (!lock.endsWith(".conf.lock"))
      QSKIP("the store is no file here, and has no lock");
    QVERIFY(QDir().mkdir(lock));
    const auto cleanup = qScopeGuard([&] { QDir().rmdir(lock); });
    frmMain form;
    trimwell::Form_Load(form);
    form.show();
    form.move(300, 200);
    QElapsedTimer closing;
    closing.start();
    form.close();
    QVERIFY(closing.elapsed() < 3000);
    QCOMPARE(Stored(), "1500 450 9000 7500");
  }

  void bad_stored_values_data() {
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QRect>("frame"); // a size of 0: the designed size
    const QRect defaults(67, 67, 0, 0);
    QTest::newRow("text and blanks")
        << QStringList{"abc", "", "12abc", " \t"} << defaults;
    QTest::newRow("not finite or absurd")
        << QStringList{"nan", "-1e30", "inf", "1e30"} << defaults;
    QTest::newRow("negative")
        << QStringList{"-5", "-30000", "-5", "-6000"} << QRect(0, -2000, 0, 0);
    QTest::newRow("at the limits, one with a plus")
        << QStringList{"-491505", "491505", " +15", "245760"}
        << QRect(-32767, 32767, 1, 16384);
    QTest::newRow("beyond X11's range, under a pixel")
        << QStringList{"491520", "-491520", "245775", "7"} << defaults;
  }

  void bad_stored_values() {
    QFETCH(QStringList, stored);
    QFETCH(QRect, frame);
    Store(stored);
    QSettings store("Trimwell", "Trimwell");
    const auto read = trimwell::placement::Read_Frame(store);
    QCOMPARE(QRect(read.Position,
                   QSize(read.Width.value_or(0), read.Height.value_or(0))),
             frame);
  }

  // Where it is asked (in a page), the window is kept on the screen, moved
  // as little as needed; the offscreen screen is 800 x 800 pixels.
  void kept_on_the_screen_data() {
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("on it") << QStringList{"1500", "450", "9000", "7500"}
                           << QPoint(100, 30);
    QTest::newRow("off to the left and below")
        << QStringList{"-30000", "30000", "9000", "7500"} << QPoint(0, 300);
    QTest::newRow("off to the right and above")
        << QStringList{"30000", "-30000", "9000", "7500"} << QPoint(200, 0);
    QTest::newRow("larger than the screen")
        << QStringList{"1500", "450", "15000", "12015"} << QPoint(0, 0);
  }

  void kept_on_the_screen() {
    QFETCH(QStringList, stored);
    QFETCH(QPoint, place);
    Store(stored);
    frmMain form;
    trimwell::placement::Restore(form, {true, false});
    QCOMPARE(form.pos(), place);
  }

  // The main window's own windows open as it closes are closed with it, the
  // most recently made first, whatever the order they were shown in.
  void closing_closes_the_newest_window_first() {
    frmMain form;
    trimwell::Form_Load(form);
    form.show();
    trimwell::test::Event_Watch watch(QEvent::Close);
    std::vector<std::unique_ptr<QWidget>> others;
    for (const char* name : {"first", "second", "third"}) {
      others.push_back(std::make_unique<QWidget>(&form, Qt::Window));
      others.back()->setObjectName(name);
      others.back()->installEventFilter(&watch);
    }
    for (auto other = others.rbegin(); other != others.rend(); ++other)
      (*other)->show();
    form.close();
    QCOMPARE(watch.Seen, QStringList({"third", "second", "first"}));
  }

  // Where the program can end without closing (a page), the placement is
  // stored as the user leaves the window: never the frame it was placed at,
  // and once for a whole drag, when the window keeps still.
  void a_moved_window_is_stored_once_it_keeps_still() {
    // Not whole pixels: written back, they would be rounded.
    const QStringList placed = {"1507", "452", "9001", "7507"};
    Store(placed);
    frmMain form;
    trimwell::Form_Load(form);
    trimwell::Store_Placement_When_Moved(form, std::chrono::milliseconds(1000));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(1500);
    QCOMPARE(Stored(), placed.join(' '));
    for (int left = 110; left <= 150; left += 10) {
      form.move(left, 40);
      QCoreApplication::processEvents();
    }
    QTRY_COMPARE(form.frameGeometry().topLeft(), QPoint(150, 40));
    QCOMPARE(Stored(), placed.join(' ')); // still moving
    QTRY_COMPARE(Stored(), Twips(QRect(150, 40, 600, 500)));
  }
};

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
