#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "forms/sysinfo/registry.h"

// Program_File, this system's own tool, from the header that CMake names:
// sysinfo_windows.h, sysinfo_posix.h or sysinfo_web.h.
#include TRIMWELL_SYSINFO_SYSTEM_H

// The About box's lookup and launch of the system information tool, free of
// Qt so that the Windows build can be tested with MinGW under wine.
namespace trimwell::sysinfo {

// Where the tool's full path is kept, read first.
inline constexpr char Path_Key[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char Path_Value[] = "PATH";
// Where the tool's folder is kept, read when the full path is missing.
inline constexpr char Folder_Key[] =
    "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char Folder_Value[] = "MSINFO";

// A system information tool looked for on the program search path when the
// machine-wide store names none, started with its one fixed argument (none
// when null).
struct Tool {
  const char* Program;
  const char* Argument;
};

// This system's such tools, in the order they are looked for: none on
// Windows, whose registry always names its tool.
const std::vector<Tool>& Fallback_Tools();

// Whether a path names one file from this system's root, as a stored tool
// path must: any other would be looked for on the program search path or
// in the current folder, which the store never means. On Windows, a path
// with a quote or a control character names no file.
bool Is_Full_Path(const std::string& path);

// Opening asks for reading only: under Windows an ordinary user may not
// write to HKEY_LOCAL_MACHINE, so asking for more would fail for them.
inline constexpr std::uint32_t Open_Access = registry::Key_Read;

// The value buffer: 1024 characters, all code 0 before the query.
inline constexpr std::uint32_t Buffer_Size = 1024;

inline constexpr char Unavailable_Message[] =
    "System Information Is Unavailable At This Time";

// A value that fills the whole buffer without a code 0: the text has no end.
class Unterminated_Value : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Reads the value `SubKeyRef` of key `KeyName` below `KeyRoot` into
// `KeyVal`. A string is cut before its first code 0; a 32-bit number becomes
// the decimal text of its unsigned value; a value of any other type leaves
// `KeyVal` as it was. True when the value was read; false, with `KeyVal`
// emptied, when the key or value is missing or does not fit the buffer.
// Throws Unterminated_Value for a value without a code 0 in the buffer.
// The key is closed in every case.
bool GetKeyValue(registry::Registry& registry, registry::Key KeyRoot,
                 const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal);

// What starting the tool needs from the platform.
class Services {
public:
  virtual ~Services() = default;
  // True when `path` names an existing ordinary file (not a folder).
  virtual bool Is_Normal_File(const std::string& path) = 0;
  // The full path of `program` found on the program search path, or empty.
  virtual std::string Find_Program(const std::string& program) = 0;
  // Starts `path` as a program of its own with `arguments`, without a
  // shell and without waiting for it: blanks or shell characters are part
  // of the file name. False when it could not be started.
  virtual bool Start_Program(const std::string& path,
                             const std::vector<std::string>& arguments) = 0;
  // Tells the user that the tool cannot be started (Unavailable_Message),
  // and returns when the user has closed the message.
  virtual void Show_Unavailable() = 0;
};

// Starts the system information tool from the full path if it is stored,
// else from the stored folder if the tool is there; a stored path that is
// not a full path names no tool, as a missing one does. When the store
// names no tool, the first of `tools` found on the search path is started.
// The message shows when none is found, or when the start fails.
void StartSysInfo(registry::Registry& registry, Services& services,
                  const std::vector<Tool>& tools = Fallback_Tools());

} // namespace trimwell::sysinfo
