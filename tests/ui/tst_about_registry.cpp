// GetKeyValue and StartSysInfo over a fake registry that keeps the Windows
// rules of RegOpenKeyEx, RegQueryValueEx and RegCloseKey.
#include <QtTest>
#include <map>
#include <optional>
#include <vector>

#include "forms/sysinfo.h"

using namespace trimwell;
using registry::Handle;
using registry::Status;

namespace {

struct Fake_Value {
  std::uint32_t Type;
  std::string Bytes; // as stored, terminating code 0 included if any
};

std::string Text_Value(const std::string& text) {
  return text + std::string(1, '\0');
}

class Fake_Registry : public registry::Registry {
public:
  // Values by key path and value name, both as the lookups spell them.
  std::map<std::string, std::map<std::string, Fake_Value>> Keys;

  std::vector<std::uint32_t> Access_Asked;
  std::vector<registry::Key> Roots_Asked;
  std::vector<std::string> Keys_Opened;
  std::vector<Handle> Closed;
  int Open_Count = 0;

  Status Open_Key(registry::Key root, const std::string& key_name,
                  std::uint32_t access, Handle& key) override {
    Roots_Asked.push_back(root);
    Access_Asked.push_back(access);
    key = 0;
    if (root != registry::Local_Machine || Keys.count(key_name) == 0) {
      return registry::Error_File_Not_Found;
    }
    Keys_Opened.push_back(key_name);
    ++Open_Count;
    key = static_cast<Handle>(100 + Open_Count);
    open_[key] = key_name;
    return registry::Error_Success;
  }

  Status Query_Value(Handle key, const std::string& value_name,
                     std::uint32_t& type, unsigned char* data,
                     std::uint32_t& size) override {
    const auto open = open_.find(key);
    if (open == open_.end()) {
      return registry::Error_Invalid_Handle;
    }
    const auto& values = Keys[open->second];
    const auto value = values.find(value_name);
    if (value == values.end()) {
      return registry::Error_File_Not_Found;
    }
    type = value->second.Type;
    const auto needed = static_cast<std::uint32_t>(value->second.Bytes.size());
    const std::uint32_t capacity = size;
    size = needed;
    if (needed > capacity) {
      // Windows leaves the buffer undefined here: scribble on it.
      std::fill(data, data + capacity, static_cast<unsigned char>('?'));
      return registry::Error_More_Data;
    }
    std::copy(value->second.Bytes.begin(), value->second.Bytes.end(), data);
    return registry::Error_Success;
  }

  Status Close_Key(Handle key) override {
    Closed.push_back(key);
    return open_.erase(key) == 1 ? registry::Error_Success
                                 : registry::Error_Invalid_Handle;
  }

  bool All_Closed() const { return open_.empty(); }

private:
  std::map<Handle, std::string> open_;
};

class Fake_Services : public sysinfo::Services {
public:
  std::vector<std::string> Existing_Files;
  std::vector<std::string> Startable;

  std::vector<std::string> Checked;
  std::vector<std::string> Started;
  int Messages = 0;

  bool Is_Normal_File(const std::string& path) override {
    Checked.push_back(path);
    return std::find(Existing_Files.begin(), Existing_Files.end(), path) !=
           Existing_Files.end();
  }
  bool Start_Program(const std::string& path) override {
    Started.push_back(path);
    return std::find(Startable.begin(), Startable.end(), path) !=
           Startable.end();
  }
  void Show_Unavailable() override { ++Messages; }
};

const std::string Path_Key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string Folder_Key = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string Test_Key = "SOFTWARE\\Test";
constexpr std::size_t Buffer = 1024;

} // namespace

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(std::optional<Fake_Value>)

class tst_about_registry : public QObject {
  Q_OBJECT
private slots:
  void GetKeyValue_reads_like_the_windows_routine_data();
  void GetKeyValue_reads_like_the_windows_routine();
  void GetKeyValue_fails_on_a_value_without_an_end();
  void GetKeyValue_asks_for_no_write_access();
  void GetKeyValue_closes_the_zero_handle_after_a_failed_open();
  void StartSysInfo_follows_the_two_lookups_data();
  void StartSysInfo_follows_the_two_lookups();
};

