// The read-only registry file of platforms without a Windows registry.
#include <QtTest>
#include <sys/stat.h>

#include "forms/registry_file.h"
#include "forms/sysinfo.h"

using namespace trimwell;
using registry::Handle;

namespace {

const char Sample[] = R"(Windows Registry Editor Version 5.00
; Trimwell's machine-wide values
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
"PATH"="/opt/sys info/tool; rm -rf ~"

# a second key, names in another case, escapes, a number
  [hkey_local_machine\software\MICROSOFT\shared tools location]
"MSINFO"="/usr/bin"
"Quoted"="say \"hi\" to C:\\dir"
"Count"=dword:0000002A
"Short"=dword:7
"Broken"="no end
"Bad number"=dword:12345678
"Bad number"=dword:xyz
"Too long"=dword:123456789
"Trailing"="a" junk
"Twice"="first"
"Twice"="second"

[HKEY_LOCAL_MACHINE\SOFTWARE\Empty]
)";

} // namespace

class tst_about_registry_file : public QObject {
  Q_OBJECT
private slots:
  void init();
  void values_are_read_data();
  void values_are_read();
  void missing_keys_and_values();
  void write_access_is_refused();
  void other_roots_are_not_here();
  void handles_follow_the_windows_rules();
  void a_value_larger_than_the_buffer_reports_its_size();
  void an_untrusted_file_is_not_read_data();
  void an_untrusted_file_is_not_read();
  void the_about_box_lookup_reads_the_file();

private:
  QString Write_File(const QByteArray& content, mode_t mode = 0644);
  std::string Query_Text(const std::string& key, const std::string& value,
                         std::uint32_t& type, std::uint32_t& size,
                         long& status);

  QTemporaryDir dir_;
  QString path_;
};

void tst_about_registry_file::init() {
  path_ = Write_File(Sample);
}

QString tst_about_registry_file::Write_File(const QByteArray& content,
                                            mode_t mode) {
  const QString path = dir_.filePath(QStringLiteral("registry"));
  QFile::remove(path);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(content) < 0) {
    qFatal("cannot write the registry file");
  }
  file.close();
  chmod(QFile::encodeName(path).constData(), mode);
  return path;
}

std::string tst_about_registry_file::Query_Text(const std::string& key,
                                                const std::string& value,
                                                std::uint32_t& type,
                                                std::uint32_t& size,
                                                long& status) {
  registry::File_Registry file(path_.toStdString());
  Handle handle = 0;
  status =
      file.Open_Key(registry::Local_Machine, key, registry::Key_Read, handle);
  if (status != registry::Error_Success) {
    return {};
  }
  unsigned char buffer[64] = {};
  size = sizeof buffer;
  status = file.Query_Value(handle, value, type, buffer, size);
  file.Close_Key(handle);
  return std::string(reinterpret_cast<const char*>(buffer),
                     std::min<std::size_t>(size, sizeof buffer));
}

void tst_about_registry_file::values_are_read_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("value");
  QTest::addColumn<long>("status");
  QTest::addColumn<uint>("type");
  QTest::addColumn<QByteArray>("bytes");

  const QString msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  const QString location = "SOFTWARE\\Microsoft\\Shared Tools Location";
  const auto text = [](const char* t) { return QByteArray(t).append('\0'); };
  QTest::newRow("string with blanks and shell characters")
      << msinfo << "PATH" << 0L << 1u << text("/opt/sys info/tool; rm -rf ~");
  QTest::newRow("key and value names ignore case")
      << "software\\microsoft\\shared tools\\msinfo"
      << "path" << 0L << 1u << text("/opt/sys info/tool; rm -rf ~");
  QTest::newRow("section written in another case")
      << location << "MSINFO" << 0L << 1u << text("/usr/bin");
  QTest::newRow("escaped quotes and backslashes")
      << location << "Quoted" << 0L << 1u << text("say \"hi\" to C:\\dir");
  QTest::newRow("dword, little-endian")
      << location << "Count" << 0L << 4u << QByteArray("\x2a\0\0\0", 4);
  QTest::newRow("dword with few digits")
      << location << "Short" << 0L << 4u << QByteArray("\x07\0\0\0", 4);
  QTest::newRow("first of two values of one name")
      << location << "Twice" << 0L << 1u << text("first");
  QTest::newRow("unclosed string is skipped")
      << location << "Broken" << 2L << 0u << QByteArray();
  QTest::newRow("nine hex digits are skipped")
      << location << "Too long" << 2L << 0u << QByteArray();
  QTest::newRow("text after a string is skipped")
      << location << "Trailing" << 2L << 0u << QByteArray();
  QTest::newRow("good number before a bad one of the same name")
      << location << "Bad number" << 0L << 4u
      << QByteArray("\x78\x56\x34\x12", 4);
}

