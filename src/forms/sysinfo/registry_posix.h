#pragma once

#include <map>
#include <string>
#include <string_view>

#include "forms/sysinfo/registry.h"

namespace trimwell::registry {

// Where platforms without a Windows registry keep the machine-wide values:
// a file under the system configuration folder, which only the
// administrator can write. The per-user store is never used, so no user can
// redirect what the About box starts.
inline constexpr char System_Registry_Path[] = "/etc/trimwell/registry";

// The values of one key, by name folded to lower case (registry names
// ignore case). A string's bytes include the terminating code 0.
struct Stored_Value {
  std::uint32_t Type = 0;
  std::string Bytes;
};
using Key_Values = std::map<std::string, Stored_Value>;

// Reads the values of the key `full_key_name` (with its root, as in
// "HKEY_LOCAL_MACHINE\SOFTWARE\...") from text in the format of Windows
// registry files:
//
//   ; comment (also #)
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   "PATH"="/usr/bin/hardinfo"
//   "Count"=dword:0000002a
//
// Names and strings take \\ and \" escapes; a dword is 1 to 8 hex digits.
// Lines of any other form are skipped, so are later duplicates of a value.
// False when the key does not occur.
bool Read_Key(std::string_view text, std::string_view full_key_name,
              Key_Values& values);

// The store of Read_Key's format in one file. It is read at each opening of
// a key and trusted only if it is an ordinary file that no one but its
// owner can write, owned by the administrator (or by the user running the
// program, who could start any program anyway). Read-only: an opening that
// asks for a right to write is refused with Error_Access_Denied.
class File_Registry final : public Registry {
public:
  explicit File_Registry(std::string path = System_Registry_Path);

  Status Open_Key(Key root, const std::string& key_name, std::uint32_t access,
                  Handle& key) override;
  Status Query_Value(Handle key, const std::string& value_name,
                     std::uint32_t& type, unsigned char* data,
                     std::uint32_t& size) override;
  Status Close_Key(Handle key) override;

private:
  std::string path_;
  std::map<Handle, Key_Values> open_keys_;
  Handle next_handle_ = 1;
};

} // namespace trimwell::registry
