#include "forms/sysinfo/sysinfo.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace trimwell::sysinfo {

namespace {

// A key opened for reading, closed on every way out of GetKeyValue, the
// thrown one included. A key that failed to open is handle 0, and closing
// it is asked all the same.
class Open_Key {
public:
  Open_Key(registry::Registry& registry, registry::Key root,
           const std::string& name)
      : registry_(registry) {
    opened_ = registry.Open_Key(root, name, Open_Access, handle_) ==
              registry::Error_Success;
    if (!opened_) {
      handle_ = 0;
    }
  }
  ~Open_Key() { registry_.Close_Key(handle_); }
  Open_Key(const Open_Key&) = delete;
  Open_Key& operator=(const Open_Key&) = delete;

  bool Opened() const { return opened_; }
  registry::Handle Handle() const { return handle_; }

private:
  registry::Registry& registry_;
  registry::Handle handle_ = 0;
  bool opened_ = false;
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
  const Open_Key key(registry, KeyRoot, KeyName);
  if (!key.Opened()) {
    KeyVal.clear();
    return false;
  }

  std::array<unsigned char, Buffer_Size> buffer{};
  std::uint32_t size = Buffer_Size;
  std::uint32_t type = 0;
  if (registry.Query_Value(key.Handle(), SubKeyRef, type, buffer.data(),
                           size) != registry::Error_Success) {
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
      // A stored full path is trusted as it is; a bad one fails the start,
      // and so does one that is not a full path, never searched for.
      started = Is_Full_Path(path) && services.Start_Program(path, {});
    } else if (GetKeyValue(registry, registry::Local_Machine, Folder_Key,
                           Folder_Value, path) &&
               Is_Full_Path(path + Program_File) &&
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
