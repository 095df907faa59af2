// Any bytes typed into a field read as a finite number or an infinity, and
// every finite reading survives being written and read again. An empty
// aircraft weight reads as the same number, but never as 0.
//
// The texts agree with libstdc++'s <charconv>, which the web's C++ library
// lacks: a double's text from the same bytes, also one with few digits,
// where 15 digits often fall on a tie; the digits in the text read at a
// chosen exponent; the text read whole as a stored placement value.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "model/decimal_reading.h"
#include "model/input_fields.h"
#include "model/number_text.h"

namespace {

void Check(bool holds) {
  if (!holds) {
    std::abort();
  }
}

// The same number, the same sign of zero; no NaN ever reaches here.
template <typename Float> bool Same(Float a, Float b) {
  return a == b && std::signbit(a) == std::signbit(b);
}

template <typename T> T Bytes_As(const std::uint8_t* data) {
  T value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

void Check_Reading_Round_Trip(std::string_view text) {
  const double x = trimwell::Text_To_Number(text);
  Check(!std::isnan(x));
  using trimwell::Input;
  Check(trimwell::Input_Number(Input::Empty_Aircraft_Weight, text) ==
            (x == 0 ? 1 : x) &&
        trimwell::Input_Number(Input::Pilot_Weight, text) == x);
  if (std::isfinite(x)) {
    const std::string written = trimwell::Number_To_Text(x);
    Check(!written.empty() && trimwell::Number_To_Text(trimwell::Text_To_Number(
                                  written)) == written);
  } else {
    Check(trimwell::Number_To_Text(x).empty());
  }
}

// %.15G as <charconv> writes it, with a blank for the plus sign and no 0
// before the point.
void Check_Writing(double x) {
  if (!std::isfinite(x)) {
    return;
  }
  char buffer[32];
  const char* const end =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                    std::chars_format::general, 15)
          .ptr;
  const char* const start =
      end - buffer > 1 && buffer[0] == '0' ? buffer + 1 : buffer;
  std::string expected(1, x < 0 ? '-' : ' ');
  expected.append(start, end);
  std::replace(expected.begin(), expected.end(), 'e', 'E');
  Check(trimwell::Number_To_Text(x) == expected);
}

// 0.digits x 10^point, the first digit not 0, against from_chars, which
// leaves the value alone out of range.
void Check_Reading(const std::string& digits, long long point) {
  const std::string text = "0." + digits + 'e' + std::to_string(point);
  double expected = 0;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), expected);
  Check(result.ptr == text.data() + text.size());
  if (result.ec == std::errc::result_out_of_range) {
    expected = point > 0 ? std::numeric_limits<double>::infinity() : 0;
  }
  Check(Same(trimwell::decimal::To_Double(digits, point), expected));
}

// The text read whole as a placement value, against from_chars.
void Check_Whole_Float(std::string_view text) {
  float expected = 0;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), expected);
  const bool valid = result.ec == std::errc() &&
                     result.ptr == text.data() + text.size() &&
                     std::isfinite(expected);
  float read = 0;
  Check(trimwell::decimal::Read_Whole_Float(text, read) == valid);
  Check(!valid || Same(read, expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Check_Reading_Round_Trip(text);
  Check_Whole_Float(text);

  std::string digits;
  for (char c : text) {
    if ((c >= '1' && c <= '9') || (c == '0' && !digits.empty())) {
      digits.push_back(c);
    }
  }
  if (size >= 2 && !digits.empty()) {
    // From -345 to 334, past both ends of the doubles.
    Check_Reading(digits, Bytes_As<std::uint16_t>(data) % 680 - 345);
  }

  if (size >= 9) {
    Check_Writing(Bytes_As<double>(data));
    Check_Writing(std::ldexp(Bytes_As<std::int32_t>(data), -(data[4] % 64)));
  }
  return 0;
}
