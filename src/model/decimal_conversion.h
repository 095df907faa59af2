#pragma once

#include <string>
#include <string_view>

// Exact conversions between binary floating point and decimal text. They are
// ours rather than <charconv>'s because not every C++ library we build with
// converts floating point there, and a number's text must be the same on
// every system.
namespace trimwell::decimal {

// What std::to_chars(value, std::chars_format::general, precision) writes
// for a finite value and a precision of 1 or more: the value correctly
// rounded to `precision` significant digits, an exact tie to the even digit;
// plain when its decimal exponent X is -4 <= X < precision, else "d.ddde+XX"
// with at least two exponent digits; no trailing zeros, no lone point; "-"
// for a negative value, negative zero included.
std::string General_Text(double value, int precision);

// A decimal number read into binary: the nearest value, an exact tie to the
// even one. Out of range, as std::from_chars reports it, when the number
// overflows to infinity (the value then is infinity) or when digits that are
// not all zeros round to zero (the value then is zero).
template <typename Float> struct Reading {
  Float Value;
  bool Out_Of_Range;
};

// The number digits x 10^exponent; digits holds only '0' to '9', any count
// (none is zero).
Reading<double> To_Double(std::string_view digits, long long exponent);
Reading<float> To_Float(std::string_view digits, long long exponent);

// The whole text as one plain decimal number in single precision, the way
// std::from_chars reads it in its general format: an optional "-", digits
// with an optional "." among or after them (at least one digit), an optional
// exponent ("e" or "E", optional sign, digits). Gives false, leaving number
// alone, for any other text and for a number out of range.
bool Read_Whole_Float(std::string_view text, float& number);

} // namespace trimwell::decimal
