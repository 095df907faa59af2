#include "forms/sysinfo/sysinfo.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace trimwell::sysinfo {

namespace {

// Closes the key on every way out of GetKeyValue, the thrown one included.
class Key_Closer {
public:
  Key_Closer(registry::Registry& registry, const registry::Handle& key)
      : registry_(registry), key_(key) {}
  ~Key_Closer() { registry_.Close_Key(key_); }
  Key_Closer(const Key_Closer&) = delete;
  Key_Closer& operator=(const Key_Closer&) = delete;

private:
  registry::Registry& registry_;
  const registry::Handle& key_;
};

std::string Dword_Text(const unsigned char* bytes) {
  std::uint32_t number = 0;
  for (int i = 3; i >= 0; --i) {
    number = (number << 8) | bytes[i];
  }
  std::array<char, 16> text{};
  const auto end =
      std::to_chars(text.data(), text.data() + text.size(), number);
  return std::string(text.data(), end.ptr);
}

} // namespace

bool GetKeyValue(registry::Registry& registry, registry::Key KeyRoot,
                 const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal) {
  registry::Handle key = 0;
  const Key_Closer closer(registry, key); // a failed open closes handle 0
  if (registry.Open_Key(KeyRoot, KeyName, Open_Access, key) !=
      registry::Error_Success) {
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): `closer` reads it
    key = 0;
    KeyVal.clear();
    return false;
  }

  std::array<unsigned char, Buffer_Size> buffer{};
  std::uint32_t size = Buffer_Size;
  std::uint32_t type = 0;
  if (registry.Query_Value(key, SubKeyRef, type, buffer.data(), size) !=
      registry::Error_Success) {
    KeyVal.clear();
    return false;
  }

  const auto end = std::find(buffer.begin(), buffer.end(), 0);
  if (end == buffer.end()) {
    throw Unterminated_Value("registry value without an end: " + SubKeyRef);
  }
  switch (type) {
  case registry::Type_String:
    KeyVal.assign(buffer.begin(), end);
    break;
  case registry::Type_Dword:
    KeyVal = Dword_Text(buffer.data());
    break;
  default:
    break; // a type this routine does not read: KeyVal stays
  }
  return true;
}

void StartSysInfo(registry::Registry& registry, Services& services,
                  const std::vector<Tool>& tools) {
  bool started = false;
  try {
    std::string path;
    if (GetKeyValue(registry, registry::Local_Machine, Path_Key, Path_Value,
                    path)) {
      // A stored full path is trusted as it is; a bad one fails the start.
      started = services.Start_Program(path, {});
    } else if (GetKeyValue(registry, registry::Local_Machine, Folder_Key,
                           Folder_Value, path) &&
               services.Is_Normal_File(path + Program_File)) {
      started = services.Start_Program(path + Program_File, {});
    } else {
      // No tool named by the store: the first of the system's own found.
      for (const Tool& tool : tools) {
        path = services.Find_Program(tool.Program);
        if (!path.empty()) {
          started = services.Start_Program(
              path, tool.Argument ? std::vector<std::string>{tool.Argument}
                                  : std::vector<std::string>{});
          break;
        }
      }
    }
  } catch (const std::exception&) {
    started = false; // any failure on the way ends in the message
  }
  if (!started) {
    services.Show_Unavailable();
  }
}

} // namespace trimwell::sysinfo
