#include "core/sys/text.h"

namespace orvo {

const std::array<std::array<uint8_t, 2>, 15> CzechUpperTable = {{
    {0xE1, 0xC1},  // á Á
    {0xE8, 0xC8},  // č Č
    {0xEF, 0xCF},  // ď Ď
    {0xE9, 0xC9},  // é É
    {0xEC, 0xCC},  // ě Ě
    {0xED, 0xCD},  // í Í
    {0xF2, 0xD2},  // ň Ň
    {0xF3, 0xD3},  // ó Ó
    {0xF8, 0xD8},  // ř Ř
    {0x9A, 0x8A},  // š Š
    {0x9D, 0x8D},  // ť Ť
    {0xFA, 0xDA},  // ú Ú
    {0xF9, 0xD9},  // ů Ů
    {0xFD, 0xDD},  // ý Ý
    {0x9E, 0x8E},  // ž Ž
}};

// Several box-drawing rows share a byte in one column; the first match wins,
// so the order of the rows is part of the conversion.
const std::array<std::array<uint8_t, 3>, 95> CodePageTable = {{
    // Czech and Slovak letters and the section sign: one to one.
    {0xC8, 0xAC, 0x80},  // Č
    {0xE9, 0x82, 0x82},  // é
    {0xEF, 0xD4, 0x83},  // ď
    {0xCF, 0xD2, 0x85},  // Ď
    {0x8D, 0x9B, 0x86},  // Ť
    {0xE8, 0x9F, 0x87},  // č
    {0xEC, 0xD8, 0x88},  // ě
    {0xCC, 0xB7, 0x89},  // Ě
    {0xC5, 0x91, 0x8A},  // Ĺ
    {0xCD, 0xD6, 0x8B},  // Í
    {0xBE, 0x96, 0x8C},  // ľ
    {0xE5, 0x92, 0x8D},  // ĺ
    {0xC1, 0xB5, 0x8F},  // Á
    {0xC9, 0x90, 0x90},  // É
    {0x9E, 0xA7, 0x91},  // ž
    {0x8E, 0xA6, 0x92},  // Ž
    {0xF4, 0x93, 0x93},  // ô
    {0xD3, 0xE0, 0x95},  // Ó
    {0xF9, 0x85, 0x96},  // ů
    {0xDA, 0xE9, 0x97},  // Ú
    {0xFD, 0xEC, 0x98},  // ý
    {0x8A, 0xE6, 0x9B},  // Š
    {0xBC, 0x95, 0x9C},  // Ľ
    {0xDD, 0xED, 0x9D},  // Ý
    {0xD8, 0xFC, 0x9E},  // Ř
    {0x9D, 0x9C, 0x9F},  // ť
    {0xE1, 0xA0, 0xA0},  // á
    {0xED, 0xA1, 0xA1},  // í
    {0xF3, 0xA2, 0xA2},  // ó
    {0xFA, 0xA3, 0xA3},  // ú
    {0xF2, 0xE5, 0xA4},  // ň
    {0xD2, 0xD5, 0xA5},  // Ň
    {0xD9, 0xDE, 0xA6},  // Ů
    {0xD4, 0xE2, 0xA7},  // Ô
    {0x9A, 0xE7, 0xA8},  // š
    {0xF8, 0xFD, 0xA9},  // ř
    {0xE0, 0xEA, 0xAA},  // ŕ
    {0xC0, 0xE8, 0xAB},  // Ŕ
    {0xA7, 0xF5, 0xAD},  // §
    // Box drawing: Windows has only "+", "-" and "|" for them.
    {0x2B, 0x2B, 0x2B},
    {0x2D, 0x2D, 0x2D},
    {0x7C, 0x7C, 0x7C},
    {0x7C, 0xB3, 0xB3},
    {0x2B, 0xB4, 0xB4},
    {0x2B, 0xB4, 0xB9},
    {0x2B, 0xB9, 0xB9},
    {0x7C, 0xB3, 0xBA},
    {0x7C, 0xBA, 0xBA},
    {0x2B, 0xBF, 0xBB},
    {0x2B, 0xBB, 0xBB},
    {0x2B, 0xD9, 0xBC},
    {0x2B, 0xBC, 0xBC},
    {0x2B, 0xBF, 0xBF},
    {0x2B, 0xC0, 0xC0},
    {0x2B, 0xC1, 0xC1},
    {0x2B, 0xC2, 0xC2},
    {0x2B, 0xC3, 0xC3},
    {0x2D, 0xC4, 0xC4},
    {0x2B, 0xC5, 0xC5},
    {0x2B, 0xC0, 0xC8},
    {0x2B, 0xC8, 0xC8},
    {0x2B, 0xDA, 0xC9},
    {0x2B, 0xC9, 0xC9},
    {0x2B, 0xC1, 0xCA},
    {0x2B, 0xCA, 0xCA},
    {0x2B, 0xC2, 0xCB},
    {0x2B, 0xCB, 0xCB},
    {0x2B, 0xC3, 0xCC},
    {0x2B, 0xCC, 0xCC},
    {0x2D, 0xC4, 0xCD},
    {0x2D, 0xCD, 0xCD},
    {0x2D, 0xC4, 0xCD},
    {0x2B, 0xC5, 0xCE},
    {0x2B, 0xCE, 0xCE},
    {0x2B, 0xD9, 0xD9},
    {0x2B, 0xDA, 0xDA},
    {0x2B, 0xB4, 0xB5},
    {0x2B, 0xB4, 0xB6},
    {0x2B, 0xBF, 0xB7},
    {0x2B, 0xBF, 0xB8},
    {0x2B, 0xD9, 0xBE},
    {0x2B, 0xC3, 0xC6},
    {0x2B, 0xC3, 0xC7},
    {0x2B, 0xC1, 0xCF},
    {0x2B, 0xC1, 0xD0},
    {0x2B, 0xC2, 0xD1},
    {0x2B, 0xC2, 0xD2},
    {0x2B, 0xC0, 0xD3},
    {0x2B, 0xC0, 0xD4},
    {0x2B, 0xDA, 0xD5},
    {0x2B, 0xDA, 0xD6},
    {0x2B, 0xC5, 0xD7},
    {0x2B, 0xC5, 0xD8},
    {0xBB, 0xAF, 0xAF},  // »
    {0x95, 0xFE, 0xFE},  // •
}};

bool AllBlanks(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

std::string Blanks(int n) { return std::string(n > 0 ? static_cast<size_t>(n) : 0, ' '); }

std::string RemoveBlanks(std::string_view s) { return RemoveChar(' ', s); }

std::string ShortenBlankRuns(std::string_view s, int n) {
  // A run shorter than one blank cannot be shortened; without this guard the
  // "while such a run exists" rule would never end.
  if (n < 1) return std::string(s);
  const auto keep = static_cast<size_t>(n - 1);
  std::string out;
  out.reserve(s.size());
  size_t run = 0;
  for (char c : s) {
    if (c == ' ') {
      if (++run <= keep) out += ' ';
    } else {
      run = 0;
      out += c;
    }
  }
  return out;
}

std::string TrimRight(std::string_view s) {
  size_t end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(s.substr(0, end + 1));
}

std::string TrimLeft(std::string_view s) {
  size_t begin = s.find_first_not_of(' ');
  return begin == std::string_view::npos ? std::string() : std::string(s.substr(begin));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string PadRight(std::string_view s, int n) { return PadRightWith(' ', s, n); }

std::string PadLeft(std::string_view s, int n) { return PadLeftWith(' ', s, n); }

std::string RemoveChar(char c, std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s) {
    if (ch != c) out += ch;
  }
  return out;
}

std::string PadRightWith(char c, std::string_view s, int n) {
  std::string out(s);
  if (n > 0 && out.size() < static_cast<size_t>(n)) out.append(static_cast<size_t>(n) - out.size(), c);
  return out;
}

std::string PadLeftWith(char c, std::string_view s, int n) {
  if (n <= 0 || s.size() >= static_cast<size_t>(n)) return std::string(s);
  std::string out(static_cast<size_t>(n) - s.size(), c);
  out += s;
  return out;
}

std::string BlanksToZeros(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == ' ') c = '0';
  }
  return out;
}

