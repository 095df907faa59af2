// Any bytes typed into a field read as a finite number or an infinity, and
// every finite reading survives being written and read again. An empty
// aircraft weight reads as the same number, but never as 0.
//
// Our own decimal conversions give exactly what libstdc++'s <charconv>
// gives: the same bytes seen as a double and a float, written at several
// precisions; decimals near and at the ties between two doubles or two
// floats, and the digits in the text, read in both precisions; the text read
// whole as a stored placement value.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

#include "model/decimal_conversion.h"
#include "model/input_fields.h"
#include "model/number_text.h"

namespace {

namespace decimal = trimwell::decimal;

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

void Check_Writing(double x, int precision) {
  if (!std::isfinite(x)) {
    return;
  }
  char buffer[400];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, x,
                                 std::chars_format::general, precision)
                       .ptr;
  Check(decimal::General_Text(x, precision) == std::string(buffer, end));
}

// digits x 10^exponent in one precision, against from_chars.
template <typename Float>
void Check_Reading(const std::string& digits, long long exponent) {
  const std::string text = digits + 'e' + std::to_string(exponent);
  Float expected = 0;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), expected);
  Check(result.ptr == text.data() + text.size());
  decimal::Reading<Float> read{};
  if constexpr (std::is_same_v<Float, double>) {
    read = decimal::To_Double(digits, exponent);
  } else {
    read = decimal::To_Float(digits, exponent);
  }
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone: tell overflow by the magnitude.
    const auto significant = digits.size() - digits.find_first_not_of('0');
    const bool above_1 = exponent + static_cast<long long>(significant) > 0;
    Check(read.Out_Of_Range &&
          read.Value == (above_1 ? std::numeric_limits<Float>::infinity() : 0));
  } else {
    Check(!read.Out_Of_Range && Same(read.Value, expected));
  }
}

void Check_Both_Readings(const std::string& digits, long long exponent) {
  Check_Reading<double>(digits, exponent);
  Check_Reading<float>(digits, exponent);
}

// Every digit of a value, which long double's 64 bits hold exactly for a
// double or a float and the tie above it: digits x 10^exponent.
void Exact_Decimal(long double value, std::string& digits,
                   long long& exponent) {
  constexpr int Precision = 800; // more than any of them has
  char buffer[Precision + 20];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::scientific, Precision)
                       .ptr;
  const char* const e = std::find(buffer, end, 'e');
  digits.assign(1, buffer[0]);
  digits.append(buffer + 2, static_cast<std::size_t>(e - buffer - 2));
  int power = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, power);
  exponent = power - Precision;
}

// A finite positive value and the tie between it and the next one up, and
// decimals just below and above that tie, chosen by the byte.
template <typename Float> void Check_Near_Tie(Float value, std::uint8_t byte) {
  value = std::fabs(value);
  if (!std::isfinite(value)) {
    return;
  }
  const long double next =
      value == std::numeric_limits<Float>::max()
          ? std::ldexp(1.0L, std::numeric_limits<Float>::max_exponent)
          : std::nextafter(value, std::numeric_limits<Float>::infinity());
  std::string digits;
  long long exponent = 0;
  Exact_Decimal(value, digits, exponent);
  Check_Both_Readings(digits, exponent);
  Exact_Decimal((value + next) / 2, digits, exponent);
  Check_Both_Readings(digits, exponent);
  const auto last = digits.find_last_not_of('0');
  const std::size_t below = 1 + byte % (last + 1);
  Check_Both_Readings(digits.substr(0, below),
                      exponent + static_cast<long long>(digits.size() - below));
  const std::size_t zeros = 4 * std::size_t{byte};
  Check_Both_Readings(digits + std::string(zeros, '0') + '1',
                      exponent - static_cast<long long>(zeros) - 1);
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
  Check(decimal::Read_Whole_Float(text, read) == valid);
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
    if (c >= '0' && c <= '9') {
      digits.push_back(c);
    }
  }
  if (size >= 2 && !digits.empty()) {
    // The first digit's decimal exponent from -345 to 334, past both ends.
    const long long leading = Bytes_As<std::uint16_t>(data) % 680 - 345;
    Check_Both_Readings(digits,
                        leading - static_cast<long long>(digits.size()));
  }

  if (size >= 9) {
    const auto x = Bytes_As<double>(data);
    Check_Writing(x, 15);
    Check_Writing(x, 1 + data[8] % 40);
    Check_Near_Tie(x, data[8]);
    Check_Near_Tie(Bytes_As<float>(data + 4), data[8]);
    // Values with few digits, where a digit count often falls on a tie.
    const double few =
        std::ldexp(Bytes_As<std::int32_t>(data), -(data[4] % 64));
    for (int precision = 1; precision <= 17; ++precision) {
      Check_Writing(few, precision);
    }
  }
  return 0;
}
