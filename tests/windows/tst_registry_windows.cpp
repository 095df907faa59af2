// GetKeyValue and StartSysInfo over the real Windows registry. Built with
// MinGW and run under wine by tests/windows/run, which first writes the
// values below into HKEY_LOCAL_MACHINE\SOFTWARE\Trimwell Test.
#include <cstdio>
#include <string>
#include <vector>

#include "forms/registry.h"
#include "forms/sysinfo.h"

using namespace trimwell;

namespace {

const std::string Test_Key = "SOFTWARE\\Trimwell Test";
const std::string Long_Text(1100, 'L');
const std::string Unchanged = "held before";

struct Lookup_Case {
  const char* Name;
  std::string Key;
  std::string Value;
  bool Read;
  std::string Text;
};

const std::vector<Lookup_Case> Lookups = {
    {"string", Test_Key, "Text", true, "C:\\Program Files\\Tool\\tool.exe"},
    {"32-bit number", Test_Key, "Number", true, "305419896"},
    {"embedded code 0", Test_Key, "Embedded", true, "abc"},
    {"longer than the buffer", Test_Key, "Long", false, ""},
    {"1023 characters", Test_Key, "Fits", true, std::string(1023, 'F')},
    {"unhandled type", Test_Key, "Binary", true, Unchanged},
    {"missing value", Test_Key, "Nothing", false, ""},
    {"missing key", "SOFTWARE\\Trimwell Nowhere", "Text", false, ""},
};

class Recording_Services : public sysinfo::Services {
public:
  std::vector<std::string> Started;
  int Messages = 0;
  bool Is_Normal_File(const std::string&) override { return false; }
  bool Start_Program(const std::string& path) override {
    Started.push_back(path);
    return true;
  }
  void Show_Unavailable() override { ++Messages; }
};

int passed = 0;
int failed = 0;

void Check(bool ok, const std::string& what) {
  ++(ok ? passed : failed);
  std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
}

} // namespace

int main() {
  const auto registry = registry::Make_System_Registry();

  for (const Lookup_Case& lookup : Lookups) {
    std::string text = Unchanged;
    const bool read = sysinfo::GetKeyValue(*registry, registry::Local_Machine,
                                           lookup.Key, lookup.Value, text);
    Check(read == lookup.Read && text == lookup.Text,
          std::string("GetKeyValue, ") + lookup.Name + " (got \"" +
              text.substr(0, 60) + "\")");
  }

  bool unterminated = false;
  try {
    std::string text;
    sysinfo::GetKeyValue(*registry, registry::Local_Machine, Test_Key, "Full",
                         text);
  } catch (const sysinfo::Unterminated_Value&) {
    unterminated = true;
  }
  Check(unterminated, "GetKeyValue, 1024 bytes without a code 0 fail");

  // The raw calls keep their Windows meaning.
  registry::Handle key = 0;
  Check(registry->Open_Key(registry::Local_Machine, Test_Key,
                           registry::Key_Read, key) == registry::Error_Success,
        "open with read access");
  unsigned char buffer[sysinfo::Buffer_Size] = {};
  std::uint32_t size = sizeof buffer;
  std::uint32_t type = 0;
  Check(registry->Query_Value(key, "Long", type, buffer, size) ==
                registry::Error_More_Data &&
            size >= Long_Text.size() + 1,
        "a longer value reports more data and its size");
  size = sizeof buffer;
  Check(registry->Query_Value(key, "Number", type, buffer, size) ==
                registry::Error_Success &&
            type == registry::Type_Dword && size == 4,
        "a number is type 4, four bytes");
  Check(registry->Close_Key(key) == registry::Error_Success, "close");
  Check(registry->Close_Key(0) == registry::Error_Invalid_Handle,
        "closing no key fails");

  // The lookup of the tool through the real key names.
  Recording_Services services;
  sysinfo::StartSysInfo(*registry, services);
  Check(services.Messages == 0 && services.Started.size() == 1 &&
            services.Started[0] == "C:\\Tools With Blanks\\info.exe",
        "StartSysInfo starts the stored full path");

  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
