#include "design/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace bellform {

namespace {

// The C white-space set, by hand so that no locale can widen it.
bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool starts_with(const char* text, const char* word) {
  for (; *word != '\0'; ++text, ++word) {
    if (*text != *word) return false;
  }
  return true;
}

struct Prefix {
  const char* begin = nullptr;  // first digit or the full stop
  const char* end = nullptr;    // one past the number, exponent included
  long magnitude = 0;           // decimal position of the leading digit
};

bool is_point(char c, bool comma) { return c == '.' || (comma && c == ','); }

// Digits with at most one decimal point (a full stop, or a comma where the
// comma reads as one), then an exponent only if it has digits. magnitude +
// exponent tells an overflow from an underflow when the conversion reports
// that the value is out of range.
bool scan_number(const char* p, bool comma, Prefix& out) {
  out.begin = p;
  long integer_digits = 0;
  long leading_zeros = 0;
  bool nonzero = false;
  for (; is_digit(*p); ++p) {
    nonzero = nonzero || *p != '0';
    if (nonzero) ++integer_digits;
  }
  bool any_digit = p != out.begin;
  if (is_point(*p, comma)) {
    for (++p; is_digit(*p); ++p) {
      any_digit = true;
      nonzero = nonzero || *p != '0';
      if (!nonzero) ++leading_zeros;
    }
  }
  if (!any_digit) return false;
  out.magnitude = integer_digits > 0 ? integer_digits : -leading_zeros;
  out.end = p;
  if (*p != 'e' && *p != 'E') return true;
  const char* q = p + 1;
  const bool negative = *q == '-';
  if (*q == '+' || *q == '-') ++q;
  if (!is_digit(*q)) return true;
  long exponent = 0;
  for (; is_digit(*q); ++q) {
    if (exponent < 100000) exponent = exponent * 10 + (*q - '0');
  }
  out.magnitude += negative ? -exponent : exponent;
  out.end = q;
  return true;
}

// The number's digits as from_chars reads them: a comma point becomes a
// full stop.
double convert(const Prefix& number) {
  using limits = std::numeric_limits<double>;
  std::string digits(number.begin, number.end);
  for (char& c : digits)
    if (c == ',') c = '.';
  double value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range)
    return number.magnitude > 0 ? limits::infinity() : 0.0;
  return result.ec == std::errc() ? value : 0.0;
}

}  // namespace

double to_number(const char* text, bool decimal_comma) {
  using limits = std::numeric_limits<double>;
  const char* p = text;
  while (is_blank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
    double word = 0;
    if (starts_with(p, "INF")) word = limits::infinity();
    if (starts_with(p, "NAN")) word = limits::quiet_NaN();
    if (word != 0) return negative ? -word : word;
  }
  Prefix number;
  if (!scan_number(p, decimal_comma, number)) return 0;
  const double value = convert(number);
  return negative ? -value : value;
}

bool read_whole_number(const char* text, bool decimal_comma, double& value) {
  const char* p = text;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  Prefix number;
  if (!scan_number(p, decimal_comma, number) || *number.end != '\0') return false;
  value = convert(number);
  if (negative) value = -value;
  return std::isfinite(value);
}

}  // namespace bellform
