#include "core/output/rtf_text.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "core/office/document_writers.h"
#include "core/sys/encoding.h"

namespace orvo {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Destinations whose text is not part of the document.
bool SkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {
      "stylesheet", "info",     "pict",      "header",    "footer",        "headerl",
      "headerr",    "headerf",  "footerl",   "footerr",   "footerf",       "object",
      "listtable",  "listoverridetable",     "themedata", "latentstyles",  "datastore",
      "xmlnstbl",   "rsidtbl",  "generator", "filetbl",   "revtbl",        "field",
      "fldinst",    "bkmkstart", "bkmkend",  "footnote",  "annotation",    "shp",
      "nonshppict", "mmathPr",  "colorschememapping", "pgdsctbl"};
  for (std::string_view s : kSkipped) {
    if (word == s) return true;
  }
  return false;
}

enum class Destination { Text, FontTable, ColorTable, Skip };

struct GroupState {
  Destination destination = Destination::Text;
  int font = -1;  // -1: the document's default font
  int halfPoints = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int color = 0;  // index in the colour table; 0 the automatic colour
  int unicodeSkip = 1;

  void Plain() {
    font = -1;
    halfPoints = 24;
    bold = italic = underline = strike = false;
    color = 0;
  }
};

class Reader {
 public:
  explicit Reader(std::string_view rtf) : s_(rtf) {}

  RtfText Run() {
    stack_.emplace_back();
    while (i_ < s_.size()) Step();
    return std::move(text_);
  }

 private:
  GroupState& State() { return stack_.back(); }

  void Step() {
    const char c = s_[i_];
    if (c == '{') {
      ++i_;
      stack_.push_back(stack_.back());
      pendingSkip_ = 0;
      return;
    }
    if (c == '}') {
      ++i_;
      if (State().destination == Destination::FontTable) EndFontName();
      if (stack_.size() > 1) stack_.pop_back();
      pendingSkip_ = 0;
      return;
    }
    if (c == '\\') {
      ControlWord();
      return;
    }
    ++i_;
    if (c == '\r' || c == '\n') return;
    Byte(static_cast<unsigned char>(c));
  }

  void ControlWord() {
    ++i_;  // the backslash
    if (i_ >= s_.size()) return;
    const char c = s_[i_];
    if (!IsLetter(c)) {
      ++i_;
      if (c == '\\' || c == '{' || c == '}') {
        Byte(static_cast<unsigned char>(c));
      } else if (c == '\'') {
        const int hi = i_ < s_.size() ? HexValue(s_[i_]) : -1;
        const int lo = i_ + 1 < s_.size() ? HexValue(s_[i_ + 1]) : -1;
        if (hi >= 0 && lo >= 0) {
          Byte(static_cast<unsigned char>(hi * 16 + lo));
          i_ += 2;
        } else if (hi >= 0) {
          ++i_;  // a cut escape gives nothing
        }
      } else if (c == '~') {
        Byte(' ');
      } else if (c == '_') {
        Byte('-');
      } else if (c == '\r' || c == '\n') {
        Paragraph();
      } else if (c == '*') {
        State().destination = Destination::Skip;
      }
      return;
    }
    const size_t start = i_;
    while (i_ < s_.size() && IsLetter(s_[i_]) && i_ - start < 32) ++i_;
    const std::string_view word = s_.substr(start, i_ - start);
    bool hasNumber = false;
    long number = 0;
    if (i_ < s_.size() && (s_[i_] == '-' || IsDigit(s_[i_]))) {
      const size_t p = i_;
      ++i_;
      while (i_ < s_.size() && IsDigit(s_[i_]) && i_ - p < 10) ++i_;
      hasNumber = true;
      number = std::strtol(std::string(s_.substr(p, i_ - p)).c_str(), nullptr, 10);
    }
    if (i_ < s_.size() && s_[i_] == ' ') ++i_;
    Word(word, hasNumber, number);
  }

