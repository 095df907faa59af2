// Any bytes as the machine-wide registry file: the About box's lookups read
// them without a crash or a read outside a buffer, every value read is of a
// type the file can hold and comes from a whole line of that type, and a
// text read never carries a code 0.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "forms/sysinfo/registry_posix.h"
#include "forms/sysinfo/sysinfo.h"

using namespace trimwell;

namespace {

// The file is written anew for each input: File_Registry reads it at every
// opening of a key, as the About box does.
const std::string& File_Path() {
  static const std::string path = [] {
    char name[] = "/tmp/fuzz_registry_file.XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0)
      std::abort();
    close(fd);
    std::atexit([] { unlink(File_Path().c_str()); });
    return std::string(name);
  }();
  return path;
}

// Records the start; the fuzzer has nothing to start or show.
struct Quiet_Services : sysinfo::Services {
  bool Is_Normal_File(const std::string&) override { return true; }
  std::string Find_Program(const std::string&) override { return {}; }
  bool Start_Program(const std::string& path,
                     const std::vector<std::string>&) override {
    if (path.find('\0') != std::string::npos)
      std::abort();
    return true;
  }
  void Show_Unavailable() override {}
};

constexpr std::string_view Key = "HKEY_LOCAL_MACHINE\\K";

// Whether the data after a line's last '=' is "dword:" and 1 to 8 hex
// digits, in any case.
bool Is_Dword_Line(std::string_view line) {
  std::string data(line.substr(line.rfind('=') + 1));
  std::transform(data.begin(), data.end(), data.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
  return data.size() >= 7 && data.size() <= 14 &&
         data.rfind("dword:", 0) == 0 &&
         data.find_first_not_of("0123456789abcdef", 6) == std::string::npos;
}

// Each line alone under the key: a string is read only from a line that
// ends in its closing quote, a 32-bit number only from a whole dword line,
// and nothing else is ever read.
void Check_Lines(std::string_view text) {
  while (!text.empty()) {
    const std::string_view line = text.substr(0, text.find('\n'));
    text.remove_prefix(std::min(text.size(), line.size() + 1));
    registry::Key_Values values;
    registry::Read_Key("[" + std::string(Key) + "]\n" + std::string(line), Key,
                       values);
    const auto last = line.find_last_not_of(" \t\r");
    for (const auto& [name, value] : values) {
      const bool string = value.Type == registry::Type_String &&
                          !value.Bytes.empty() && value.Bytes.back() == '\0' &&
                          line[last] == '"';
      const bool dword = value.Type == registry::Type_Dword &&
                         value.Bytes.size() == 4 &&
                         Is_Dword_Line(line.substr(0, last + 1));
      if (!string && !dword)
        std::abort();
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Check_Lines(text);
  std::ofstream(File_Path(), std::ios::binary | std::ios::trunc)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  chmod(File_Path().c_str(), 0600);
  registry::File_Registry store(File_Path());
  Quiet_Services services;
  sysinfo::StartSysInfo(store, services, {});
  return 0;
}
