#include "core/sys/encoding.h"

#include <array>
#include <cstdint>

namespace orvo {

namespace {

// Unicode code points of the bytes 0x80..0xFF. The five bytes Windows-1250
// leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) go to the C1 control with
// the same number, so that every byte survives a round trip through UTF-8.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

constexpr char32_t kInvalid = kInvalidCodePoint;

// Decodes one code point at s[pos] and advances pos. A malformed sequence
// (stray continuation byte, truncated, overlong, surrogate, above U+10FFFF)
// consumes exactly one byte and yields kInvalid, so decoding always moves on
// and never reads past the end.
char32_t DecodeOne(std::string_view s, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  uint8_t b0 = byte(pos);
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  int length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((b0 & 0xE0) == 0xC0) {
    length = 2;
    cp = b0 & 0x1F;
    minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3;
    cp = b0 & 0x0F;
    minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4;
    cp = b0 & 0x07;
    minimum = 0x10000;
  } else {
    ++pos;
    return kInvalid;
  }
  if (pos + static_cast<size_t>(length) > s.size()) {
    ++pos;
    return kInvalid;
  }
  for (int i = 1; i < length; ++i) {
    uint8_t b = byte(pos + static_cast<size_t>(i));
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return kInvalid;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kInvalid;
  }
  pos += static_cast<size_t>(length);
  return cp;
}

int ToCp1250(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  for (size_t i = 0; i < kHighHalf.size(); ++i) {
    if (kHighHalf[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
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

char32_t DecodeUtf8(std::string_view s, size_t& pos) { return DecodeOne(s, pos); }

int Cp1250Byte(char32_t cp) { return ToCp1250(cp); }

std::string Cp1250ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (char c : s) {
    auto b = static_cast<uint8_t>(c);
    AppendUtf8(out, b < 0x80 ? char32_t{b} : kHighHalf[b - 0x80]);
  }
  return out;
}

std::string Utf8ToCp1250(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t pos = 0;
  while (pos < s.size()) {
    char32_t cp = DecodeOne(s, pos);
    int b = cp == kInvalid ? -1 : ToCp1250(cp);
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

bool Utf8FitsCp1250(std::string_view s) {
  size_t pos = 0;
  while (pos < s.size()) {
    char32_t cp = DecodeOne(s, pos);
    if (cp == kInvalid || ToCp1250(cp) < 0) return false;
  }
  return true;
}

}  // namespace orvo