void tst_about_registry_file::values_are_read() {
  QFETCH(QString, key);
  QFETCH(QString, value);
  QFETCH(long, status);
  QFETCH(uint, type);
  QFETCH(QByteArray, bytes);

  std::uint32_t read_type = 0;
  std::uint32_t size = 0;
  long read_status = -1;
  const std::string read = Query_Text(key.toStdString(), value.toStdString(),
                                      read_type, size, read_status);
  QCOMPARE(read_status, status);
  if (status == registry::Error_Success) {
    QCOMPARE(read_type, type);
    QCOMPARE(size, static_cast<std::uint32_t>(bytes.size()));
    QCOMPARE(QByteArray::fromStdString(read), bytes);
  }
}

void tst_about_registry_file::missing_keys_and_values() {
  registry::File_Registry file(path_.toStdString());
  Handle handle = 7;
  QCOMPARE(file.Open_Key(registry::Local_Machine, "SOFTWARE\\Nothing",
                         registry::Key_Read, handle),
           registry::Error_File_Not_Found);
  QCOMPARE(handle, Handle{0});
  // A key named only in part is not the key.
  QCOMPARE(file.Open_Key(registry::Local_Machine, "SOFTWARE\\Microsoft",
                         registry::Key_Read, handle),
           registry::Error_File_Not_Found);
  QCOMPARE(file.Open_Key(registry::Local_Machine, "SOFTWARE\\Empty",
                         registry::Key_Read, handle),
           registry::Error_Success);
  std::uint32_t type = 0;
  unsigned char buffer[8];
  std::uint32_t size = sizeof buffer;
  QCOMPARE(file.Query_Value(handle, "PATH", type, buffer, size),
           registry::Error_File_Not_Found);
  QCOMPARE(file.Close_Key(handle), registry::Error_Success);
}

