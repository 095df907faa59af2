// Windows' own system information tool, found through the registry.
#include "forms/sysinfo/sysinfo.h"

namespace trimwell::sysinfo {

const std::vector<Tool>& Fallback_Tools() {
  // Windows records where MSINFO32.EXE is; nothing is searched for.
  static const std::vector<Tool> none;
  return none;
}

} // namespace trimwell::sysinfo