  void Word(std::string_view word, bool hasNumber, long number) {
    GroupState& st = State();
    const int n = static_cast<int>(std::clamp<long>(number, -1000000, 1000000));
    const bool on = !hasNumber || number != 0;
    if (word == "fonttbl") {
      st.destination = Destination::FontTable;
    } else if (word == "colortbl") {
      st.destination = Destination::ColorTable;
      colors_.clear();
      colorOpen_ = false;
    } else if (SkippedDestination(word)) {
      st.destination = Destination::Skip;
    } else if (st.destination == Destination::FontTable) {
      if (word == "f" && hasNumber) {
        EndFontName();
        tableFont_ = n;
        fontName_.clear();
      }
    } else if (st.destination == Destination::ColorTable) {
      if (word == "red" || word == "green" || word == "blue") {
        const int shift = word == "red" ? 0 : word == "green" ? 8 : 16;
        colorOpen_ = true;
        colorValue_ = (colorValue_ & ~(0xFF << shift)) | ((n & 0xFF) << shift);
      }
    } else if (word == "par" || word == "line" || word == "sect" || word == "page") {
      pendingSkip_ = 0;
      Paragraph();
    } else if (word == "tab") {
      Unicode("\t");
    } else if (word == "uc" && hasNumber) {
      st.unicodeSkip = std::clamp(n, 0, 8);
    } else if (word == "u" && hasNumber) {
      pendingSkip_ = 0;
      std::string one;
      // A 16-bit value, negative above 32767; anything else is damage, and
      // halves of a surrogate pair are not characters of their own.
      const long value = n < 0 ? n + 65536L : n;
      if (value <= 0 || value > 65535 || (value >= 0xD800 && value <= 0xDFFF)) {
        one = "?";
      } else {
        AppendUtf8(one, static_cast<char32_t>(value));
      }
      Unicode(one);
      pendingSkip_ = st.unicodeSkip;
    } else if (word == "emdash") {
      Unicode("\xe2\x80\x94");
    } else if (word == "endash") {
      Unicode("\xe2\x80\x93");
    } else if (word == "bullet") {
      Unicode("\xe2\x80\xa2");
    } else if (word == "lquote" || word == "rquote") {
      Unicode(word == "lquote" ? "\xe2\x80\x98" : "\xe2\x80\x99");
    } else if (word == "ldblquote" || word == "rdblquote") {
      Unicode(word == "ldblquote" ? "\xe2\x80\x9c" : "\xe2\x80\x9d");
    } else if (word == "deff" && hasNumber) {
      defaultFont_ = n;
    } else if (word == "plain") {
      st.Plain();
    } else if (word == "f" && hasNumber) {
      st.font = n;
    } else if (word == "fs" && hasNumber) {
      st.halfPoints = n > 0 ? std::min(n, 3276) : 24;
    } else if (word == "b") {
      st.bold = on;
    } else if (word == "i") {
      st.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash" ||
               word == "ulth" || word == "ulwave") {
      st.underline = on;
    } else if (word == "ulnone") {
      st.underline = false;
    } else if (word == "strike" || word == "striked") {
      st.strike = on;
    } else if (word == "cf" && hasNumber) {
      st.color = std::max(n, 0);
    }
  }

  // A byte of the document: Windows-1250 text, or a table's delimiter.
  void Byte(unsigned char byte) {
    GroupState& st = State();
    if (st.destination == Destination::Skip) return;
    if (st.destination == Destination::FontTable) {
      if (byte == ';') {
        EndFontName();
      } else {
        fontName_ += static_cast<char>(byte);
      }
      return;
    }
    if (st.destination == Destination::ColorTable) {
      if (byte == ';') {
        colors_.push_back(colorOpen_ ? colorValue_ : -1);
        colorOpen_ = false;
        colorValue_ = 0;
      }
      return;
    }
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    if (byte < 0x80) {
      Append(std::string(1, static_cast<char>(byte)));
    } else {
      Append(Cp1250ToUtf8(std::string(1, static_cast<char>(byte))));
    }
  }

  void Unicode(std::string_view utf8) {
    if (State().destination != Destination::Text) return;
    Append(utf8);
  }

  void EndFontName() {
    if (tableFont_ < 0) return;
    std::string name = fontName_;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    while (!name.empty() && name.front() == ' ') name.erase(name.begin());
    if (!name.empty()) fonts_.emplace(tableFont_, Cp1250ToUtf8(name));
    tableFont_ = -1;
    fontName_.clear();
  }

  RtfFormat Format() const {
    const GroupState& st = stack_.back();
    RtfFormat format;
    const auto font = fonts_.find(st.font >= 0 ? st.font : defaultFont_);
    if (font != fonts_.end()) format.font = font->second;
    format.halfPoints = st.halfPoints;
    format.bold = st.bold;
    format.italic = st.italic;
    format.underline = st.underline;
    format.strike = st.strike;
    if (st.color > 0 && static_cast<size_t>(st.color) < colors_.size()) format.color = colors_[static_cast<size_t>(st.color)];
    return format;
  }

  void Append(std::string_view utf8) {
    std::vector<RtfRun>& runs = text_.paragraphs.back().runs;
    RtfFormat format = Format();
    if (runs.empty() || !(runs.back().format == format)) {
      runs.push_back({std::string(utf8), std::move(format)});
    } else {
      runs.back().text += utf8;
    }
  }

  void Paragraph() {
    if (State().destination != Destination::Text) return;
    text_.paragraphs.emplace_back();
  }

