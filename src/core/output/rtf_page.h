// The rich text of the framed report pages: the header that makes a font
// the document's default and ends with one empty paragraph, the writing of
// a page from its paragraphs, and the paragraphs read back through the
// rich-text reader. Paragraph texts are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/office/font_choice.h"
#include "core/output/rtf_text.h"

namespace orvo {

// The header lines, each ended by CR LF; the last holds "\viewkind" and
// ends the document's first (empty) paragraph.
std::string RtfPageHeader(const FontChoice& font);

// The texts of the paragraphs of a rich text (ReadRtf); the first is the
// one the header opens.
std::vector<std::string> RtfParagraphs(std::string_view rtf);

// A page of paragraphs as RtfParagraphs reads them back: the header
// (paragraph 0), the text of paragraph 1 when it has any, then one line
// "\par " + text for each further paragraph, the last closing the document.
std::string RtfPageFromParagraphs(const FontChoice& font, const std::vector<std::string>& paragraphs);

}  // namespace orvo
