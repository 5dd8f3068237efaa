// The built-in document writers of the office port: a report text in a
// font as rich text (RTF, Windows-1250 through \ansicpg1250 and \'xx
// escapes), as HTML and as plain text. The text is Windows-1250 with lines
// ended by CR LF (or LF); a line holding a form feed is a page break.
#pragma once

#include <string>
#include <string_view>

#include "core/office/font_choice.h"

namespace orvo {

std::string RtfDocument(std::string_view text, const FontChoice& font);
// A Windows-1250 text inside rich text: "\\", "{" and "}" escaped, bytes
// above 127 as "\'xx", a tab as "\tab ", other control characters blank.
std::string RtfEscaped(std::string_view line);
// A font name for a rich-text font table (its delimiters dropped).
std::string RtfFontName(std::string_view name);
std::string HtmlDocument(std::string_view text, const FontChoice& font, std::string_view title);
// The text as it is, every line ended by CR LF.
std::string PlainTextDocument(std::string_view text);

}  // namespace orvo
