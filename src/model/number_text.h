#pragma once

#include <string>
#include <string_view>

namespace trimwell {

// The text a field shows for a number: one blank where the sign would stand
// for 0 and above (negative zero included), "-" below 0; up to 15 significant
// digits, rounded to nearest; no trailing zeros, no point for whole values and
// no 0 before the point (" .5", "-.25"). Magnitudes that round to below 1E-04
// or to 1E+15 and above are written as mantissa, "E", sign and at least two
// exponent digits (" 1E+15", " 9.5E-05"; " .0001" stays plain). The separator
// is "." in every locale.
//
// A value that is not finite gives the empty text: a field never shows "inf"
// or "nan".
std::string Number_To_Text(double value);

// The lenient reading of a field's text, in UTF-8. Blanks, tabs and line
// feeds are skipped wherever they stand, and so are the characters that
// draw nothing or draw as a blank: Unicode's format characters and spaces
// (zero-width space, soft hyphen, direction marks, no-break spaces...).
// Then: an optional sign, digits, an optional "." with digits, and an
// optional exponent (E or D in either case, optional sign, digits). Reading
// stops at the first character that cannot continue the number. A text
// starting with &H or &O (either case) is a non-negative hexadecimal or
// octal whole number. No number at all reads as 0.
//
// Never fails: a number beyond the range of a double reads as the infinity
// of its sign, one too small for it as 0 of its sign. The one exception keeps
// Number_To_Text's output readable: texts between the largest double and its
// 15-digit rounding, 1.79769313486232E+308, read as the largest double.
double Text_To_Number(std::string_view text);

} // namespace trimwell
