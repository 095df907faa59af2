#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <fmt/compile.h>

#include "model/decimal_reading.h"

namespace trimwell {

namespace {

bool Is_Skipped(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool Is_Digit(char c) {
  return c >= '0' && c <= '9';
}

// Walks a text the way the lenient reading sees it: skipped characters are
// invisible.
class Reader {
public:
  explicit Reader(std::string_view text) : text_(text) {}

  char Peek() {
    while (pos_ < text_.size() && Is_Skipped(text_[pos_])) {
      ++pos_;
    }
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Take() { ++pos_; }

private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

int Radix_Digit(char c, int radix) {
  int d = -1;
  if (Is_Digit(c)) {
    d = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    d = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    d = c - 'A' + 10;
  }
  return d < radix ? d : -1;
}

// &H and &O numbers: whole, never negative; long ones grow to infinity.
double Read_Radix(Reader& in, int radix) {
  double value = 0;
  for (int d = Radix_Digit(in.Peek(), radix); d >= 0;
       d = Radix_Digit(in.Peek(), radix)) {
    value = value * radix + d;
    in.Take();
  }
  return value;
}

// The decimal number, gathered without its blanks: its significant digits
// and where the first of them stands.
struct Decimal {
  bool negative = false;
  bool has_digits = false;
  std::string significant; // mantissa digits from the first non-zero one
  long long point_position =
      0; // decimal exponent of the first significant digit, plus 1
  long long exponent = 0;
};

constexpr long long Exponent_Cap = 1'000'000'000;

void Read_Mantissa(Reader& in, Decimal& d) {
  long long integer_digits = 0;
  long long leading_fraction_zeros = 0;
  bool after_point = false;
  for (char c = in.Peek();; c = in.Peek()) {
    if (Is_Digit(c)) {
      d.has_digits = true;
      if (c != '0' || !d.significant.empty()) {
        d.significant.push_back(c);
      } else if (after_point) {
        ++leading_fraction_zeros;
      }
      if (!after_point && !d.significant.empty()) {
        ++integer_digits;
      }
    } else if (c == '.' && !after_point) {
      after_point = true;
    } else {
      break;
    }
    in.Take();
  }
  d.point_position =
      integer_digits > 0 ? integer_digits : -leading_fraction_zeros;
}

void Read_Exponent(Reader& in, Decimal& d) {
  const char marker = in.Peek();
  if (marker != 'e' && marker != 'E' && marker != 'd' && marker != 'D') {
    return;
  }
  in.Take();
  bool negative = false;
  if (in.Peek() == '+' || in.Peek() == '-') {
    negative = in.Peek() == '-';
    in.Take();
  }
  long long value = 0;
  while (Is_Digit(in.Peek())) {
    value = std::min(Exponent_Cap, value * 10 + (in.Peek() - '0'));
    in.Take();
  }
  d.exponent = negative ? -value : value;
}

// Whether an overflowing text is still no larger than the 15-digit text of
// the largest double, which Number_To_Text writes for it.
bool At_Most_Written_Max(const Decimal& d) {
  constexpr std::string_view Max_Digits = "179769313486232";
  constexpr long long Max_Point_Position = 309;
  if (d.point_position + d.exponent != Max_Point_Position) {
    return false;
  }
  std::string_view digits = d.significant;
  while (!digits.empty() && digits.back() == '0') {
    digits.remove_suffix(1);
  }
  return digits.compare(Max_Digits) <= 0;
}

double Read_Decimal(Reader& in) {
  Decimal d;
  if (in.Peek() == '+' || in.Peek() == '-') {
    d.negative = in.Peek() == '-';
    in.Take();
  }
  Read_Mantissa(in, d);
  if (!d.has_digits) {
    return 0;
  }
  Read_Exponent(in, d);
  if (d.significant.empty()) {
    return d.negative ? -0.0 : 0.0;
  }
  double value =
      decimal::To_Double(d.significant, d.point_position + d.exponent);
  if (std::isinf(value) && At_Most_Written_Max(d)) {
    value = std::numeric_limits<double>::max();
  }
  return d.negative ? -value : value;
}

} // namespace

double Text_To_Number(std::string_view text) {
  Reader in(text);
  if (in.Peek() == '&') {
    in.Take();
    const char kind = in.Peek();
    if (kind == 'h' || kind == 'H') {
      in.Take();
      return Read_Radix(in, 16);
    }
    if (kind == 'o' || kind == 'O') {
      in.Take();
      return Read_Radix(in, 8);
    }
    return 0;
  }
  return Read_Decimal(in);
}

std::string Number_To_Text(double value) {
  if (!std::isfinite(value)) {
    return {};
  }
  // fmt's G is C's %G, rounded correctly (an exact tie to the even digit)
  // and in no locale; the format compiled in, so that only the writing of
  // a double comes along, not fmt's whole run-time formatter.
  std::string text = fmt::format(FMT_COMPILE(" {:.15G}"), std::fabs(value));
  if (value < 0) {
    text[0] = '-';
  }
  // "0.5" is written ".5"; the only 0 that stays alone is zero itself.
  if (text.size() > 2 && text[1] == '0') {
    text.erase(1, 1);
  }
  return text;
}

} // namespace trimwell
