// The About box, and how it finds and starts the system information tool:
// every branch over a fake machine.
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QtTest>

#include "forms/controls/line_shape.h"
#include "forms/frmAbout.h"
#include "forms/sysinfo/desktop_services.h"
#include "forms/sysinfo/sysinfo.h"
#include "trimwell_build.h"

using namespace trimwell;

namespace {

const std::string Path = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\PATH";
const std::string Folder = "SOFTWARE\\Microsoft\\Shared Tools Location\\MSINFO";

// A registry with Windows' rules for the three calls, every key present,
// and any right to write refused as for an ordinary user; and files, of
// which those under /opt exist and start, and programs on the search path,
// of which those in Installed are there (under /opt).
struct Fake_Machine : registry::Registry, sysinfo::Services {
  std::map<std::string, std::pair<uint, std::string>> Values; // type 0: none
  std::string Open; // the open key, empty when none
  QStringList Installed;
  QStringList Calls;

  registry::Status Open_Key(registry::Key root, const std::string& name,
                            uint access, registry::Handle& key) override {
    key = root == registry::Local_Machine && Open.empty() &&
          (access & registry::Key_Write_Rights) == 0;
    Open = key ? name : Open;
    return key ? registry::Error_Success : registry::Error_Access_Denied;
  }
  registry::Status Query_Value(registry::Handle key, const std::string& name,
                               uint& type, unsigned char* data,
                               uint& size) override {
    const auto& [value_type, bytes] = Values[Open + '\\' + name];
    type = value_type;
    const uint capacity = std::exchange(size, bytes.size());
    std::copy_n(bytes.begin(), std::min(capacity, size), data);
    return key != 1 || type == 0 ? registry::Error_File_Not_Found
           : size > capacity     ? registry::Error_More_Data
                                 : registry::Error_Success;
  }
  registry::Status Close_Key(registry::Handle key) override {
    const bool open = key == 1 && !Open.empty();
    Open = open ? "" : Open;
    return open ? registry::Error_Success : registry::Error_Invalid_Handle;
  }

  bool Log(const char* call, const std::string& path) {
    Calls << call + QString::fromStdString(path);
    return path.rfind("/opt", 0) == 0;
  }
  bool Is_Normal_File(const std::string& p) override { return Log("test ", p); }
  std::string Find_Program(const std::string& p) override {
    Calls << "find " + QString::fromStdString(p);
    return Installed.contains(p.c_str()) ? "/opt/" + p : "";
  }
  bool Start_Program(const std::string& p,
                     const std::vector<std::string>& arguments) override {
    std::string line = p;
    for (const std::string& argument : arguments)
      line += " [" + argument + "]";
    return Log("start ", line);
  }
  void Show_Unavailable() override { Calls << "message"; }
};

} // namespace

class tst_about : public QObject {
  Q_OBJECT
private slots:
  // Its texts; modal to its owner and centred on it; Enter and Esc close it,
  // and Alt+S starts the tool, whose path has blanks and shell characters.
  void texts_keys_modality_and_place() {
    QWidget owner;
    owner.setGeometry(150, 100, 640, 480);
    owner.show();
    frmAbout about(&owner);
    QCOMPARE(about.windowTitle(), "About Trimwell");
    QVERIFY(!about.picIcon->pixmap().isNull());
    // The etched separator, grey over white; the icon's box, light grey
    // round the icon inside its sunken border; the dialog's face; black text.
    const std::tuple<QWidget*, QPoint, QRgb> colours[] = {
        {about.Line1[1], {0, 0}, qRgb(128, 128, 128)},
        {about.Line1[0], {0, 1}, qRgb(255, 255, 255)},
        {about.picIcon, {0, 0}, qRgb(160, 160, 160)},
        {about.picIcon, {2, 2}, qRgb(192, 192, 192)},
        {&about, {1, 1}, qRgb(240, 240, 240)}};
    for (const auto& [control, at, colour] : colours)
      QCOMPARE(control->grab().toImage().pixel(at), colour);
    QCOMPARE(about.Line1[0]->geometry(), QRect(16, 163, 361, 2));
    QCOMPARE(about.palette().color(QPalette::WindowText), Qt::black);
    const std::pair<const char*, QString> texts[] = {
        {"lblTitle", "Trimwell"},
        {"lblVersion", QString("Version ") + build::Version_Text},
        {"lblDescription",
         "App Description : Using User defined values, this program will "
         "calculate the aircraft CG and Gross Weight.  It will also show the "
         "results in a graphical manner."},
        {"lblDisclaimer",
         "Warning : ... Use this program at your own risk.  It has no known "
         "bugs.  It was written for my education and therefore should be "
         "distributed at NO COST!"},
        {"cmdOK", "OK"},
        {"cmdSysInfo", "&System Info..."}};
    for (const auto& [name, text] : texts) {
      const QWidget* control = about.findChild<QWidget*>(name);
      QVERIFY2(control && control->property("text") == text, name);
    }
    // The stand-in tool, under a name with blanks and shell characters.
    const QFileInfo built(TRIMWELL_TEST_TOOL);
    const QString tool = dir_.filePath("it's; $(touch x) & y") +
                         (built.suffix().isEmpty() ? "" : "." + built.suffix());
    QVERIFY(QFile::copy(TRIMWELL_TEST_TOOL, tool));
    const QString started = dir_.filePath("started");
    qputenv("TRIMWELL_TOOL_MARKER", QFile::encodeName(started));
    auto machine = std::make_unique<Fake_Machine>();
    machine->Values[Path] = {1, (QFile::encodeName(tool) + '\0').toStdString()};
    about.Use_Registry(std::move(machine));
    // The message a failed start shows would wait for a user: close it.
    QTimer::singleShot(10000, &about,
                       [] { QApplication::activeModalWidget()->close(); });
    for (const Qt::Key key : {Qt::Key_S, Qt::Key_Return, Qt::Key_Escape}) {
      about.show();
      QVERIFY(QTest::qWaitForWindowActive(&about));
      QCOMPARE(QApplication::activeModalWidget(), &about);
      QVERIFY((about.frameGeometry().center() - owner.frameGeometry().center())
                  .manhattanLength() <= 2); // centres rounded to whole pixels
      QTest::keyClick(about.windowHandle(), key,
                      key == Qt::Key_S ? Qt::AltModifier : Qt::NoModifier);
      QTRY_VERIFY(key != Qt::Key_S || QFileInfo::exists(started));
      QCOMPARE(about.isVisible(), key == Qt::Key_S);
    }
    // With no tool in the store, this system's own tool is looked for on the
    // search path and started with its fixed argument.
    if (!sysinfo::Fallback_Tools().empty()) { // Windows searches for none
      const sysinfo::Tool& tool = sysinfo::Fallback_Tools().back();
      QVERIFY(QFile::copy(TRIMWELL_TEST_TOOL, dir_.filePath(tool.Program)));
      QFile::remove(started);
      qputenv("PATH", QFile::encodeName(dir_.path()));
      about.Use_Registry(std::make_unique<Fake_Machine>()); // it stores none
      about.StartSysInfo();
      const auto arguments = [&] {
        QFile file(started);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
      };
      QTRY_COMPARE(arguments(), QByteArray(tool.Argument).append('\n'));
    }
  }

