#include "model/decimal_reading.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <fast_float/fast_float.h>

namespace trimwell::decimal {

namespace {

bool Is_Digit(char c) {
  return c >= '0' && c <= '9';
}

} // namespace

double To_Double(std::string_view digits, long long point) {
  // Beyond these every such number overflows or rounds to zero; within
  // them the exponent is short.
  constexpr long long Farthest_Point = 400;
  point = std::clamp(point, -Farthest_Point, Farthest_Point);
  std::string text;
  text.reserve(digits.size() + 8);
  text += '.';
  text += digits;
  text += 'e';
  text += std::to_string(point);
  double value = 0;
  fast_float::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

bool Read_Whole_Float(std::string_view text, float& number) {
  const char* const end = text.data() + text.size();
  // A number, not "inf" or "nan", which fast_float reads too.
  const std::size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
  if (first >= text.size() || !(Is_Digit(text[first]) || text[first] == '.')) {
    return false;
  }
  float value = 0;
  const auto read = fast_float::from_chars(text.data(), end, value);
  if (read.ec != std::errc() || read.ptr != end || std::isinf(value)) {
    return false;
  }
  // Zero from digits that are not all zeros has rounded to nothing.
  const std::string_view mantissa = text.substr(0, text.find_first_of("eE"));
  if (value == 0 &&
      mantissa.find_first_of("123456789") != std::string_view::npos) {
    return false;
  }
  number = value;
  return true;
}

} // namespace trimwell::decimal
