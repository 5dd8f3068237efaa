// Text services on 8-bit Windows-1250 strings: blanks, padding, trimming,
// Czech upper-casing and the conversion between the Windows code page and
// the two DOS code pages (852 and Kamenicky).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvo {

// 15 (lower, upper) pairs in Windows-1250, searched in this order.
extern const std::array<std::array<uint8_t, 2>, 15> CzechUpperTable;
// 95 rows: Windows-1250, DOS 852, Kamenicky.
extern const std::array<std::array<uint8_t, 3>, 95> CodePageTable;

bool AllBlanks(std::string_view s);
std::string Blanks(int n);
std::string RemoveBlanks(std::string_view s);
std::string ShortenBlankRuns(std::string_view s, int n);
std::string TrimRight(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string Trim(std::string_view s);
std::string PadRight(std::string_view s, int n);
std::string PadLeft(std::string_view s, int n);
std::string RemoveChar(char c, std::string_view s);
std::string PadRightWith(char c, std::string_view s, int n);
std::string PadLeftWith(char c, std::string_view s, int n);
std::string BlanksToZeros(std::string_view s);

// Bytes of CzechUpperTable to their partner, a-z to A-Z, the rest unchanged.
std::string UpperCz(std::string_view s);
// A file name as messages show it: in double quotes, its first byte
// through UpperCz ("Soubor:\r\r" + QuotedName(name) + ...).
std::string QuotedName(std::string_view name);
// Column numbers 1 (Windows-1250), 2 (852), 3 (Kamenicky); 0 leaves s as is.
std::string ConvertChars(std::string_view s, int from, int to);
// True when every character is a digit or one of c1, c2, c3 ('\0' = none).
bool IsDigits(std::string_view s, char c1 = '\0', char c2 = '\0', char c3 = '\0');

}  // namespace orvo
