#include "forms/sysinfo/desktop_services.h"

namespace trimwell::sysinfo {

// A web page starts no other program.
bool Desktop_Services::Start_Program(const std::string&,
                                     const std::vector<std::string>&) {
  return false;
}

} // namespace trimwell::sysinfo
