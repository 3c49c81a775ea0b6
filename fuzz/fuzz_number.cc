// The reading of typed numbers on arbitrary text. The text is copied into a
// buffer that ends at its terminator, so AddressSanitizer stops any read past
// it. The prefix the conversion should take is found here independently, and
// on it the result must agree with strtod in the C locale (the only locale
// the program runs in), which needs no hexadecimal or lower-case words then.
// In millimetres a comma reads as a full stop does; a whole number, as the
// command line takes it, reads as its prefix does.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "design/number.h"

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

const char* digits(const char* p) {
  while (is_digit(*p)) ++p;
  return p;
}

struct Expected {
  std::string prefix;  // sign and number; empty when the text holds none
  double word = 0;     // +-INF or +-NAN, when not 0
};

Expected expected_reading(const char* p) {
  while (is_blank(*p)) ++p;
  const char* start = p;
  if (*p == '+' || *p == '-') {
    const double sign = *p == '-' ? -1 : 1;
    if (std::strncmp(p + 1, "INF", 3) == 0) return {"", std::copysign(HUGE_VAL, sign)};
    if (std::strncmp(p + 1, "NAN", 3) == 0) return {"", std::copysign(NAN, sign)};
    ++p;
  }
  const char* int_end = digits(p);
  const char* end = int_end;
  if (*end == '.') end = digits(end + 1);
  if (int_end == p && end <= int_end + 1) return {};  // no digit at all
  if (*end == 'e' || *end == 'E') {
    const char* q = end + 1;
    if (*q == '+' || *q == '-') ++q;
    if (is_digit(*q)) end = digits(q);
  }
  return {std::string(start, end), 0};
}

bool same(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) {
    return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
  }
  return a == b && std::signbit(a) == std::signbit(b);
}

void fail(const char* text, double got, double want) {
  std::fprintf(stderr, "to_number(\"%s\") = %.17g, expected %.17g\n", text, got,
               want);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t length = strnlen(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<char[]> text(new char[length + 1]);
  std::memcpy(text.get(), data, length);
  text[length] = '\0';

  const double got = bellform::to_number(text.get());
  std::string stops(text.get());
  for (char& c : stops)
    if (c == ',') c = '.';
  const double with_comma = bellform::to_number(text.get(), true);
  if (!same(with_comma, bellform::to_number(stops.c_str()))) fail(text.get(), with_comma, got);
  double whole = 0;
  if (bellform::read_whole_number(text.get(), true, whole) &&
      (!std::isfinite(whole) || !same(whole, with_comma)))
    fail(text.get(), whole, with_comma);
  const Expected want = expected_reading(text.get());
  if (want.word != 0) {
    if (!same(got, want.word)) fail(text.get(), got, want.word);
    return 0;
  }
  if (want.prefix.empty()) {
    if (!same(got, 0.0)) fail(text.get(), got, 0.0);
    return 0;
  }
  errno = 0;
  const double reference = std::strtod(want.prefix.c_str(), nullptr);
  const bool underflow = errno == ERANGE && std::fabs(reference) <= DBL_MIN;
  // Below the smallest normal double the conversion may give the subnormal
  // value or zero; either way the sign stays.
  if (same(got, reference)) return 0;
  if (underflow && got == 0 && std::signbit(got) == std::signbit(reference)) {
    return 0;
  }
  fail(text.get(), got, reference);
  return 0;
}