void tst_about_registry_file::write_access_is_refused() {
  registry::File_Registry file(path_.toStdString());
  Handle handle = 0;
  // The access the old lookup asked for: query, set, create, enumerate,
  // notify, link, read control.
  QCOMPARE(file.Open_Key(registry::Local_Machine,
                         "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0x2003F,
                         handle),
           registry::Error_Access_Denied);
  QCOMPARE(handle, Handle{0});
  QCOMPARE(file.Open_Key(registry::Local_Machine,
                         "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                         registry::Key_Query_Value, handle),
           registry::Error_Success);
  QVERIFY(handle != 0);
}

void tst_about_registry_file::other_roots_are_not_here() {
  registry::File_Registry file(path_.toStdString());
  Handle handle = 0;
  const registry::Key current_user = 0x80000001;
  QCOMPARE(file.Open_Key(current_user,
                         "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                         registry::Key_Read, handle),
           registry::Error_Invalid_Handle);
  QCOMPARE(handle, Handle{0});
}

void tst_about_registry_file::handles_follow_the_windows_rules() {
  registry::File_Registry file(path_.toStdString());
  Handle first = 0;
  Handle second = 0;
  const std::string key = "SOFTWARE\\Microsoft\\Shared Tools Location";
  QCOMPARE(
      file.Open_Key(registry::Local_Machine, key, registry::Key_Read, first),
      registry::Error_Success);
  QCOMPARE(
      file.Open_Key(registry::Local_Machine, key, registry::Key_Read, second),
      registry::Error_Success);
  QVERIFY(first != 0 && second != 0 && first != second);
  QCOMPARE(file.Close_Key(0), registry::Error_Invalid_Handle);
  QCOMPARE(file.Close_Key(first), registry::Error_Success);
  QCOMPARE(file.Close_Key(first), registry::Error_Invalid_Handle);
  std::uint32_t type = 0;
  unsigned char buffer[16];
  std::uint32_t size = sizeof buffer;
  QCOMPARE(file.Query_Value(first, "MSINFO", type, buffer, size),
           registry::Error_Invalid_Handle);
  QCOMPARE(file.Query_Value(second, "MSINFO", type, buffer, size),
           registry::Error_Success);
  QCOMPARE(file.Close_Key(second), registry::Error_Success);
}

void tst_about_registry_file::
    a_value_larger_than_the_buffer_reports_its_size() {
  registry::File_Registry file(path_.toStdString());
  Handle handle = 0;
  QCOMPARE(file.Open_Key(registry::Local_Machine,
                         "SOFTWARE\\Microsoft\\Shared Tools Location",
                         registry::Key_Read, handle),
           registry::Error_Success);
  std::uint32_t type = 0;
  unsigned char buffer[8] = {};
  std::uint32_t size = 8; // "/usr/bin" needs 9 with its code 0
  QCOMPARE(file.Query_Value(handle, "MSINFO", type, buffer, size),
           registry::Error_More_Data);
  QCOMPARE(size, 9u);
  size = 0;
  QCOMPARE(file.Query_Value(handle, "MSINFO", type, nullptr, size),
           registry::Error_Success);
  QCOMPARE(size, 9u);
  QCOMPARE(type, registry::Type_String);
  file.Close_Key(handle);
}

void tst_about_registry_file::an_untrusted_file_is_not_read_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<bool>("trusted");
  QTest::newRow("owner writes, all read") << 0644 << true;
  QTest::newRow("read-only") << 0444 << true;
  QTest::newRow("group may write") << 0664 << false;
  QTest::newRow("anyone may write") << 0646 << false;
}

void tst_about_registry_file::an_untrusted_file_is_not_read() {
  QFETCH(int, mode);
  QFETCH(bool, trusted);
  Write_File(Sample, static_cast<mode_t>(mode));
  registry::File_Registry file(path_.toStdString());
  Handle handle = 0;
  QCOMPARE(file.Open_Key(registry::Local_Machine,
                         "SOFTWARE\\Microsoft\\Shared Tools Location",
                         registry::Key_Read, handle) == registry::Error_Success,
           trusted);
}

void tst_about_registry_file::the_about_box_lookup_reads_the_file() {
  registry::File_Registry file(path_.toStdString());
  std::string path;
  QVERIFY(sysinfo::GetKeyValue(file, registry::Local_Machine, sysinfo::Path_Key,
                               sysinfo::Path_Value, path));
  QCOMPARE(path, std::string("/opt/sys info/tool; rm -rf ~"));

  registry::File_Registry folder_only(dir_.filePath("absent").toStdString());
  QVERIFY(!sysinfo::GetKeyValue(folder_only, registry::Local_Machine,
                                sysinfo::Path_Key, sysinfo::Path_Value, path));
  QCOMPARE(path, std::string());

  registry::File_Registry a_folder(dir_.path().toStdString());
  QVERIFY(!sysinfo::GetKeyValue(a_folder, registry::Local_Machine,
                                sysinfo::Folder_Key, sysinfo::Folder_Value,
                                path));
}

QTEST_GUILESS_MAIN(tst_about_registry_file)
#include "tst_about_registry_file.moc"
