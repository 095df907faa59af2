// A stand-in for a system information tool that the tests start: it writes
// its arguments, one a line, into the file that TRIMWELL_TOOL_MARKER names,
// so a test sees that it ran and with what.
#include <cstdlib>
#include <fstream>

int main(int argc, char* argv[]) {
  const char* marker = std::getenv("TRIMWELL_TOOL_MARKER");
  if (marker == nullptr)
    return 2;
  std::ofstream out(marker);
  for (int i = 1; i < argc; ++i)
    out << argv[i] << '\n';
  return out ? 0 : 1;
}
