// The program's own start-up, Module1's Main with the real main window,
// and the ways the program ends.
#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QtTest>

#include "forms/frmAbout.h"
#include "forms/frmMain.h"
#include "forms/option_button.h"
#include "model/number_text.h"
#include "presets/aircraft_presets.h"
#include "shell/Module1.h"

using namespace std::chrono_literals;

namespace {

QStringList Stored() {
  QSettings store(QStringLiteral("Trimwell"), QStringLiteral("Trimwell"));
  QStringList values;
  for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"}) {
    values << store.value(QStringLiteral("Settings/") + key).toString();
  }
  return values;
}

QString Preset_Text(double value) {
  return QString::fromStdString(trimwell::Number_To_Text(value));
}

} // namespace

class tst_startup_main : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void init();
  void cleanup();
  void the_first_run_opens_with_hrii_at_the_default_place();
  void every_window_shows_the_application_icon();
  void exit_and_the_close_box_save_alike_data();
  void exit_and_the_close_box_save_alike();
  void closing_with_the_about_box_open_closes_it_first();
  void the_program_ends_with_status_0();

private:
  QTemporaryDir dir_;
};

void tst_startup_main::initTestCase() {
  QVERIFY(dir_.isValid());
  QStandardPaths::setTestModeEnabled(true);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     dir_.path());
}

void tst_startup_main::init() {
  QSettings(QStringLiteral("Trimwell"), QStringLiteral("Trimwell")).clear();
}

void tst_startup_main::cleanup() {
  if (Module1::fMainForm) {
    Module1::fMainForm->close();
  }
  QTRY_VERIFY(!Module1::fMainForm);
}

void tst_startup_main::the_first_run_opens_with_hrii_at_the_default_place() {
  Module1::Main(0ms);
  frmMain* form = Module1::fMainForm;
  QVERIFY(form);
  QVERIFY(form->isVisible());
  QVERIFY(QTest::qWaitForWindowExposed(form));
  QTRY_COMPARE(form->frameGeometry(), QRect(67, 67, 433, 433));

  QTRY_VERIFY(form->Option_HRII->isChecked());
  const trimwell::Aircraft_Preset& hrii =
      trimwell::Aircraft_Presets[trimwell::Preset_HRII];
  QCOMPARE(form->Text_Max_Allowable_Weight->text(),
           Preset_Text(hrii.Max_Allowable_Weight));
  QCOMPARE(form->Text_Empty_Aircraft_Weight->text(),
           Preset_Text(hrii.Empty_Aircraft_Weight));
  const QRegularExpression placeholder(QStringLiteral("^Text\\d+$"));
  for (const QLineEdit* box : form->findChildren<QLineEdit*>()) {
    QVERIFY2(!placeholder.match(box->text()).hasMatch(),
             qPrintable(box->objectName() + " shows " + box->text()));
  }
}

void tst_startup_main::every_window_shows_the_application_icon() {
  Module1::Main(0ms);
  const QIcon icon = QApplication::windowIcon();
  QVERIFY(!icon.isNull());
  QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
  QCOMPARE(Module1::fMainForm->windowIcon().cacheKey(), icon.cacheKey());
  frmAbout about(Module1::fMainForm);
  QCOMPARE(about.windowIcon().cacheKey(), icon.cacheKey());
}

void tst_startup_main::exit_and_the_close_box_save_alike_data() {
  QTest::addColumn<bool>("by_menu");
  QTest::newRow("File, Exit") << true;
  QTest::newRow("close box") << false;
}

void tst_startup_main::exit_and_the_close_box_save_alike() {
  QFETCH(bool, by_menu);
  Module1::Main(0ms);
  QPointer<frmMain> form = Module1::fMainForm;
  QVERIFY(QTest::qWaitForWindowExposed(form));
  form->move(40, 50);
  QTRY_COMPARE(form->frameGeometry().topLeft(), QPoint(40, 50));
  const QRect frame = form->frameGeometry();
  if (by_menu) {
    form->mnuFileExit->trigger();
  } else {
    form->close();
  }
  QTRY_VERIFY(!form);
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    QVERIFY2(!window->isVisible(), "a window outlived the main window");
  }
  QCOMPARE(Stored(), QStringList({QString::number(frame.left() * 15),
                                  QString::number(frame.top() * 15),
                                  QString::number(frame.width() * 15),
                                  QString::number(frame.height() * 15)}));
  // The next start opens it there again.
  Module1::Main(0ms);
  QVERIFY(QTest::qWaitForWindowExposed(Module1::fMainForm));
  QTRY_COMPARE(Module1::fMainForm->frameGeometry(), frame);
}

void tst_startup_main::closing_with_the_about_box_open_closes_it_first() {
  Module1::Main(0ms);
  QPointer<frmMain> form = Module1::fMainForm;
  QVERIFY(QTest::qWaitForWindowExposed(form));
  bool about_was_modal = false;
  QPointer<QWidget> about;
  QTimer::singleShot(0, form, [&] {
    about = QApplication::activeModalWidget();
    about_was_modal = qobject_cast<frmAbout*>(about) != nullptr &&
                      about->parentWidget() == form;
    // The session ends, say: the program is told to close its window.
    form->close();
  });
  form->mnuHelpAbout->trigger(); // returns once the About box is gone
  QVERIFY(about_was_modal);
  QVERIFY(!about || !about->isVisible());
  QTRY_VERIFY(!form);
  QCOMPARE(Stored().size(), 4);
  QVERIFY(!Stored().contains(QString()));
}

void tst_startup_main::the_program_ends_with_status_0() {
  Module1::Main(0ms);
  QTimer::singleShot(0, Module1::fMainForm,
                     [] { Module1::fMainForm->mnuFileExit->trigger(); });
  QCOMPARE(QCoreApplication::exec(), 0);
  QTRY_VERIFY(!Module1::fMainForm);
}

QTEST_MAIN(tst_startup_main)
#include "tst_startup_main.moc"
