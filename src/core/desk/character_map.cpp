#include "core/desk/character_map.h"

#include <cstdio>

#include "core/sys/encoding.h"

namespace orvo {

namespace {

bool Printable(uint8_t code) {
  if (code < 0x20 || code == 0x7F) return false;
  switch (code) {
    // Undefined in Windows-1250: they decode to C1 controls.
    case 0x81: case 0x83: case 0x88: case 0x90: case 0x98:
    // Invisible in a grid: the no-break space and the soft hyphen.
    case 0xA0: case 0xAD:
      return false;
    default:
      return true;
  }
}

std::vector<MapCharacter> Build() {
  std::vector<MapCharacter> list;
  for (int code = 0x20; code <= 0xFF; ++code) {
    const auto byte = static_cast<uint8_t>(code);
    if (!Printable(byte)) continue;
    const char c = static_cast<char>(byte);
    list.push_back({byte, Cp1250ToUtf8(std::string_view(&c, 1))});
  }
  return list;
}

}  // namespace

const std::vector<MapCharacter>& CharacterMap() {
  static const std::vector<MapCharacter> list = Build();
  return list;
}

std::string CharacterCodeText(uint8_t code) {
  char text[32];
  std::snprintf(text, sizeof text, "Kod: %d (0x%02X)", code, code);
  return text;
}

}  // namespace orvo
