// The editor's formatted text in the edit control: a rich text's
// paragraphs and runs as the blocks and character formats of a Qt text
// document, and back.
#pragma once

#include "core/output/rtf_text.h"

class QTextCursor;
class QTextCharFormat;
class QTextDocument;

namespace orvo::gui {

// The document holds exactly the text, each run in its format.
void SetRichDocument(QTextDocument* document, const RtfText& text);
// The document's blocks as paragraphs; neighbouring fragments of one
// format are one run.
RtfText RichFromDocument(const QTextDocument* document);
// The text inserted at the cursor: its first paragraph continues the
// cursor's block, each further one begins a new block.
void InsertRich(QTextCursor& cursor, const RtfText& text);

QTextCharFormat CharFormatOf(const RtfFormat& format);
RtfFormat RtfFormatOf(const QTextCharFormat& format);

}  // namespace orvo::gui
