#include "core/sys/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/sys/text.h"

namespace orvo {

namespace {

// A double read back as the decimal a user would have typed: 15 significant
// digits, value = mantissa * 10^exponent. Fifteen digits is what a double
// holds faithfully, so 2.675 reads as 2675 * 10^-3 and not as the binary
// 2.67499999999999982236431605997495353221893310546875 it is stored as.
struct Decimal {
  int64_t mantissa = 0;
  int exponent = 0;
};

constexpr int kSignificantDigits = 15;

Decimal ToDecimal(double ax) {
  std::array<char, 64> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), ax,
                                 std::chars_format::scientific, kSignificantDigits - 1);
  Decimal d;
  if (ec != std::errc()) return d;
  const char* p = buffer.data();
  for (; p != end && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') d.mantissa = d.mantissa * 10 + (*p - '0');
  }
  int exponent10 = 0;
  if (p != end) {
    ++p;
    if (p != end && *p == '+') ++p;
    std::from_chars(p, end, exponent10);
  }
  d.exponent = exponent10 - (kSignificantDigits - 1);
  return d;
}

int64_t Pow10(int n) {
  int64_t v = 1;
  for (int i = 0; i < n; ++i) v *= 10;
  return v;
}

// units * 10^-decimals as the nearest double.
double FromDecimal(int64_t units, int decimals) {
  std::array<char, 64> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), units);
  if (ec != std::errc()) return 0.0;
  *end++ = 'e';
  *end++ = '-';
  auto [end2, ec2] = std::to_chars(end, buffer.data() + buffer.size(), decimals);
  if (ec2 != std::errc()) return 0.0;
  double v = 0.0;
  std::from_chars(buffer.data(), end2, v);
  return v;
}

double Typed(double ax) {
  Decimal d = ToDecimal(ax);
  if (d.exponent >= 0) return ax;
  return FromDecimal(d.mantissa, -d.exponent);
}

// trunc(ax * 10^n + a / 10) / 10^n, computed on the decimal digits of ax.
// ax > 0 and finite, n >= 0, a >= 0.
double RoundDecimal(int n, int a, double ax) {
  const int carry = a / 10;  // whole units a adds at the last place
  const int tenths = a % 10;
  Decimal d = ToDecimal(ax);
  const int shift = d.exponent + n + 1;  // ax * 10^(n+1) = mantissa * 10^shift
  if (shift >= 0) {
    // No digit beyond the n-th decimal: nothing to cut off.
    return carry == 0 ? ax : ax + static_cast<double>(carry) / std::pow(10.0, n);
  }
  const int scale = -shift;
  int64_t units = carry;
  // With more than 17 places to cut, the mantissa (below 10^15) is less
  // than a tenth of the last place and cannot carry.
  if (scale <= 17) units += (d.mantissa + tenths * Pow10(scale)) / Pow10(scale + 1);
  return FromDecimal(units, n);
}

double RoundToHalves(double ax) {
  double typed = Typed(ax);
  double whole = std::floor(typed);
  double fraction = typed - whole;
  if (fraction < 0.25) return whole;
  if (fraction < 0.75) return whole + 0.5;
  return whole + 1.0;
}

// Fixed notation with n decimals, the decimal comma, right-aligned in w.
// The last decimal is rounded half up on the value's decimal digits, so a
// report shows the same amount the user typed.
std::string FormatFixed(int w, int n, double x) {
  n = std::clamp(n, 0, 30);
  double shown = x;
  if (std::isfinite(x) && x != 0.0) {
    shown = RoundDecimal(n, 5, std::fabs(x));
    if (shown != 0.0 && x < 0) shown = -shown;
  }
  std::array<char, 400> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), shown,
                                 std::chars_format::fixed, n);
  std::string text = ec == std::errc() ? std::string(buffer.data(), end) : std::string();
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return PadLeft(text, w);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest leading part of a cleaned text that is a number: an optional
// "-", digits and, when allowed, "." and more digits.
std::string_view LeadingNumber(std::string_view s, bool allowPoint) {
  size_t i = 0;
  if (i < s.size() && s[i] == '-') ++i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  if (allowPoint && i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
  }
  return s.substr(0, i);
}

