// The About box: its controls and texts, its keys and modality, and the
// start of the system information tool on the desktop.
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "forms/frmAbout.h"
#include "forms/line_shape.h"
#include "forms/registry_file.h"
#include "forms/sysinfo.h"

namespace {

int Px(int twips) {
  return static_cast<int>(std::lround(twips / 15.0));
}

QRect Px(const QRect& twips) {
  return QRect(Px(twips.left()), Px(twips.top()), Px(twips.width()),
               Px(twips.height()));
}

// Waits in the event loop for a message box, notes what it shows and
// presses its OK button. Answers at most one box.
class Message_Answerer : public QObject {
public:
  Message_Answerer() {
    connect(&poll_, &QTimer::timeout, this, &Message_Answerer::Look);
    poll_.start(10);
  }

  bool Shown = false;
  QString Title;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::Information;
  int Buttons = 0;
  QWidget* Owner = nullptr;

private:
  void Look() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      return;
    }
    poll_.stop();
    Shown = true;
    Title = box->windowTitle();
    Text = box->text();
    Icon = box->icon();
    Buttons = static_cast<int>(box->buttons().size());
    Owner = box->parentWidget();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->reject();
    }
  }

  QTimer poll_;
};

bool Is_Classic_Color(QRgb pixel) {
  static const QList<QRgb> palette = {
      qRgb(0, 0, 0),      qRgb(128, 0, 0),     qRgb(0, 128, 0),
      qRgb(128, 128, 0),  qRgb(0, 0, 128),     qRgb(128, 0, 128),
      qRgb(0, 128, 128),  qRgb(192, 192, 192), qRgb(128, 128, 128),
      qRgb(255, 0, 0),    qRgb(0, 255, 0),     qRgb(255, 255, 0),
      qRgb(0, 0, 255),    qRgb(255, 0, 255),   qRgb(0, 255, 255),
      qRgb(255, 255, 255)};
  return qAlpha(pixel) == 0 ||
         (qAlpha(pixel) == 255 && palette.contains(pixel | 0xff000000));
}

} // namespace

class tst_about : public QObject {
  Q_OBJECT
private slots:
  void init();
  void cleanup();
  void controls_have_their_text_and_place_data();
  void controls_have_their_text_and_place();
  void the_window_is_a_fixed_dialog();
  void the_icon_is_32_by_32_in_16_colours();
  void the_separator_is_etched();
  void ok_is_first_and_the_default();
  void closing_keys_data();
  void closing_keys();
  void alt_s_presses_system_info_and_the_box_stays();
  void it_is_modal_to_its_owner_and_centred_on_it();
  void the_tool_starts_as_one_program_path();
  void the_tool_in_the_stored_folder_starts();
  void a_tool_that_cannot_start_gives_the_message();
  void GetKeyValue_hands_back_text();

private:
  void Write_Registry(const QByteArray& values);
  frmAbout* New_About(QWidget* owner = nullptr);
  QString Write_Script(const QString& path);

  QTemporaryDir dir_;
  QString registry_path_;
  QString old_current_;
};

void tst_about::init() {
  QVERIFY(dir_.isValid());
  registry_path_ = dir_.filePath("registry");
  Write_Registry("");
  old_current_ = QDir::currentPath();
  QDir::setCurrent(dir_.path());
}

void tst_about::cleanup() {
  QDir::setCurrent(old_current_);
}

void tst_about::Write_Registry(const QByteArray& values) {
  QFile file(registry_path_);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(values);
}

frmAbout* tst_about::New_About(QWidget* owner) {
  auto* about = new frmAbout(owner);
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->Use_Registry(std::make_unique<trimwell::registry::File_Registry>(
      registry_path_.toStdString()));
  return about;
}

QString tst_about::Write_Script(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile script(path);
  if (!script.open(QIODevice::WriteOnly)) {
    return {};
  }
  script.write("#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n");
  script.close();
  script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}

void tst_about::controls_have_their_text_and_place_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QRect>("twips");
  QTest::addColumn<bool>("black");
  QTest::addColumn<bool>("wrapped");

  QTest::newRow("lblTitle")
      << "lblTitle"
      << "Trimwell" << QRect(1050, 240, 4092, 480) << true << false;
  QTest::newRow("lblVersion")
      << "lblVersion"
      << "Version 1.0.0" << QRect(1050, 780, 4092, 225) << false << false;
  QTest::newRow("lblDescription")
      << "lblDescription"
      << "App Description : Using User defined values, this program will "
         "calculate the aircraft CG and Gross Weight.  It will also show "
         "the results in a graphical manner."
      << QRect(1050, 1125, 4092, 1170) << true << true;
  QTest::newRow("lblDisclaimer")
      << "lblDisclaimer"
      << "Warning : ... Use this program at your own risk.  It has no known "
         "bugs.  It was written for my education and therefore should be "
         "distributed at NO COST!"
      << QRect(255, 2625, 3870, 825) << true << true;
}

