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

}  // namespace orvo
