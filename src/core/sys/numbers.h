// Numbers as text: the decimal comma, right alignment in a width, blank for
// zero, rounding half up (or to halves), and reading numbers back from text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvo {

// Rounds |x| and restores the sign. n == 5: to halves. Otherwise to n
// decimals, adding a * 0.1 at the last place before truncating (a == 5 is
// half up). Works on the decimal value the user typed, not on its binary
// approximation.
double RoundValue(int n, int a, double x);

std::string IntText(int64_t v, int w);        // 0 gives w blanks
std::string IntTextZero(int64_t v, int w);    // 0 gives "0"
std::string IntTextPadded(int64_t v, int w);  // leading zeros

int64_t TextToInt(std::string_view s);
double TextToReal(std::string_view s);
long double TextToRealExt(std::string_view s);

std::string RealTextRounded(int w, int n, double x);
std::string RealTextPlain(int w, int n, double x);
std::string RealTextBlank(int w, int n, double x);
std::string RealTextBlankExt(int w, int n, long double x);

}  // namespace orvo
