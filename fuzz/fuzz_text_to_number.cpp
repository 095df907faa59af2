// Any bytes typed into a field read as a finite number or an infinity, and
// every finite reading survives being written and read again. An empty
// aircraft weight reads as the same number, but never as 0.
//
// The texts agree with libstdc++'s <charconv>, which the web's C++ library
// lacks: a double's text from the same bytes, also one with few digits,
// where 15 digits often fall on a tie; the text, and its digits at a chosen
// exponent, read as a double where it is one plain number in range; the
// text read whole as a stored placement value.
//
// A blank of Unicode's put into the text changes nothing.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "model/decimal_reading.h"
#include "model/input_fields.h"
#include "model/number_text.h"

namespace {

void Check(bool holds) {
  if (!holds)
    std::abort();
}

// The same number, the same sign of zero; no NaN ever reaches here.
template <typename Float> bool Same(Float a, Float b) {
  return a == b && std::signbit(a) == std::signbit(b);
}

// What from_chars reads from the whole text, if that is a finite number.
template <typename Float> bool Read_Whole(std::string_view text, Float& x) {
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), x);
  return error == std::errc() && end == text.data() + text.size() &&
         std::isfinite(x);
}

void Check_Reading(std::string_view text) {
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
  double expected = 0;
  Check(!Read_Whole(text, expected) || Same(x, expected));
}

// %.15G as <charconv> writes it, with a blank for the plus sign and no 0
// before the point.
void Check_Writing(double x) {
  char buffer[32];
  char* const end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                  std::chars_format::general, 15)
                        .ptr;
  std::string expected(1, x < 0 ? '-' : ' ');
  expected.append(end - buffer > 1 && buffer[0] == '0' ? buffer + 1 : buffer,
                  end);
  std::replace(expected.begin(), expected.end(), 'e', 'E');
  Check(!std::isfinite(x) || trimwell::Number_To_Text(x) == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Check_Reading(text);
  float expected = 0, read = 0;
  const bool valid = Read_Whole(text, expected);
  Check(trimwell::decimal::Read_Whole_Float(text, read) == valid &&
        (!valid || Same(read, expected)));

  std::string digits;
  std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
               [](char c) { return c >= '0' && c <= '9'; });
  if (size >= 9) {
    std::int32_t whole = 0;
    double x = 0;
    std::memcpy(&whole, data, sizeof whole);
    std::memcpy(&x, data, sizeof x);
    Check_Writing(x);
    Check_Writing(std::ldexp(whole, -(data[4] % 64)));
    // Exponents from -345 to 334, past both ends of the doubles.
    Check_Reading("." + digits + 'e' +
                  std::to_string((data[5] | data[6] << 8) % 680 - 345));
    // A character that draws nothing, pasted before an ASCII character or
    // at the end, changes nothing: U+00A0, U+200B, U+E0021.
    const char* blanks[] = {"\xC2\xA0", "\xE2\x80\x8B", "\xF3\xA0\x80\xA1"};
    const std::size_t at = data[7] % (size + 1);
    std::string pasted(text);
    Check((at < size && data[at] >= 0x80) ||
          Same(trimwell::Text_To_Number(pasted.insert(at, blanks[data[8] % 3])),
               trimwell::Text_To_Number(text)));
  }
  return 0;
}
