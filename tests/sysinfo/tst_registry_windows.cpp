// The lookup over the real Windows registry, and the program's settings in
// it. The test writes its values below HKEY_CURRENT_USER, which every user
// may write, and removes them again.
#include <QSettings>
#include <QtTest>
#include <windows.h>

#include "forms/sysinfo/registry.h"
#include "forms/sysinfo/sysinfo.h"

using namespace trimwell;

namespace {

constexpr char Test_Key[] = "Software\\Trimwell Test";
constexpr registry::Key Current_User = 0x80000001;

void Write(const char* name, DWORD type, const QByteArray& data) {
  HKEY key = nullptr;
  QCOMPARE(RegCreateKeyExA(HKEY_CURRENT_USER, Test_Key, 0, nullptr, 0,
                           KEY_SET_VALUE, nullptr, &key, nullptr),
           ERROR_SUCCESS);
  QCOMPARE(RegSetValueExA(key, name, 0, type,
                          reinterpret_cast<const BYTE*>(data.constData()),
                          static_cast<DWORD>(data.size())),
           ERROR_SUCCESS);
  RegCloseKey(key);
}

} // namespace

class tst_registry : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    const char number[] = {0x78, 0x56, 0x34, 0x12}; // 0x12345678
    Write("Text", REG_SZ, QByteArray("C:\\Program Files\\Tool\\tool.exe", 31));
    Write("Number", REG_DWORD, QByteArray(number, 4));
    Write("Embedded", REG_SZ, QByteArray("abc\0def", 8));
    Write("Long", REG_SZ, QByteArray(1100, 'L').append('\0'));
    Write("Binary", REG_BINARY, QByteArray("xy", 3));
  }

  void cleanupTestCase() { RegDeleteTreeA(HKEY_CURRENT_USER, Test_Key); }

  void GetKeyValue_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("text");
    QTest::newRow("string")
        << "Text" << true << "C:\\Program Files\\Tool\\tool.exe";
    QTest::newRow("32-bit number") << "Number" << true << "305419896";
    QTest::newRow("embedded code 0") << "Embedded" << true << "abc";
    QTest::newRow("longer than the buffer") << "Long" << false << "";
    QTest::newRow("unhandled type keeps the text")
        << "Binary" << true << "held before";
    QTest::newRow("missing value") << "None" << false << "";
  }

  void GetKeyValue() {
    QFETCH(QString, value);
    const auto store = registry::Make_System_Registry();
    std::string text = "held before";
    QTEST(sysinfo::GetKeyValue(*store, Current_User, Test_Key,
                               value.toStdString(), text),
          "read");
    QTEST(QString::fromStdString(text), "text");
  }

  // Where the README says the window's placement is kept.
  void settings_are_kept_in_the_registry() {
    QCOMPARE(QSettings("Trimwell", "Trimwell").fileName(),
             "\\HKEY_CURRENT_USER\\Software\\Trimwell\\Trimwell");
  }
};

QTEST_GUILESS_MAIN(tst_registry)
#include "tst_registry_windows.moc"
