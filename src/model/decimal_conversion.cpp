#include "model/decimal_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace trimwell::decimal {

namespace {

// A whole number >= 0 in base 2^32, least significant limb first, with no
// zero limb on top. Exact conversions need no more than a few thousand bits.
class Big {
public:
  explicit Big(std::uint64_t value) {
    for (; value != 0; value >>= 32) {
      limbs_.push_back(static_cast<std::uint32_t>(value));
    }
  }

  // this * factor + addend; factor > 0.
  void Multiply_Add(std::uint32_t factor, std::uint32_t addend = 0) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
      carry += std::uint64_t{limb} * factor;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) {
      limbs_.push_back(static_cast<std::uint32_t>(carry));
    }
  }

  void Multiply_By_Power_Of_5(long long count) {
    constexpr std::uint32_t Five_To_13 = 1220703125; // the largest in 32 bits
    for (; count >= 13; count -= 13) {
      Multiply_Add(Five_To_13);
    }
    std::uint32_t rest = 1;
    for (; count > 0; --count) {
      rest *= 5;
    }
    Multiply_Add(rest);
  }

  void Shift_Left(long long bits) {
    if (limbs_.empty()) {
      return;
    }
    const int offset = static_cast<int>(bits % 32);
    if (offset != 0) {
      std::uint32_t carry = 0;
      for (std::uint32_t& limb : limbs_) {
        const std::uint32_t out = limb >> (32 - offset);
        limb = (limb << offset) | carry;
        carry = out;
      }
      if (carry != 0) {
        limbs_.push_back(carry);
      }
    }
    limbs_.insert(limbs_.begin(), static_cast<std::size_t>(bits / 32), 0);
  }

  void Halve() {
    std::uint32_t carry = 0;
    for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
      const std::uint32_t out = *limb & 1;
      *limb = (*limb >> 1) | (carry << 31);
      carry = out;
    }
    Trim();
  }

  // this - other; other <= this.
  void Subtract(const Big& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t difference = std::int64_t{limbs_[i]} - borrow;
      if (i < other.limbs_.size()) {
        difference -= other.limbs_[i];
      }
      borrow = difference < 0 ? 1 : 0;
      limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    Trim();
  }

  // Divides in place; gives the remainder.
  std::uint32_t Divide(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
      remainder = (remainder << 32) | *limb;
      *limb = static_cast<std::uint32_t>(remainder / divisor);
      remainder %= divisor;
    }
    Trim();
    return static_cast<std::uint32_t>(remainder);
  }

  bool Is_Zero() const { return limbs_.empty(); }

  long long Bit_Length() const {
    if (limbs_.empty()) {
      return 0;
    }
    long long bits = 32 * static_cast<long long>(limbs_.size() - 1);
    for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) {
      ++bits;
    }
    return bits;
  }

  friend bool operator<(const Big& a, const Big& b) {
    if (a.limbs_.size() != b.limbs_.size()) {
      return a.limbs_.size() < b.limbs_.size();
    }
    return std::lexicographical_compare(a.limbs_.rbegin(), a.limbs_.rend(),
                                        b.limbs_.rbegin(), b.limbs_.rend());
  }

private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) {
      limbs_.pop_back();
    }
  }

  std::vector<std::uint32_t> limbs_;
};

// ---- Binary to decimal ----

// A positive value as significant digits, the first non-zero, and the
// decimal exponent of the first one.
struct Digits {
  std::string Text;
  int Exponent;
};

// Every digit of a positive finite value m x 2^e: those of the whole number
// m x 2^e when e >= 0, else those of m x 5^-e with the point -e places from
// the end, as m x 2^e = m x 5^-e / 10^-e.
Digits Exact_Digits(double value) {
  constexpr int Bits = std::numeric_limits<double>::digits;
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, Bits));
  exponent -= Bits;
  for (; mantissa % 2 == 0 && exponent < 0; mantissa /= 2) {
    ++exponent;
  }
  Big whole(mantissa);
  int point_shift = 0;
  if (exponent >= 0) {
    whole.Shift_Left(exponent);
  } else {
    whole.Multiply_By_Power_Of_5(-exponent);
    point_shift = -exponent;
  }

  std::string reversed; // least significant digit first
  while (!whole.Is_Zero()) {
    std::uint32_t chunk = whole.Divide(1'000'000'000);
    for (int i = 0; i < 9; ++i, chunk /= 10) {
      reversed.push_back(static_cast<char>('0' + chunk % 10));
    }
  }
  while (reversed.back() == '0') {
    reversed.pop_back();
  }
  return {std::string(reversed.rbegin(), reversed.rend()),
          static_cast<int>(reversed.size()) - 1 - point_shift};
}

