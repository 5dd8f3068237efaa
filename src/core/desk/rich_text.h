// The text of a rich-text (RTF) file as the editor shows it: paragraphs,
// line breaks, tabs and the Windows-1250 characters of \'xx escapes and
// \uN escapes; font tables, colour tables, style sheets, pictures and the
// other destinations are skipped. Formatting is not kept. Writing goes
// through the office port's RtfDocument.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

// True when the bytes begin like a rich-text file ("{\rtf").
bool LooksLikeRtf(std::string_view bytes);
// The Windows-1250 text of the rich text, lines ended by CR LF. Damaged
// input (unbalanced braces, cut escapes) gives what could be read.
std::string RtfPlainText(std::string_view rtf);

}  // namespace orvo