void tst_about::controls_have_their_text_and_place() {
  QFETCH(QString, name);
  QFETCH(QString, text);
  QFETCH(QRect, twips);
  QFETCH(bool, black);
  QFETCH(bool, wrapped);

  frmAbout about;
  const auto* label = about.findChild<QLabel*>(name);
  QVERIFY(label);
  QCOMPARE(label->text(), text);
  QCOMPARE(label->geometry(), Px(twips));
  QCOMPARE(label->wordWrap(), wrapped);
  QCOMPARE(label->font().pointSize(), 8);
  QCOMPARE(label->font().bold(), false);
  if (black) {
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
  }
}

void tst_about::the_window_is_a_fixed_dialog() {
  frmAbout about;
  QCOMPARE(about.windowTitle(), QStringLiteral("About Trimwell"));
  QCOMPARE(about.size(), QSize(391, 242));
  QCOMPARE(about.minimumSize(), about.maximumSize());
  const Qt::WindowFlags flags = about.windowFlags();
  QVERIFY(flags & Qt::CustomizeWindowHint); // else the buttons are defaults
  QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
  QVERIFY(flags & Qt::WindowCloseButtonHint);
  QVERIFY(flags & Qt::WindowSystemMenuHint);
}

void tst_about::the_icon_is_32_by_32_in_16_colours() {
  frmAbout about;
  QCOMPARE(about.picIcon->geometry(), QRect(16, 16, 36, 36));
  QCOMPARE(about.picIcon->palette().color(QPalette::Window),
           QColor(192, 192, 192));
  const QImage icon =
      about.picIcon->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  QCOMPARE(icon.size(), QSize(32, 32));
  int drawn = 0;
  for (int y = 0; y < icon.height(); ++y) {
    for (int x = 0; x < icon.width(); ++x) {
      QVERIFY2(Is_Classic_Color(icon.pixel(x, y)),
               qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
      drawn += qAlpha(icon.pixel(x, y)) != 0;
    }
  }
  QVERIFY(drawn > 100); // a picture, not an empty square
}

void tst_about::the_separator_is_etched() {
  frmAbout about;
  const auto* grey = about.findChild<trimwell::Line_Shape*>("Line1(1)");
  const auto* white = about.findChild<trimwell::Line_Shape*>("Line1(0)");
  QVERIFY(grey && white);
  QCOMPARE(about.Line1[1], grey);
  QCOMPARE(about.Line1[0], white);
  // Grey from (225, 2430) to (5657, 2430); white, two pixels thick, from
  // (240, 2445): the row right under the grey one.
  QCOMPARE(grey->geometry(), QRect(15, 162, 362, 1));
  QCOMPARE(grey->Color(), QColor(128, 128, 128));
  QCOMPARE(white->geometry(), QRect(16, 163, 361, 2));
  QCOMPARE(white->Color(), QColor(255, 255, 255));
  const QImage drawn = about.grab().toImage();
  QCOMPARE(QColor(drawn.pixel(100, 162)), QColor(128, 128, 128));
  QCOMPARE(QColor(drawn.pixel(100, 163)), QColor(255, 255, 255));
  QCOMPARE(QColor(drawn.pixel(100, 164)), QColor(255, 255, 255));
}

void tst_about::ok_is_first_and_the_default() {
  frmAbout about;
  QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
  QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
  QCOMPARE(about.cmdOK->geometry(), Px(QRect(4245, 2625, 1467, 345)));
  QCOMPARE(about.cmdSysInfo->geometry(), Px(QRect(4260, 3075, 1452, 345)));
  QVERIFY(about.cmdOK->isDefault());
  QVERIFY(!about.cmdSysInfo->isDefault());
  QCOMPARE(about.cmdOK->nextInFocusChain(), about.cmdSysInfo);
  about.show();
  QVERIFY(QTest::qWaitForWindowActive(&about));
  QCOMPARE(about.focusWidget(), about.cmdOK);
}

void tst_about::closing_keys_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("result");
  QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
  QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
  QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void tst_about::closing_keys() {
  QFETCH(int, key);
  QFETCH(int, result);
  frmAbout about;
  about.show();
  QVERIFY(QTest::qWaitForWindowActive(&about));
  QTest::keyClick(&about, static_cast<Qt::Key>(key));
  QVERIFY(!about.isVisible());
  QCOMPARE(about.result(), result);
}

void tst_about::alt_s_presses_system_info_and_the_box_stays() {
  QPointer<frmAbout> about = New_About();
  about->show();
  QVERIFY(QTest::qWaitForWindowActive(about));
  Message_Answerer answer;
  QTest::keyClick(about, Qt::Key_S, Qt::AltModifier);
  // The access key presses the button for a moment, as a click would.
  QTRY_VERIFY_WITH_TIMEOUT(answer.Shown, 5000);
  QCOMPARE(answer.Title, QStringLiteral("Trimwell"));
  QCOMPARE(answer.Text,
           QStringLiteral("System Information Is Unavailable At This Time"));
  QCOMPARE(answer.Icon, QMessageBox::NoIcon);
  QCOMPARE(answer.Buttons, 1);
  QCOMPARE(answer.Owner, static_cast<QWidget*>(about.data()));
  QVERIFY(about && about->isVisible());
  about->close();
}

void tst_about::it_is_modal_to_its_owner_and_centred_on_it() {
  QMainWindow owner;
  owner.setGeometry(120, 90, 640, 480);
  owner.show();
  QVERIFY(QTest::qWaitForWindowExposed(&owner));
  frmAbout about(&owner);
  bool modal = false;
  QPoint offset;
  QTimer::singleShot(0, &about, [&] {
    modal = QApplication::activeModalWidget() == &about && about.isModal() &&
            about.windowModality() == Qt::WindowModal;
    offset = about.geometry().center() - owner.geometry().center();
    about.cmdOK->click();
  });
  QCOMPARE(about.exec(), int(QDialog::Accepted));
  QVERIFY(modal);
  QVERIFY2(offset.manhattanLength() <= 2,
           qPrintable(QStringLiteral("off centre by %1,%2")
                          .arg(offset.x())
                          .arg(offset.y())));
}

void tst_about::the_tool_starts_as_one_program_path() {
  // Blanks and shell characters are part of the file name: through a shell
  // this would run "sys" and then create "injected" here.
  const QString tool =
      Write_Script(dir_.filePath("sys info/tool;touch injected"));
  QVERIFY(!tool.isEmpty());
  Write_Registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\"
                 "MSINFO]\n\"PATH\"=\"" +
                 tool.toUtf8() + "\"\n");
  QPointer<frmAbout> about = New_About();
  Message_Answerer answer;
  about->StartSysInfo();
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir_.filePath("sys info/started")),
                           10000);
  QVERIFY(!answer.Shown);
  QVERIFY(!QFile::exists(dir_.filePath("injected")));
  delete about;
}