void tst_about_registry::GetKeyValue_reads_like_the_windows_routine_data() {
  QTest::addColumn<bool>("key_exists");
  QTest::addColumn<std::uint32_t>("type");
  QTest::addColumn<std::string>("bytes");
  QTest::addColumn<bool>("read");
  QTest::addColumn<std::string>("value");

  const std::string long_text(Buffer - 1, 'x');
  QTest::newRow("string") << true << 1u << Text_Value("C:\\Tools\\a.exe")
                          << true << std::string("C:\\Tools\\a.exe");
  QTest::newRow("string with blanks")
      << true << 1u << Text_Value("/opt/sys info/tool") << true
      << std::string("/opt/sys info/tool");
  QTest::newRow("embedded code 0") << true << 1u << std::string("abc\0def\0", 8)
                                   << true << std::string("abc");
  QTest::newRow("stored without its code 0")
      << true << 1u << std::string("xyz") << true << std::string("xyz");
  QTest::newRow("empty string")
      << true << 1u << Text_Value("") << true << std::string();
  QTest::newRow("1023 characters fill the buffer with the code 0")
      << true << 1u << Text_Value(long_text) << true << long_text;
  QTest::newRow("1024 characters and code 0 do not fit")
      << true << 1u << Text_Value(long_text + "y") << false << std::string();
  QTest::newRow("dword, little-endian")
      << true << 4u << std::string("\x78\x56\x34\x12", 4) << true
      << std::string("305419896");
  QTest::newRow("dword with zero bytes inside")
      << true << 4u << std::string("\x05\x00\x01\x00", 4) << true
      << std::string("65541");
  QTest::newRow("dword zero")
      << true << 4u << std::string(4, '\0') << true << std::string("0");
  QTest::newRow("dword, highest bit set")
      << true << 4u << std::string("\xff\xff\xff\xff", 4) << true
      << std::string("4294967295");
  QTest::newRow("binary: read, text unchanged")
      << true << 3u << std::string("\x01\x02", 2) << true
      << std::string("held before");
  QTest::newRow("expandable string: read, text unchanged")
      << true << 2u << Text_Value("%SystemRoot%") << true
      << std::string("held before");
  QTest::newRow("missing value")
      << true << 0u << std::string() << false << std::string();
  QTest::newRow("missing key")
      << false << 0u << std::string() << false << std::string();
}

void tst_about_registry::GetKeyValue_reads_like_the_windows_routine() {
  QFETCH(bool, key_exists);
  QFETCH(std::uint32_t, type);
  QFETCH(std::string, bytes);
  QFETCH(bool, read);
  QFETCH(std::string, value);

  Fake_Registry fake;
  if (key_exists) {
    auto& values = fake.Keys[Test_Key];
    if (type != 0) {
      values["Value"] = {type, bytes};
    }
  }
  std::string text = "held before";
  QCOMPARE(sysinfo::GetKeyValue(fake, registry::Local_Machine, Test_Key,
                                "Value", text),
           read);
  QCOMPARE(text, value);
  QVERIFY(fake.All_Closed());
  QCOMPARE(fake.Closed.size(), std::size_t{1});
}

void tst_about_registry::GetKeyValue_fails_on_a_value_without_an_end() {
  Fake_Registry fake;
  fake.Keys[Test_Key]["Value"] = {1, std::string(Buffer, 'x')};
  std::string text;
  QVERIFY_THROWS_EXCEPTION(sysinfo::Unterminated_Value,
                           sysinfo::GetKeyValue(fake, registry::Local_Machine,
                                                Test_Key, "Value", text));
  QVERIFY2(fake.All_Closed(), "the key stays open after the failure");
}

void tst_about_registry::GetKeyValue_asks_for_no_write_access() {
  Fake_Registry fake;
  fake.Keys[Test_Key]["Value"] = {1, Text_Value("a")};
  std::string text;
  QVERIFY(sysinfo::GetKeyValue(fake, registry::Local_Machine, Test_Key, "Value",
                               text));
  QCOMPARE(fake.Access_Asked.size(), std::size_t{1});
  QCOMPARE(fake.Access_Asked[0] & registry::Key_Write_Rights, 0u);
  QVERIFY(fake.Access_Asked[0] & registry::Key_Query_Value);
}

void tst_about_registry::
    GetKeyValue_closes_the_zero_handle_after_a_failed_open() {
  Fake_Registry fake;
  std::string text = "x";
  QVERIFY(!sysinfo::GetKeyValue(fake, registry::Local_Machine, Test_Key,
                                "Value", text));
  QCOMPARE(fake.Closed, std::vector<Handle>{0});
}

