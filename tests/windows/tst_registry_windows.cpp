// GetKeyValue over the real Windows registry. Built with MinGW and run under
// wine by tests/windows/run, which first writes the values below into
// HKEY_LOCAL_MACHINE\SOFTWARE\Trimwell Test.
#include <cstdio>
#include <string>

#include "forms/registry.h"
#include "forms/sysinfo.h"

using namespace trimwell;

namespace {

struct Lookup {
  const char* Name;
  const char* Value;
  bool Read;
  std::string Text;
};

// What each value the run script writes reads as.
const Lookup Lookups[] = {
    {"string", "Text", true, "C:\\Program Files\\Tool\\tool.exe"},
    {"32-bit number", "Number", true, "305419896"}, // 0x12345678
    {"embedded code 0", "Embedded", true, "abc"},   // "abc", 0, "def"
    {"1100 characters, longer than the buffer", "Long", false, ""},
};

} // namespace

int main() {
  const auto registry = registry::Make_System_Registry();
  int failed = 0;
  for (const Lookup& lookup : Lookups) {
    std::string text = "held before";
    const bool read =
        sysinfo::GetKeyValue(*registry, registry::Local_Machine,
                             "SOFTWARE\\Trimwell Test", lookup.Value, text);
    const bool passed = read == lookup.Read && text == lookup.Text;
    failed += passed ? 0 : 1;
    std::printf("%s: %s (got \"%.60s\")\n", passed ? "PASS" : "FAIL",
                lookup.Name, text.c_str());
  }
  std::printf("%d failed\n", failed);
  return failed == 0 ? 0 : 1;
}
