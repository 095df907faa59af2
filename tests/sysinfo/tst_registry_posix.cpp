// The machine-wide registry file of systems without a Windows registry:
// what its reader takes from each kind of line, and that only an ordinary
// file no one but its owner, the administrator or the user running the
// program, may write is read at all (a FIFO is refused without waiting).
#include <QtTest>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "forms/sysinfo/registry_posix.h"
#include "forms/sysinfo/sysinfo.h"

using namespace trimwell;

class tst_registry : public QObject {
  Q_OBJECT
private slots:
  void Read_Key_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("values"); // name=value, by folded name
    const QByteArray key = "[HKEY_LOCAL_MACHINE\\K]\n";
    QTest::newRow("blanks round lines, escapes, any case")
        << QByteArray("\t[hkey_local_machine\\k] \r\n  "
                      "\"AZ\\\"b\"=\"x\\\\y\\\"z\"\t\n")
        << true << "az\"b=x\\y\"z";
    QTest::newRow("dwords of 1 to 8 hex digits")
        << key + "\"D\"=dword:2a\n\"E\"=DWORD:FFFFFFFF\n\"F\"=dword:123456789\n"
                 "\"G\"=dword:\n\"H\"=dword:2g\n"
        << true << "d=#42 e=#4294967295";
    QTest::newRow("comments, other keys, the first of two")
        << key + "; \"A\"=\"1\"\n# \"B\"=\"2\"\n\"C\"=\"3\"\n\"c\"=\"4\"\n"
                 "[HKEY_LOCAL_MACHINE\\K\\Sub]\n\"D\"=\"5\"\n[HKEY_LOCAL_"
                 "MACHINE\\K\n"
                 "\"E\"=\"6\"\n"
        << true << "c=3";
    QTest::newRow("key absent")
        << QByteArray("[HKEY_CURRENT_USER\\K]\n\"A\"=\"1\"\n") << false << "";
  }

  void Read_Key() {
    QFETCH(QByteArray, text);
    registry::Key_Values values;
    QTEST(
        registry::Read_Key(text.toStdString(), "HKEY_LOCAL_MACHINE\\K", values),
        "found");
    QStringList shown;
    for (const auto& [name, value] : values) {
      const std::string& bytes = value.Bytes;
      QString data = "?";
      if (value.Type == registry::Type_String && !bytes.empty() &&
          bytes.back() == '\0') {
        data = QString::fromStdString(bytes.substr(0, bytes.size() - 1));
      } else if (value.Type == registry::Type_Dword && bytes.size() == 4) {
        quint32 number = 0;
        std::memcpy(&number, bytes.data(), 4); // little-endian, as the host
        data = '#' + QString::number(number);
      }
      shown << QString::fromStdString(name) + '=' + data;
    }
    QTEST(shown.join(' '), "values");
  }

  void only_a_trusted_file_is_read_data() {
    QTest::addColumn<int>("mode"); // with S_IFIFO: a FIFO
    QTest::addColumn<bool>("own"); // else someone else's
    QTest::addColumn<int>("size"); // padded to this many bytes; 0: as is
    QTest::addColumn<QString>("read");
    QTest::newRow("only its owner may write") << 0644 << true << 0 << "298";
    QTest::newRow("its group may write") << 0664 << true << 0 << "";
    QTest::newRow("others may write") << 0646 << true << 0 << "";
    QTest::newRow("someone else's") << 0644 << false << 0 << "";
    QTest::newRow("1 MiB") << 0644 << true << (1 << 20) << "298";
    QTest::newRow("past 1 MiB") << 0644 << true << (1 << 20) + 1 << "";
    // Nothing writes to it: opening it for reading must not wait.
    QTest::newRow("a FIFO") << (S_IFIFO | 0644) << true << 0 << "";
  }

  void only_a_trusted_file_is_read() {
    QFETCH(int, mode);
    QFETCH(bool, own);
    QFETCH(int, size);
    // A system folder only the administrator writes, not the user's settings.
    QVERIFY(QByteArray(registry::System_Registry_Path).startsWith("/etc/"));
    const auto path = QFile::encodeName(dir_.filePath(QString::number(mode)));
    // A number, and a text that fills the 1024-byte buffer with its code 0.
    std::string file =
        "[HKEY_LOCAL_MACHINE\\K]\n\"N\"=dword:0000012a\n\"L\"=\"" +
        std::string(1023, 'x') + "\"\n";
    file.resize(std::max<std::size_t>(file.size(), std::size_t(size)), '\n');
    if (!S_ISFIFO(mode) || mknod(path, mode_t(mode), 0) != 0)
      std::ofstream(path, std::ios::trunc) << file;
    if (chmod(path, mode_t(mode)) != 0 ||
        chown(path, own ? geteuid() : 4242, gid_t(-1)) != 0)
      QSKIP("only the administrator can give a file away");
    registry::File_Registry store(path.toStdString());
    // What was held before is emptied by a value not read.
    std::string number = "held", text = "held", missing = "held";
    const auto read = [&](const char* name, std::string& value) {
      return sysinfo::GetKeyValue(store, registry::Local_Machine, "K", name,
                                  value);
    };
    alarm(20); // a reading that hangs ends the test, failed
    const bool trusted = read("N", number);
    alarm(0);
    QTEST(QString::fromStdString(number), "read");
    QCOMPARE(trusted, number == "298");
    QCOMPARE(read("L", text), trusted);
    QCOMPARE(text.size(), trusted ? 1023u : 0u);
    QVERIFY(!read("M", missing) && missing.empty());
  }

private:
  QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(tst_registry)
#include "tst_registry_posix.moc"