std::string CleanReal(std::string_view s) {
  std::string text(s);
  size_t comma = text.find(',');
  if (comma != std::string::npos) text[comma] = '.';
  std::string clean;
  for (char c : text) {
    if (IsDigit(c) || c == '-' || c == '.') clean += c;
  }
  return clean;
}

template <typename Real>
Real ParseReal(std::string_view s) {
  std::string clean = CleanReal(s);
  std::string_view number = LeadingNumber(clean, true);
  bool negative = !number.empty() && number.front() == '-';
  if (negative) number.remove_prefix(1);
  // from_chars needs a digit on at least one side of the point.
  bool hasDigit = false;
  for (char c : number) hasDigit = hasDigit || IsDigit(c);
  if (!hasDigit) return 0;
  std::string text(number);
  if (text.front() == '.') text.insert(text.begin(), '0');
  Real v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
  (void)end;
  if (ec != std::errc()) return 0;
  return negative ? -v : v;
}

}  // namespace

double RoundValue(int n, int a, double x) {
  if (!std::isfinite(x) || x == 0.0) return x;
  const double ax = std::fabs(x);
  double r = 0.0;
  if (n == 5) {
    r = RoundToHalves(ax);
  } else if (a >= 0) {
    r = RoundDecimal(std::max(n, 0), a, ax);
  } else {
    // A negative addend is no rounding rule anyone uses; follow the
    // multiply-and-truncate recipe literally.
    long double y = ax;
    for (int i = 0; i < n; ++i) y *= 10;
    y = std::trunc(y + a * 0.1L);
    for (int i = 0; i < n; ++i) y *= 0.1L;
    r = static_cast<double>(y);
  }
  if (r == 0.0) return 0.0;  // no "-0" from rounding a small negative away
  return x < 0 ? -r : r;
}

std::string IntText(int64_t v, int w) {
  if (v == 0) return Blanks(w);
  return PadLeft(std::to_string(v), w);
}

std::string IntTextZero(int64_t v, int w) { return PadLeft(std::to_string(v), w); }

std::string IntTextPadded(int64_t v, int w) {
  // The zeros go between the sign and the digits: -7 in 3 is "-07", not "0-7".
  if (v < 0) {
    std::string digits = std::to_string(v).substr(1);
    return "-" + PadLeftWith('0', digits, w - 1);
  }
  return BlanksToZeros(IntText(v, w));
}

int64_t TextToInt(std::string_view s) {
  std::string clean;
  for (char c : s) {
    if (IsDigit(c) || c == '-') clean += c;
  }
  std::string_view number = LeadingNumber(clean, false);
  bool negative = !number.empty() && number.front() == '-';
  if (negative) number.remove_prefix(1);
  int64_t v = 0;
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  for (char c : number) {
    int digit = c - '0';
    if (v > (kMax - digit) / 10) return negative ? -kMax : kMax;
    v = v * 10 + digit;
  }
  return negative ? -v : v;
}

double TextToReal(std::string_view s) { return ParseReal<double>(s); }

long double TextToRealExt(std::string_view s) { return ParseReal<long double>(s); }

std::string RealTextRounded(int w, int n, double x) {
  const int requested = n;
  double value = RoundValue(n, 5, x);
  std::string text = FormatFixed(w, n, value);
  while (static_cast<int>(text.size()) > w && n > 0) {
    --n;
    value = RoundValue(n, 5, value);
    text = FormatFixed(w, n, value);
  }
  if (std::fabs(value) < 0.5 * std::pow(10.0, -requested)) return Blanks(w);
  return text;
}

std::string RealTextPlain(int w, int n, double x) {
  std::string text = FormatFixed(w, n, x);
  while (static_cast<int>(text.size()) > w && n > 0) {
    --n;
    text = FormatFixed(w, n, x);
  }
  return text;
}

std::string RealTextBlank(int w, int n, double x) {
  if (std::fabs(x) < 0.5 * std::pow(10.0, -n)) return Blanks(w);
  return RealTextPlain(w, n, x);
}

std::string RealTextBlankExt(int w, int n, long double x) {
  if (std::fabs(x) < 0.5L * std::pow(10.0L, -n)) return Blanks(w);
  return RealTextPlain(w, n, static_cast<double>(x));
}

int NumberOf(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace orvo
