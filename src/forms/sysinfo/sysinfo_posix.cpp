// The system information tools of Linux and other systems without
// MSINFO32.EXE.
#include "forms/sysinfo/sysinfo.h"

namespace trimwell::sysinfo {

const std::vector<Tool>& Fallback_Tools() {
  // The desktops' own system information pages: HardInfo, then KDE's Info
  // Center, then the About page of GNOME Settings.
  static const std::vector<Tool> tools = {
      {"hardinfo", nullptr},
      {"kinfocenter", nullptr},
      {"gnome-control-center", "info-overview"},
  };
  return tools;
}

bool Is_Full_Path(const std::string& path) {
  return !path.empty() && path.front() == '/';
}

} // namespace trimwell::sysinfo