void tst_about_registry::StartSysInfo_follows_the_two_lookups_data() {
  QTest::addColumn<std::optional<Fake_Value>>("path_value");
  QTest::addColumn<std::optional<Fake_Value>>("folder_value");
  QTest::addColumn<std::vector<std::string>>("existing");
  QTest::addColumn<std::vector<std::string>>("startable");
  QTest::addColumn<std::vector<std::string>>("checked");
  QTest::addColumn<std::vector<std::string>>("started");
  QTest::addColumn<bool>("message");

  using Paths = std::vector<std::string>;
  const std::optional<Fake_Value> none;
  const std::string tool = "/opt/tools/info";
  const std::string folder = "/opt/tools";
  const std::string in_folder = folder + sysinfo::Program_File;

  QTest::newRow("full path: started without an existence test")
      << std::optional<Fake_Value>({1, Text_Value(tool)}) << none << Paths{}
      << Paths{tool} << Paths{} << Paths{tool} << false;
  QTest::newRow("full path that cannot start")
      << std::optional<Fake_Value>({1, Text_Value(tool)}) << none << Paths{}
      << Paths{} << Paths{} << Paths{tool} << true;
  QTest::newRow("full path wins over the folder")
      << std::optional<Fake_Value>({1, Text_Value(tool)})
      << std::optional<Fake_Value>({1, Text_Value(folder)}) << Paths{in_folder}
      << Paths{tool, in_folder} << Paths{} << Paths{tool} << false;
  QTest::newRow("folder only, tool there")
      << none << std::optional<Fake_Value>({1, Text_Value(folder)})
      << Paths{in_folder} << Paths{in_folder} << Paths{in_folder}
      << Paths{in_folder} << false;
  QTest::newRow("folder only, tool missing")
      << none << std::optional<Fake_Value>({1, Text_Value(folder)}) << Paths{}
      << Paths{in_folder} << Paths{in_folder} << Paths{} << true;
  QTest::newRow("folder only, tool there but does not start")
      << none << std::optional<Fake_Value>({1, Text_Value(folder)})
      << Paths{in_folder} << Paths{} << Paths{in_folder} << Paths{in_folder}
      << true;
  QTest::newRow("neither") << none << none << Paths{} << Paths{} << Paths{}
                           << Paths{} << true;
  QTest::newRow("full path with an embedded code 0")
      << std::optional<Fake_Value>({1, tool + std::string("\0junk\0", 6)})
      << none << Paths{} << Paths{tool} << Paths{} << Paths{tool} << false;
  QTest::newRow("full path of an unhandled type: starts the empty path")
      << std::optional<Fake_Value>({3, "\x01\x02"}) << none << Paths{}
      << Paths{tool} << Paths{} << Paths{""} << true;
  QTest::newRow("full path as a number: starts its decimal text")
      << std::optional<Fake_Value>({4, std::string("\x2a\0\0\0", 4)}) << none
      << Paths{} << Paths{} << Paths{} << Paths{"42"} << true;
  QTest::newRow("full path without an end: message, folder not read")
      << std::optional<Fake_Value>({1, std::string(Buffer, 'x')})
      << std::optional<Fake_Value>({1, Text_Value(folder)}) << Paths{in_folder}
      << Paths{in_folder} << Paths{} << Paths{} << true;
  QTest::newRow("full path too long: the folder is read")
      << std::optional<Fake_Value>({1, Text_Value(std::string(Buffer, 'x'))})
      << std::optional<Fake_Value>({1, Text_Value(folder)}) << Paths{in_folder}
      << Paths{in_folder} << Paths{in_folder} << Paths{in_folder} << false;
  QTest::newRow("folder without an end")
      << none << std::optional<Fake_Value>({1, std::string(Buffer, 'x')})
      << Paths{} << Paths{} << Paths{} << Paths{} << true;
}

void tst_about_registry::StartSysInfo_follows_the_two_lookups() {
  QFETCH(std::optional<Fake_Value>, path_value);
  QFETCH(std::optional<Fake_Value>, folder_value);
  QFETCH(std::vector<std::string>, existing);
  QFETCH(std::vector<std::string>, startable);
  QFETCH(std::vector<std::string>, checked);
  QFETCH(std::vector<std::string>, started);
  QFETCH(bool, message);

  Fake_Registry fake;
  if (path_value) {
    fake.Keys[Path_Key]["PATH"] = *path_value;
  }
  if (folder_value) {
    fake.Keys[Folder_Key]["MSINFO"] = *folder_value;
  }
  Fake_Services services;
  services.Existing_Files = existing;
  services.Startable = startable;

  sysinfo::StartSysInfo(fake, services);

  QCOMPARE(services.Checked, checked);
  QCOMPARE(services.Started, started);
  QCOMPARE(services.Messages, message ? 1 : 0);
  QVERIFY(fake.All_Closed());
  for (const registry::Key root : fake.Roots_Asked) {
    QCOMPARE(root, registry::Local_Machine);
  }
}

QTEST_GUILESS_MAIN(tst_about_registry)
#include "tst_about_registry.moc"
