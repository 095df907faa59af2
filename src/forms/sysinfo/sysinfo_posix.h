#pragma once

// HardInfo, the system profiler Debian ships as /usr/bin/hardinfo, in the
// folder the machine-wide file names.
namespace trimwell::sysinfo {

// The tool's file name, appended to the stored folder.
inline constexpr char Program_File[] = "/hardinfo";

} // namespace trimwell::sysinfo