void tst_about::the_tool_in_the_stored_folder_starts() {
  const QString folder = dir_.filePath("tools dir");
  QVERIFY(!Write_Script(folder + trimwell::sysinfo::Program_File).isEmpty());
  Write_Registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools "
                 "Location]\n\"MSINFO\"=\"" +
                 folder.toUtf8() + "\"\n");
  QPointer<frmAbout> about = New_About();
  Message_Answerer answer;
  about->StartSysInfo();
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + "/started"), 10000);
  QVERIFY(!answer.Shown);
  delete about;
}

void tst_about::a_tool_that_cannot_start_gives_the_message() {
  // A stored path is started untested, so a missing program, a folder or a
  // file that is no program all fail at the start itself.
  const QString not_a_program = dir_.filePath("notes.txt");
  QFile notes(not_a_program);
  QVERIFY(notes.open(QIODevice::WriteOnly));
  notes.close();
  for (const QString& path :
       {dir_.filePath("missing tool"), dir_.path(), not_a_program}) {
    Write_Registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\"
                   "MSINFO]\n\"PATH\"=\"" +
                   path.toUtf8() + "\"\n");
    QPointer<frmAbout> about = New_About();
    about->show();
    Message_Answerer answer;
    about->StartSysInfo();
    QVERIFY2(answer.Shown, qPrintable(path));
    QCOMPARE(answer.Text,
             QStringLiteral("System Information Is Unavailable At This Time"));
    QVERIFY(about->isVisible());
    delete about;
  }
}

void tst_about::GetKeyValue_hands_back_text() {
  Write_Registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\T]\n\"S\"=\"/x/y z\"\n"
                 "\"N\"=dword:00000010\n");
  QPointer<frmAbout> about = New_About();
  QString value = QStringLiteral("before");
  QVERIFY(about->GetKeyValue(0x80000002, "SOFTWARE\\T", "S", value));
  QCOMPARE(value, QStringLiteral("/x/y z"));
  QVERIFY(about->GetKeyValue(0x80000002, "SOFTWARE\\T", "N", value));
  QCOMPARE(value, QStringLiteral("16"));
  QVERIFY(!about->GetKeyValue(0x80000002, "SOFTWARE\\T", "none", value));
  QCOMPARE(value, QString());
  delete about;
}

QTEST_MAIN(tst_about)
#include "tst_about.moc"
