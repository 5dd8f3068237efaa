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

// TextToInt keeps only digits and "-"; TextToReal first turns the first ","
// into "." and keeps only digits, "-" and ".". What is left is read as its
// longest leading number (an optional "-", digits, for reals one "." and
// more digits): "1-2" gives 1, "1.2.3" gives 1.2, "--" and "-" give 0, an
// empty text gives 0. A whole number beyond the 64-bit range gives the
// largest value of its sign.
int64_t TextToInt(std::string_view s);
// The number a text of digits stands for; 0 when any character is not a
// digit (an empty text included), as the system reads a malformed period.
int NumberOf(std::string_view digits);
double TextToReal(std::string_view s);
long double TextToRealExt(std::string_view s);

// The RealText services print the decimal comma, right-aligned in w (a
// longer text is never cut); the last shown decimal is rounded half up on
// the value's decimal digits. RealTextRounded first rounds with
// RoundValue(n, 5, x), drops decimals one by one while the text is wider
// than w, and gives w blanks when the result is below half a unit of the
// n-th decimal. RealTextPlain only drops decimals; RealTextBlank(Ext) gives
// w blanks when |x| is below half a unit of the n-th decimal.

std::string RealTextRounded(int w, int n, double x);
std::string RealTextPlain(int w, int n, double x);
std::string RealTextBlank(int w, int n, double x);
std::string RealTextBlankExt(int w, int n, long double x);

}  // namespace orvo
