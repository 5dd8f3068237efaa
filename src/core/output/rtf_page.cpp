#include "core/output/rtf_page.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/office/document_writers.h"
#include "core/sys/encoding.h"

namespace orvo {

namespace {

// The byte length of the UTF-8 sequence that starts with `c` (1 for a
// stray continuation byte, so that damaged text still advances).
size_t Utf8Length(unsigned char c) {
  if (c >= 0xF0) return 4;
  if (c >= 0xE0) return 3;
  if (c >= 0xC0) return 2;
  return 1;
}

uint32_t DecodeUtf8(std::string_view s) {
  const auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[i])); };
  switch (s.size()) {
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    case 4: return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    default: return b(0);
  }
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Reader {
 public:
  explicit Reader(std::string_view rtf) : s_(rtf) {}

  std::vector<std::string> Run() {
    paragraphs_.emplace_back();
    while (i_ < s_.size()) Step();
    return std::move(paragraphs_);
  }

 private:
  void Step() {
    const char c = s_[i_];
    if (c == '{') {
      ++i_;
      if (SkippedGroup()) SkipGroup();
      return;
    }
    if (c == '}') {
      ++i_;
      return;
    }
    if (c == '\\') {
      ControlWord();
      return;
    }
    ++i_;
    if (c == '\r' || c == '\n') return;
    Text(static_cast<unsigned char>(c));
  }

  // Just after "{": a group of tables or of an ignorable destination.
  bool SkippedGroup() const {
    static constexpr std::string_view kSkipped[] = {"\\fonttbl", "\\colortbl", "\\stylesheet",
                                                    "\\info", "\\*"};
    for (std::string_view word : kSkipped) {
      if (s_.substr(i_, word.size()) == word) return true;
    }
    return false;
  }

  void SkipGroup() {
    int depth = 1;
    while (i_ < s_.size() && depth > 0) {
      const char c = s_[i_++];
      if (c == '\\') {
        ++i_;  // an escaped brace does not count
      } else if (c == '{') {
        ++depth;
      } else if (c == '}') {
        --depth;
      }
    }
  }

  void ControlWord() {
    ++i_;  // the backslash
    if (i_ >= s_.size()) return;
    const char c = s_[i_];
    if (!IsLetter(c)) {
      ++i_;
      if (c == '\\' || c == '{' || c == '}') {
        Text(static_cast<unsigned char>(c));
      } else if (c == '\'') {
        if (i_ + 1 < s_.size() && HexValue(s_[i_]) >= 0 && HexValue(s_[i_ + 1]) >= 0) {
          Text(static_cast<unsigned char>(HexValue(s_[i_]) * 16 + HexValue(s_[i_ + 1])));
          i_ += 2;
        }
      } else if (c == '~') {
        Text(' ');
      }
      return;
    }
    const size_t start = i_;
    while (i_ < s_.size() && IsLetter(s_[i_])) ++i_;
    const std::string_view word = s_.substr(start, i_ - start);
    bool hasNumber = false;
    long number = 0;
    const size_t numberStart = i_;
    if (i_ < s_.size() && (s_[i_] == '-' || IsDigit(s_[i_]))) {
      ++i_;
      while (i_ < s_.size() && IsDigit(s_[i_]) && i_ - numberStart < 10) ++i_;
      hasNumber = true;
      number = std::strtol(std::string(s_.substr(numberStart, i_ - numberStart)).c_str(), nullptr, 10);
    }
    if (i_ < s_.size() && s_[i_] == ' ') ++i_;
    if (word == "par" || word == "line") {
      paragraphs_.emplace_back();
    } else if (word == "tab") {
      paragraphs_.back() += '\t';
    } else if (word == "uc" && hasNumber) {
      skip_ = number < 0 ? 0 : static_cast<int>(number);
    } else if (word == "u" && hasNumber) {
      AppendUtf8(paragraphs_.back(), static_cast<uint32_t>(number < 0 ? number + 65536 : number));
      SkipFallback();
    }
  }

  // The characters that stand in for a "\u" character in older readers.
  void SkipFallback() {
    for (int n = 0; n < skip_ && i_ < s_.size(); ++n) {
      if (s_[i_] == '\\' && i_ + 1 < s_.size() && s_[i_ + 1] == '\'') {
        i_ += 4;
      } else if (s_[i_] == '\\' || s_[i_] == '{' || s_[i_] == '}') {
        return;
      } else {
        ++i_;
      }
    }
  }

  void Text(unsigned char byte) {
    if (byte < 0x80) {
      paragraphs_.back() += static_cast<char>(byte);
    } else {
      paragraphs_.back() += Cp1250ToUtf8(std::string(1, static_cast<char>(byte)));
    }
  }

  std::string_view s_;
  size_t i_ = 0;
  int skip_ = 1;
  std::vector<std::string> paragraphs_;
};

}  // namespace

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

std::string RtfEscapedUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 8);
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const size_t n = std::min(Utf8Length(c), utf8.size() - i);
    const std::string_view one = utf8.substr(i, n);
    i += n;
    if (c < 0x80) {
      out += RtfEscaped(one);
    } else if (Utf8FitsCp1250(one)) {
      out += RtfEscaped(Utf8ToCp1250(one));
    } else {
      uint32_t cp = DecodeUtf8(one);
      if (cp > 0xFFFF) cp = '?';
      const long signedCp = cp > 32767 ? static_cast<long>(cp) - 65536 : static_cast<long>(cp);
      out += "\\u" + std::to_string(signedCp) + "?";
    }
  }
  return out;
}

std::vector<std::string> RtfParagraphs(std::string_view rtf) { return Reader(rtf).Run(); }

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
