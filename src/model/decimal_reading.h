#pragma once

#include <string_view>

// Decimal text read into binary through fast_float, which gives the nearest
// value (an exact tie to the even one) with every compiler and C++ library
// the program is built with; <charconv> cannot read floating point in every
// one of them. What fast_float does not do is done here: it takes "inf"
// and "nan" for numbers and, in the version Debian 12 has, does not say
// when a number is out of range.
namespace trimwell::decimal {

// The number 0.digits x 10^point, digits holding only '0' to '9' with the
// first not '0'; infinity when it overflows, 0 when it rounds to nothing.
double To_Double(std::string_view digits, long long point);

// The whole text as one plain decimal number in single precision, the way
// std::from_chars reads it in its general format: an optional "-", digits
// with an optional "." among or after them (at least one digit), an optional
// exponent ("e" or "E", optional sign, digits). Gives false, leaving number
// alone, for any other text and for a number out of range.
bool Read_Whole_Float(std::string_view text, float& number);

} // namespace trimwell::decimal
