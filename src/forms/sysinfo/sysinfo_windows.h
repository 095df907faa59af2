#pragma once

// Windows' own system information tool, MSINFO32.EXE, in the folder the
// registry names.
namespace trimwell::sysinfo {

// The tool's file name, appended to the stored folder.
inline constexpr char Program_File[] = "\\MSINFO32.EXE";

} // namespace trimwell::sysinfo
