// The formatted text of a rich-text (RTF) file as the system reads and
// writes it: paragraphs of runs, each run with its character format (font,
// size, bold, italic, underline, strike-through, colour). One reader serves
// the framed report pages, the text editor, its help documents and the
// conversions; tables, style sheets, pictures, headers and the other
// destinations are skipped, unknown control words ignored, and damaged
// input gives what could be read, never an error. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

struct RtfFormat {
  std::string font = "Courier New";  // UTF-8
  int halfPoints = 20;               // "\fs": the size in half points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int32_t color = -1;  // 0x00BBGGRR; -1 the automatic colour

  bool operator==(const RtfFormat&) const = default;
};

struct RtfRun {
  std::string text;
  RtfFormat format;

  bool operator==(const RtfRun&) const = default;
};

struct RtfParagraph {
  std::vector<RtfRun> runs;  // an empty paragraph has none

  std::string Text() const;
  bool operator==(const RtfParagraph&) const = default;
};

struct RtfText {
  // The first paragraph is the text before the first paragraph mark; there
  // is always at least one.
  std::vector<RtfParagraph> paragraphs{1};

  bool operator==(const RtfText&) const = default;
};

// True when the bytes begin like a rich-text file ("{\rtf").
bool LooksLikeRtf(std::string_view bytes);

RtfText ReadRtf(std::string_view rtf);

// A rich-text file of the text: its fonts and colours in the tables, each
// run's format written where it changes, the paragraphs ended by "\par"
// and CR LF. ReadRtf gives the same paragraphs and runs back.
std::string WriteRtf(const RtfText& text);

// The text as an edit control shows it: paragraphs joined by "\n"; a
// closing paragraph mark leaves no empty last line.
std::string RtfPlain(const RtfText& text);
// The same as Windows-1250 text with CR LF lines (what a plain text file
// or a conversion gets).
std::string RtfWindowsText(const RtfText& text);
// A text of lines ("\n" or CR LF) in one format.
RtfText RtfFromPlain(std::string_view utf8, const RtfFormat& format);

// A UTF-8 text inside rich text: ASCII as it is (with "\\", "{" and "}"
// escaped), characters of Windows-1250 as "\'xx", any other as "\uN?".
std::string RtfEscapedUtf8(std::string_view utf8);

}  // namespace orvo
