#include "core/output/rtf_page.h"

#include "core/office/document_writers.h"

namespace orvo {

std::string RtfPageHeader(const FontChoice& font) {
  const Rgb rgb = RgbOf(font.color);
  std::string out = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset238 " +
                    RtfFontName(font.name) + ";}}\r\n";
  out += "{\\colortbl ;\\red" + std::to_string(rgb.red) + "\\green" + std::to_string(rgb.green) +
         "\\blue" + std::to_string(rgb.blue) + ";}\r\n";
  out += "\\viewkind4\\uc1\\pard\\cf1";
  if (font.bold) out += "\\b";
  if (font.italic) out += "\\i";
  if (font.underline) out += "\\ul";
  if (font.strikeOut) out += "\\strike";
  out += "\\f0\\fs" + std::to_string(2 * (font.size > 0 ? font.size : 8)) + "\\par\r\n";
  return out;
}

std::vector<std::string> RtfParagraphs(std::string_view rtf) {
  const RtfText text = ReadRtf(rtf);
  std::vector<std::string> out;
  out.reserve(text.paragraphs.size());
  for (const RtfParagraph& p : text.paragraphs) out.push_back(p.Text());
  return out;
}

std::string RtfPageFromParagraphs(const FontChoice& font, const std::vector<std::string>& paragraphs) {
  std::string out = RtfPageHeader(font);
  if (paragraphs.size() > 1 && !paragraphs[1].empty()) out += RtfEscapedUtf8(paragraphs[1]) + "\r\n";
  for (size_t i = 2; i < paragraphs.size(); ++i) {
    out += "\\par " + RtfEscapedUtf8(paragraphs[i]);
    if (i + 1 == paragraphs.size()) out += "}";
    out += "\r\n";
  }
  if (paragraphs.size() <= 2) out += "}\r\n";
  return out;
}

}  // namespace orvo