  // On the desktop, a program is a file, not a folder; nothing to start is
  // no start, and the message that says so is titled with the program's
  // name and closes with its one button.
  void desktop_services() {
    sysinfo::Desktop_Services services(nullptr);
    QVERIFY(services.Is_Normal_File(TRIMWELL_TEST_TOOL));
    QVERIFY(!services.Is_Normal_File(QFile::encodeName(dir_.path()).data()));
    QVERIFY(!services.Start_Program("", {}));
    QString shown;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      shown = box->windowTitle() + '|' + box->text();
      box->button(QMessageBox::Ok)->click();
    });
    services.Show_Unavailable();
    QCOMPARE(shown, "Trimwell|System Information Is Unavailable At This Time");
  }

  void StartSysInfo_data() {
    QTest::addColumn<uint>("type"); // of the full path; 0: none stored
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("folder"); // null: none stored
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("calls");
    const auto row = [](const char* name, uint type, const QByteArray& path,
                        const QByteArray& folder, const QStringList& installed,
                        const QStringList& calls) {
      QTest::newRow(name) << type << path << folder << installed << calls;
    };
    const auto text = [](QByteArray t) { return t.append('\0'); };
    const QByteArray opt = text("/opt");
    const QString tool = QString("/opt") + sysinfo::Program_File;
    const QStringList none, both = {"one", "two"};
    row("path fails to start", 1, text("/x/a"), opt, both,
        {"start /x/a", "message"});
    row("folder only", 0, {}, opt, none, {"test " + tool, "start " + tool});
    row("folder without the tool", 0, {}, text("/x"), both,
        {QString("test /x") + sysinfo::Program_File, "find one",
         "start /opt/one"});
    row("neither, and no tool found", 0, {}, {}, none,
        {"find one", "find two", "message"});
    // A full path is started as it stands, untested, up to its first code 0.
    row("code 0 inside", 1, text(text("/opt/a") + "b"), opt, none,
        {"start /opt/a"});
    // A stored path that is not a full one (here empty) names no tool and
    // is never searched for.
    row("unhandled type", 3, text("/opt/a"), {}, both, {"message"});
    row("filling the buffer", 1, QByteArray(1024, 'x'), opt, both, {"message"});
    row("relative path", 1, text("relname"), opt, both, {"message"});
    row("below the current folder", 1, text("sub/a"), opt, both, {"message"});
    row("a drive's current folder", 1, text("C:a"), opt, both, {"message"});
    // A folder that is not a full one counts as none: the first tool found.
    row("folder below the current one", 0, {}, text("sub"), {"two"},
        {"find one", "find two", "start /opt/two [x y]"});
    // Windows would take a program and its arguments from a path with a
    // quote at either end; elsewhere it is one file's name.
    const bool windows = QSysInfo::kernelType() == "winnt";
    row("quoted path and argument", 1, text("\"/opt/a\" x"), opt, both,
        {"message"});
    row("quote at the end", 1, text("/opt/a /c \"x\""), opt, both,
        {windows ? "message" : "start /opt/a /c \"x\""});
  }

  void StartSysInfo() {
    QFETCH(uint, type);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, folder);
    QFETCH(QStringList, installed);
    QFETCH(QStringList, calls);
    Fake_Machine machine;
    machine.Values[Path] = {type, path.toStdString()};
    machine.Values[Folder] = {folder.isNull() ? 0u : 1u, folder.toStdString()};
    machine.Installed = installed;
    sysinfo::StartSysInfo(machine, machine, {{"one", nullptr}, {"two", "x y"}});
    QCOMPARE(machine.Calls, calls);
    QVERIFY2(machine.Open.empty(), "a key was left open");
  }

private:
  QTemporaryDir dir_;
};

QTEST_MAIN(tst_about)
#include "tst_about.moc"
