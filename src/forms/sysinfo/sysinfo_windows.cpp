// Windows' own system information tool, found through the registry.
#include "forms/sysinfo/sysinfo.h"

#include <algorithm>

namespace trimwell::sysinfo {

const std::vector<Tool>& Fallback_Tools() {
  // Windows records where MSINFO32.EXE is; nothing is searched for.
  static const std::vector<Tool> none;
  return none;
}

bool Is_Full_Path(const std::string& path) {
  // A program starts from one command line, which Qt makes of the path
  // quoted if it has a blank, but as it stands if it begins or ends with a
  // quote: a quote or a tab (or any control character, which no more than
  // a quote can stand in a file name) would let part of the path become
  // the program and the rest its arguments.
  if (std::any_of(path.begin(), path.end(), [](char c) {
        return c == '"' || static_cast<unsigned char>(c) < 0x20;
      })) {
    return false;
  }
  const auto separator = [&path](std::size_t i) {
    return i < path.size() && (path[i] == '\\' || path[i] == '/');
  };
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') ||
                      (path[0] >= 'a' && path[0] <= 'z'));
  // C:\..., \\server\... or \... from the current drive's root, as Windows'
  // own PathIsRelative counts them; not C:... in that drive's current
  // folder.
  return drive ? separator(2) : separator(0);
}

} // namespace trimwell::sysinfo