// Rounds to at most `count` digits, an exact tie to even, and drops
// trailing zeros.
void Round(Digits& digits, int count) {
  std::string& text = digits.Text;
  const auto kept = static_cast<std::size_t>(count);
  if (text.size() > kept) {
    const char next = text[kept];
    const bool beyond_half =
        text.find_first_not_of('0', kept + 1) != std::string::npos;
    const bool odd = (text[kept - 1] - '0') % 2 == 1;
    text.resize(kept);
    if (next > '5' || (next == '5' && (beyond_half || odd))) {
      std::size_t i = kept;
      while (i > 0 && text[i - 1] == '9') {
        text[--i] = '0';
      }
      if (i == 0) {
        text.insert(text.begin(), '1'); // 9.99... became 10
        text.pop_back();
        ++digits.Exponent;
      } else {
        ++text[i - 1];
      }
    }
  }
  text.erase(text.find_last_not_of('0') + 1);
}

std::string Exponent_Text(int exponent) {
  std::string text(1, exponent < 0 ? '-' : '+');
  const int magnitude = std::abs(exponent);
  if (magnitude < 10) {
    text.push_back('0');
  }
  return text + std::to_string(magnitude);
}

// ---- Decimal to binary ----

// Digits past these only decide a rounding as "more than shown": no double
// or float, nor a tie between two of them, has more than 767 significant
// digits.
constexpr std::size_t Kept_Digits = 800;

// With more digits before the point than the first, every double and float
// overflows; with fewer than the second (counted negative for zeros after
// the point), it rounds to zero.
constexpr long long Overflow_Point = 310;
constexpr long long Underflow_Point = -330;

// Nine digits at a time: 10^9 is the largest power of ten in 32 bits.
Big Whole_Number(std::string_view digits) {
  Big whole(0);
  while (!digits.empty()) {
    const std::string_view chunk = digits.substr(0, 9);
    digits.remove_prefix(chunk.size());
    std::uint32_t factor = 1;
    std::uint32_t value = 0;
    for (char c : chunk) {
      factor *= 10;
      value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    whole.Multiply_Add(factor, value);
  }
  return whole;
}

// floor(dividend / divisor) for a quotient below 2^bits; dividend becomes
// the remainder.
std::uint64_t Divide(Big& dividend, Big divisor, int bits) {
  divisor.Shift_Left(bits - 1);
  std::uint64_t quotient = 0;
  for (int bit = bits - 1; bit >= 0; --bit, divisor.Halve()) {
    if (!(dividend < divisor)) {
      dividend.Subtract(divisor);
      quotient |= std::uint64_t{1} << bit;
    }
  }
  return quotient;
}

template <typename Float>
Reading<Float> To_Binary(std::string_view digits, long long exponent) {
  using Limits = std::numeric_limits<Float>;
  constexpr int Precision = Limits::digits;
  // The exponent of a unit in the last place: subnormals' and the largest.
  constexpr int Lowest_Ulp = Limits::min_exponent - Precision;
  constexpr int Highest_Ulp = Limits::max_exponent - Precision;
  constexpr Reading<Float> Overflow{Limits::infinity(), true};
  constexpr Reading<Float> Underflow{0, true};

  const auto first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) {
    return {0, false};
  }
  const auto last = digits.find_last_not_of('0');
  exponent += static_cast<long long>(digits.size() - last - 1);
  digits = digits.substr(first, last - first + 1);

  const auto count = static_cast<long long>(digits.size());
  if (count + exponent > Overflow_Point) {
    return Overflow;
  }
  if (count + exponent < Underflow_Point) {
    return Underflow;
  }
  std::string kept(digits);
  if (digits.size() > Kept_Digits) {
    // The dropped digits end in a non-zero one: a 1 in their place
    // rounds the same way.
    kept.resize(Kept_Digits);
    kept.push_back('1');
    exponent += count - static_cast<long long>(kept.size());
  }

  // The value is numerator / denominator x 2^exponent.
  Big numerator = Whole_Number(kept);
  Big denominator(1);
  if (exponent >= 0) {
    numerator.Multiply_By_Power_Of_5(exponent);
  } else {
    denominator.Multiply_By_Power_Of_5(-exponent);
  }
  // Scaled by 2^scale, the quotient has Precision + 2 or + 3 bits: a round
  // bit and at least one more below the kept ones.
  const long long scale =
      Precision + 2 - (numerator.Bit_Length() - denominator.Bit_Length());
  if (scale >= 0) {
    numerator.Shift_Left(scale);
  } else {
    denominator.Shift_Left(-scale);
  }
  const std::uint64_t quotient = Divide(numerator, denominator, Precision + 3);
  const bool inexact = !numerator.Is_Zero();

  int dropped = quotient >> (Precision + 2) != 0 ? 3 : 2;
  long long ulp = exponent - scale + dropped;
  if (ulp < Lowest_Ulp) {
    if (Lowest_Ulp - ulp > Precision + 1) {
      return Underflow; // even the round bit is gone
    }
    dropped += static_cast<int>(Lowest_Ulp - ulp);
    ulp = Lowest_Ulp;
  }
  std::uint64_t mantissa = quotient >> dropped;
  const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
  const std::uint64_t rest = quotient & ((half << 1) - 1);
  if (rest > half || (rest == half && (inexact || mantissa % 2 == 1))) {
    ++mantissa;
    if (mantissa >> Precision != 0) {
      mantissa >>= 1;
      ++ulp;
    }
  }
  if (ulp > Highest_Ulp) {
    return Overflow;
  }
  if (mantissa == 0) {
    return Underflow;
  }
  return {std::ldexp(static_cast<Float>(mantissa), static_cast<int>(ulp)),
          false};
}

