// Any bytes typed into a field read as a finite number or an infinity, and
// every finite reading survives being written and read again. An empty
// aircraft weight reads as the same number, but never as 0.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/input_fields.h"
#include "model/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double x = trimwell::Text_To_Number(text);
  if (std::isnan(x)) {
    std::abort();
  }
  using trimwell::Input;
  if (trimwell::Input_Number(Input::Empty_Aircraft_Weight, text) !=
          (x == 0 ? 1 : x) ||
      trimwell::Input_Number(Input::Pilot_Weight, text) != x) {
    std::abort();
  }
  if (std::isfinite(x)) {
    const std::string written = trimwell::Number_To_Text(x);
    if (written.empty() || trimwell::Number_To_Text(
                               trimwell::Text_To_Number(written)) != written) {
      std::abort();
    }
  } else if (!trimwell::Number_To_Text(x).empty()) {
    std::abort();
  }
  return 0;
}
