// The rich text of the framed report pages: the header that makes a font
// the document's default and ends with one empty paragraph, the writing of
// a page from its paragraphs, and a reader for the subset these files use
// (font and colour tables, paragraphs, "\'xx" bytes of Windows-1250,
// "\uN?" characters, escaped "\\", "{" and "}"). Paragraph texts are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/office/font_choice.h"

namespace orvo {

// The header lines, each ended by CR LF; the last holds "\viewkind" and
// ends the document's first (empty) paragraph.
std::string RtfPageHeader(const FontChoice& font);

// A UTF-8 text inside rich text: ASCII as it is (with "\\", "{" and "}"
// escaped), characters of Windows-1250 as "\'xx", any other as "\uN?".
std::string RtfEscapedUtf8(std::string_view utf8);

// The paragraphs of a rich text; the first is the one the header opens.
// Groups of tables and destinations ("{\fonttbl", "{\colortbl",
// "{\stylesheet", "{\info", "{\*...") are skipped; unknown control words
// are ignored, never an error.
std::vector<std::string> RtfParagraphs(std::string_view rtf);

// A page of paragraphs as RtfParagraphs reads them back: the header
// (paragraph 0), the text of paragraph 1 when it has any, then one line
// "\par " + text for each further paragraph, the last closing the document.
std::string RtfPageFromParagraphs(const FontChoice& font, const std::vector<std::string>& paragraphs);

}  // namespace orvo
