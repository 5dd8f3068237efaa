#include "core/office/document_writers.h"

#include <cstdio>

#include "core/sys/text_lines.h"

namespace orvo {

namespace {

void AppendHexEscape(std::string& out, unsigned char c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\'%02x", c);
  out += buf;
}

}  // namespace

std::string RtfEscaped(std::string_view line) {
  std::string out;
  out.reserve(line.size() + 8);
  for (char ch : line) {
    const auto c = static_cast<unsigned char>(ch);
    if (ch == '\\' || ch == '{' || ch == '}') {
      out += '\\';
      out += ch;
    } else if (ch == '\t') {
      out += "\\tab ";
    } else if (c < 32) {
      out += ' ';
    } else if (c >= 128) {
      AppendHexEscape(out, c);
    } else {
      out += ch;
    }
  }
  return out;
}

// Font names go into the font table; the table's delimiters must not occur.
std::string RtfFontName(std::string_view name) {
  std::string out;
  for (char ch : name) {
    if (ch == ';' || ch == '{' || ch == '}' || ch == '\\') continue;
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 128) {
      AppendHexEscape(out, c);
    } else if (c >= 32) {
      out += ch;
    }
  }
  return out.empty() ? std::string("Courier New") : out;
}

namespace {

std::string HtmlEscaped(std::string_view line) {
  std::string out;
  for (char ch : line) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        out += static_cast<unsigned char>(ch) < 32 ? ' ' : ch;
    }
  }
  return out;
}

}  // namespace

std::string RtfDocument(std::string_view text, const FontChoice& font) {
  const Rgb rgb = RgbOf(font.color);
  std::string out =
      "{\\rtf1\\ansi\\ansicpg1250\\deff0\r\n"
      "{\\fonttbl{\\f0\\fmodern\\fcharset238 " + RtfFontName(font.name) + ";}}\r\n"
      "{\\colortbl;\\red" + std::to_string(rgb.red) + "\\green" + std::to_string(rgb.green) +
      "\\blue" + std::to_string(rgb.blue) + ";}\r\n"
      "\\viewkind4\\uc1\\pard\\plain\\f0\\fs" + std::to_string(2 * (font.size > 0 ? font.size : 8)) +
      "\\cf1";
  if (font.bold) out += "\\b";
  if (font.italic) out += "\\i";
  if (font.underline) out += "\\ul";
  if (font.strikeOut) out += "\\strike";
  out += "\r\n";
  const auto lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool last = i + 1 == lines.size();
    // A boundary line becomes a page break with the rest of its paragraph
    // on the new page, as a pasted form feed does in a word processor.
    out += IsPageBoundary(lines[i]) ? std::string("\\page ") : RtfEscaped(lines[i]);
    out += last ? "\r\n" : "\\par\r\n";
  }
  out += "}\r\n";
  return out;
}

std::string HtmlDocument(std::string_view text, const FontChoice& font, std::string_view title) {
  const Rgb rgb = RgbOf(font.color);
  char color[16];
  std::snprintf(color, sizeof color, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
  std::string style = "font-family:'" + HtmlEscaped(font.name) + "',monospace;font-size:" +
                      std::to_string(font.size) + "pt;color:" + color + ";margin:0";
  if (font.bold) style += ";font-weight:bold";
  if (font.italic) style += ";font-style:italic";
  if (font.underline || font.strikeOut) {
    style += ";text-decoration:";
    if (font.underline) style += " underline";
    if (font.strikeOut) style += " line-through";
  }
  std::string out =
      "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n"
      "<meta charset=\"windows-1250\">\r\n<title>" + HtmlEscaped(title) + "</title>\r\n"
      "</head>\r\n<body>\r\n<pre style=\"" + style + "\">";
  for (const auto& line : SplitLines(text)) {
    if (IsPageBoundary(line)) {
      out += "</pre>\r\n<pre style=\"" + style + ";page-break-before:always\">";
      continue;
    }
    out += HtmlEscaped(line);
    out += "\r\n";
  }
  out += "</pre>\r\n</body>\r\n</html>\r\n";
  return out;
}

std::string PlainTextDocument(std::string_view text) { return JoinLines(SplitLines(text)); }

}  // namespace orvo
