// Windows-1250 <-> UTF-8 for the edges of the program (the GUI, the
// terminal, host file names). Stored text is never re-encoded.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

std::string Cp1250ToUtf8(std::string_view s);
// Characters without a Windows-1250 form become '?'; invalid UTF-8 bytes too.
std::string Utf8ToCp1250(std::string_view s);
// Whether a UTF-8 text converts without loss.
bool Utf8FitsCp1250(std::string_view s);

inline constexpr char32_t kInvalidCodePoint = 0xFFFFFFFF;
// One code point (up to U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// The code point at s[pos], pos moved past it; a malformed sequence moves
// one byte and gives kInvalidCodePoint.
char32_t DecodeUtf8(std::string_view s, size_t& pos);
// The Windows-1250 byte of a code point, or -1 when it has none.
int Cp1250Byte(char32_t cp);

}  // namespace orvo
