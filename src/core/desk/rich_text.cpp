#include "core/desk/rich_text.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/sys/encoding.h"

namespace orvo {

namespace {

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool SkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {
      "fonttbl", "colortbl", "stylesheet", "info",    "pict",   "header",     "footer",
      "headerl", "headerr",  "footerl",    "footerr", "object", "listtable", "listoverridetable",
      "themedata", "latentstyles", "datastore", "xmlnstbl", "rsidtbl", "generator"};
  for (std::string_view s : kSkipped) {
    if (word == s) return true;
  }
  return false;
}

// A Unicode code point as Windows-1250 ('?' when it has no form there).
std::string CodePointCp1250(long value) {
  if (value < 0) value += 65536;
  if (value <= 0 || value > 0x10FFFF) return "?";
  std::string utf8;
  const auto cp = static_cast<uint32_t>(value);
  if (cp < 0x80) {
    utf8 += static_cast<char>(cp);
  } else if (cp < 0x800) {
    utf8 += static_cast<char>(0xC0 | (cp >> 6));
    utf8 += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    utf8 += static_cast<char>(0xE0 | (cp >> 12));
    utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | (cp >> 18));
    utf8 += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return Utf8ToCp1250(utf8);
}

struct GroupState {
  bool skip = false;
  int unicodeSkip = 1;  // \ucN: characters that stand in for a \uN
};

}  // namespace

bool LooksLikeRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

std::string RtfPlainText(std::string_view rtf) {
  std::string out;
  std::vector<GroupState> stack{GroupState{}};
  int pendingSkip = 0;  // fallback characters still to drop after a \uN
  size_t i = 0;
  const size_t n = rtf.size();
  auto emit = [&](std::string_view s) {
    if (pendingSkip > 0) {
      --pendingSkip;
      return;
    }
    if (!stack.back().skip) out += s;
  };
  while (i < n) {
    const char c = rtf[i];
    if (c == '{') {
      stack.push_back(stack.back());
      pendingSkip = 0;
      ++i;
      // "{\*\word" is a destination a reader may ignore.
      if (rtf.substr(i, 2) == "\\*") stack.back().skip = true;
      continue;
    }
    if (c == '}') {
      if (stack.size() > 1) stack.pop_back();
      pendingSkip = 0;
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      emit(std::string_view(&rtf[i], 1));
      ++i;
      continue;
    }
    // A control symbol or word.
    ++i;
    if (i >= n) break;
    const char d = rtf[i];
    if (!IsAlpha(d)) {
      ++i;
      if (d == '\'') {
        const int hi = i < n ? HexValue(rtf[i]) : -1;
        const int lo = i + 1 < n ? HexValue(rtf[i + 1]) : -1;
        if (hi >= 0 && lo >= 0) {
          const char byte = static_cast<char>(hi * 16 + lo);
          emit(std::string_view(&byte, 1));
          i += 2;
        } else if (hi >= 0) {
          ++i;  // a cut escape gives nothing
        }
      } else if (d == '\\' || d == '{' || d == '}') {
        emit(std::string_view(&d, 1));
      } else if (d == '~') {
        emit(" ");
      } else if (d == '\r' || d == '\n') {
        emit("\r\n");
      } else if (d == '*') {
        stack.back().skip = true;
      }
      continue;
    }
    const size_t start = i;
    while (i < n && IsAlpha(rtf[i]) && i - start < 32) ++i;
    const std::string_view word = rtf.substr(start, i - start);
    bool hasParam = false;
    long param = 0;
    if (i < n && (rtf[i] == '-' || IsDigit(rtf[i]))) {
      const size_t p = i;
      if (rtf[i] == '-') ++i;
      while (i < n && IsDigit(rtf[i]) && i - p < 10) ++i;
      param = std::strtol(std::string(rtf.substr(p, i - p)).c_str(), nullptr, 10);
      hasParam = true;
    }
    if (i < n && rtf[i] == ' ') ++i;
    if (SkippedDestination(word)) {
      stack.back().skip = true;
    } else if (word == "par" || word == "line" || word == "sect" || word == "page") {
      pendingSkip = 0;
      emit("\r\n");
    } else if (word == "tab") {
      emit("\t");
    } else if (word == "uc" && hasParam) {
      stack.back().unicodeSkip = static_cast<int>(param < 0 ? 0 : param > 8 ? 8 : param);
    } else if (word == "u" && hasParam) {
      pendingSkip = 0;
      emit(CodePointCp1250(param));
      pendingSkip = stack.back().unicodeSkip;
    } else if (word == "emdash" || word == "endash") {
      emit(word == "emdash" ? "\x97" : "\x96");
    } else if (word == "bullet") {
      emit("\x95");
    }
  }
  // A closing paragraph mark leaves no empty last line.
  if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0) out.resize(out.size() - 2);
  return out;
}

}  // namespace orvo
