#pragma once

// A web page can start no program: whatever folder a store named, no tool
// is in it.
namespace trimwell::sysinfo {

// The tool's file name, appended to the stored folder.
inline constexpr char Program_File[] = "";

} // namespace trimwell::sysinfo
