#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include <fmt/compile.h>

#include "model/decimal_reading.h"

namespace trimwell {

namespace {

bool Is_Digit(char c) {
  return c >= '0' && c <= '9';
}

// Beyond blank, tab and line feed, Unicode's format characters (category
// Cf) and its spaces (Zs), as of Unicode 15, count as blanks. A format
// character draws nothing (zero-width space, joiners, soft hyphen, direction
// and isolate marks, word joiner, byte order mark, tags), or for the few that
// mark a number (U+0600...) a sign over the digits after it; a space draws a
// blank. Text copied from a PDF or a web page carries them: "1", U+200B,
// "850" shows as 1850 in the box and must read as 1850, not as 1.
struct Code_Range {
  char32_t First;
  char32_t Last;
};
constexpr Code_Range Unicode_Blanks[] = {
    {0x00A0, 0x00A0},   {0x00AD, 0x00AD},   {0x0600, 0x0605},
    {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x1680, 0x1680},
    {0x180E, 0x180E},   {0x2000, 0x200F},   {0x202A, 0x202F},
    {0x205F, 0x2064},   {0x2066, 0x206F},   {0x3000, 0x3000},
    {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
    {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F}};

// How many bytes at the front of `text` are one blank: a blank, tab or line
// feed, or the UTF-8 form of one of Unicode_Blanks (the shortest form only,
// as Qt writes it); 0 for anything else.
std::size_t Blank_Length(std::string_view text) {
  const auto byte = [text](std::size_t i) {
    return static_cast<unsigned char>(text[i]);
  };
  const unsigned char lead = byte(0);
  if (lead == ' ' || lead == '\t' || lead == '\n') {
    return 1;
  }
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0xC2 || lead > 0xF4 || text.size() < length) {
    return 0;
  }
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) {
      return 0;
    }
    code = code << 6 | (byte(i) & 0x3F);
  }
  constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool blank =
      code >= Least[length] &&
      std::any_of(
          std::begin(Unicode_Blanks), std::end(Unicode_Blanks),
          [code](Code_Range r) { return code >= r.First && code <= r.Last; });
  return blank ? length : 0;
}

// Walks a text the way the lenient reading sees it: blanks are invisible.
// Any other character that is not ASCII stops a number at its first byte.
class Reader {
public:
  explicit Reader(std::string_view text) : text_(text) {}

  char Peek() {
    std::size_t blank = 0;
    while (pos_ < text_.size() &&
           (blank = Blank_Length(text_.substr(pos_))) > 0) {
      pos_ += blank;
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
