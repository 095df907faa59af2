// A web page can start no program: there is no system information tool,
// and the About box says so.
#include "forms/sysinfo/sysinfo.h"

namespace trimwell::sysinfo {

const std::vector<Tool>& Fallback_Tools() {
  static const std::vector<Tool> none;
  return none;
}

bool Is_Full_Path(const std::string&) {
  return false; // nothing to start
}

} // namespace trimwell::sysinfo