  std::string_view s_;
  size_t i_ = 0;
  std::vector<GroupState> stack_;
  int pendingSkip_ = 0;  // stand-in characters still to drop after a "\u"
  int defaultFont_ = 0;
  std::map<int, std::string> fonts_;
  int tableFont_ = -1;
  std::string fontName_;
  std::vector<int32_t> colors_;
  bool colorOpen_ = false;
  int32_t colorValue_ = 0;
  RtfText text_;
};

void AppendFormat(std::string& out, const RtfFormat& f, const std::vector<std::string>& fonts,
                  const std::vector<int32_t>& colors) {
  const size_t font = static_cast<size_t>(std::find(fonts.begin(), fonts.end(), f.font) - fonts.begin());
  out += "\\plain\\f" + std::to_string(font) + "\\fs" + std::to_string(f.halfPoints);
  if (f.bold) out += "\\b";
  if (f.italic) out += "\\i";
  if (f.underline) out += "\\ul";
  if (f.strike) out += "\\strike";
  if (f.color >= 0) {
    out += "\\cf" + std::to_string(std::find(colors.begin(), colors.end(), f.color) - colors.begin() + 1);
  }
  out += ' ';
}

}  // namespace

std::string RtfParagraph::Text() const {
  std::string out;
  for (const RtfRun& run : runs) out += run.text;
  return out;
}

bool LooksLikeRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

RtfText ReadRtf(std::string_view rtf) { return Reader(rtf).Run(); }

std::string RtfEscapedUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 8);
  for (size_t i = 0; i < utf8.size();) {
    const char32_t cp = DecodeUtf8(utf8, i);
    const int byte = cp == kInvalidCodePoint ? '?' : Cp1250Byte(cp);
    if (byte >= 0) {
      out += RtfEscaped(std::string(1, static_cast<char>(byte)));
    } else if (cp > 0xFFFF) {
      out += "\\u63?";  // beyond one 16-bit value: a question mark
    } else {
      const long value = cp > 32767 ? static_cast<long>(cp) - 65536 : static_cast<long>(cp);
      out += "\\u" + std::to_string(value) + "?";
    }
  }
  return out;
}

std::string WriteRtf(const RtfText& text) {
  std::vector<std::string> fonts;
  std::vector<int32_t> colors;
  for (const RtfParagraph& p : text.paragraphs) {
    for (const RtfRun& run : p.runs) {
      if (std::find(fonts.begin(), fonts.end(), run.format.font) == fonts.end()) fonts.push_back(run.format.font);
      if (run.format.color >= 0 && std::find(colors.begin(), colors.end(), run.format.color) == colors.end()) {
        colors.push_back(run.format.color);
      }
    }
  }
  if (fonts.empty()) fonts.push_back(RtfFormat{}.font);
  std::string out = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl";
  for (size_t f = 0; f < fonts.size(); ++f) {
    out += "{\\f" + std::to_string(f) + "\\fnil\\fcharset238 " + RtfFontName(Utf8ToCp1250(fonts[f])) + ";}";
  }
  out += "}\r\n";
  if (!colors.empty()) {
    out += "{\\colortbl ;";
    for (int32_t c : colors) {
      out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
             std::to_string((c >> 16) & 0xFF) + ";";
    }
    out += "}\r\n";
  }
  out += "\\viewkind4\\uc1\\pard";
  for (size_t p = 0; p < text.paragraphs.size(); ++p) {
    if (p > 0) out += "\\par\r\n";
    for (const RtfRun& run : text.paragraphs[p].runs) {
      if (run.text.empty()) continue;
      AppendFormat(out, run.format, fonts, colors);
      // A line break inside a run is a paragraph mark on reading.
      size_t from = 0;
      for (size_t nl; (nl = run.text.find('\n', from)) != std::string::npos; from = nl + 1) {
        out += RtfEscapedUtf8(std::string_view(run.text).substr(from, nl - from)) + "\\line ";
      }
      out += RtfEscapedUtf8(std::string_view(run.text).substr(from));
    }
  }
  out += "}\r\n";
  return out;
}

std::string RtfPlain(const RtfText& text) {
  std::string out;
  size_t count = text.paragraphs.size();
  if (count > 1 && text.paragraphs.back().runs.empty()) --count;
  for (size_t p = 0; p < count; ++p) {
    if (p > 0) out += '\n';
    out += text.paragraphs[p].Text();
  }
  return out;
}

std::string RtfWindowsText(const RtfText& text) {
  std::string out;
  for (char c : Utf8ToCp1250(RtfPlain(text))) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

RtfText RtfFromPlain(std::string_view utf8, const RtfFormat& format) {
  RtfText text;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    if (c == '\n') {
      text.paragraphs.emplace_back();
      continue;
    }
    std::vector<RtfRun>& runs = text.paragraphs.back().runs;
    if (runs.empty()) runs.push_back({{}, format});
    runs.back().text += c;
  }
  return text;
}

}  // namespace orvo