std::string UpperCz(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    auto b = static_cast<uint8_t>(c);
    bool found = false;
    for (const auto& pair : CzechUpperTable) {
      if (pair[0] == b) {
        c = static_cast<char>(pair[1]);
        found = true;
        break;
      }
    }
    if (!found && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string QuotedName(std::string_view name) {
  // Appended piece by piece: g++ 12 at -O3 warns falsely (-Wrestrict) about
  // a literal plus a temporary string.
  std::string q(1, '"');
  q += UpperCz(name.substr(0, 1));
  q += name.substr(name.empty() ? 0 : 1);
  q += '"';
  return q;
}

namespace {

// The table as one byte map per pair of columns: the first row whose `from`
// column holds a byte gives its `to` column; other bytes stay.
using ByteMap = std::array<uint8_t, 256>;
const ByteMap& ConversionMap(size_t from, size_t to) {
  static const auto maps = [] {
    std::array<std::array<ByteMap, 3>, 3> all{};
    for (size_t f = 0; f < 3; ++f) {
      for (size_t t = 0; t < 3; ++t) {
        std::array<bool, 256> set{};
        for (size_t b = 0; b < 256; ++b) all[f][t][b] = static_cast<uint8_t>(b);
        for (const auto& row : CodePageTable) {
          if (set[row[f]]) continue;
          set[row[f]] = true;
          all[f][t][row[f]] = row[t];
        }
      }
    }
    return all;
  }();
  return maps[from][to];
}

}  // namespace

std::string ConvertChars(std::string_view s, int from, int to) {
  if (from < 1 || from > 3 || to < 1 || to > 3) return std::string(s);
  const ByteMap& map = ConversionMap(static_cast<size_t>(from - 1), static_cast<size_t>(to - 1));
  std::string out(s);
  for (char& c : out) c = static_cast<char>(map[static_cast<uint8_t>(c)]);
  return out;
}

bool IsDigits(std::string_view s, char c1, char c2, char c3) {
  for (char c : s) {
    if (c >= '0' && c <= '9') continue;
    if (c != '\0' && (c == c1 || c == c2 || c == c3)) continue;
    return false;
  }
  return true;
}

}  // namespace orvo