bool Is_Digit(char c) {
  return c >= '0' && c <= '9';
}

} // namespace

std::string General_Text(double value, int precision) {
  std::string text = std::signbit(value) ? "-" : "";
  if (value == 0) {
    return text + '0';
  }
  precision = std::max(precision, 1);
  Digits digits = Exact_Digits(std::fabs(value));
  Round(digits, precision);
  const std::string& d = digits.Text;
  const int x = digits.Exponent;
  if (x < -4 || x >= precision) {
    text += d.substr(0, 1);
    if (d.size() > 1) {
      text += '.' + d.substr(1);
    }
    return text + 'e' + Exponent_Text(x);
  }
  if (x < 0) {
    return text + "0." + std::string(static_cast<std::size_t>(-x - 1), '0') + d;
  }
  const auto whole = static_cast<std::size_t>(x) + 1;
  if (d.size() <= whole) {
    return text + d + std::string(whole - d.size(), '0');
  }
  return text + d.substr(0, whole) + '.' + d.substr(whole);
}

Reading<double> To_Double(std::string_view digits, long long exponent) {
  return To_Binary<double>(digits, exponent);
}

Reading<float> To_Float(std::string_view digits, long long exponent) {
  return To_Binary<float>(digits, exponent);
}

bool Read_Whole_Float(std::string_view text, float& number) {
  constexpr long long Exponent_Cap = 1'000'000'000; // far beyond any range
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  i += negative ? 1 : 0;
  std::string digits;
  long long exponent = 0;
  bool any_digit = false;
  bool after_point = false;
  for (; i < text.size(); ++i) {
    if (Is_Digit(text[i])) {
      any_digit = true;
      digits.push_back(text[i]);
      exponent -= after_point ? 1 : 0;
    } else if (text[i] == '.' && !after_point) {
      after_point = true;
    } else {
      break;
    }
  }
  if (!any_digit) {
    return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    const bool negative_exponent = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
      ++i;
    }
    if (i == text.size()) {
      return false;
    }
    long long value = 0;
    for (; i < text.size() && Is_Digit(text[i]); ++i) {
      value = std::min(Exponent_Cap, value * 10 + (text[i] - '0'));
    }
    exponent += negative_exponent ? -value : value;
  }
  if (i != text.size()) {
    return false;
  }
  const Reading<float> read = To_Float(digits, exponent);
  if (read.Out_Of_Range) {
    return false;
  }
  number = negative ? -read.Value : read.Value;
  return true;
}

} // namespace trimwell::decimal
