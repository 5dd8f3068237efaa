// The editor's character map: every printable character of Windows-1250
// (the ASCII characters and the Central European letters and signs), in
// the order of their codes, for a window that shows them in a grid.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvo {

struct MapCharacter {
  uint8_t code;      // the Windows-1250 byte
  std::string utf8;  // the character as the edit control holds it
};

// From the blank (0x20) to 0xFF; controls, the codes Windows-1250 leaves
// undefined, the no-break space and the soft hyphen are left out.
const std::vector<MapCharacter>& CharacterMap();

// "Kod: 248 (0xF8)", shown for the chosen character.
std::string CharacterCodeText(uint8_t code);

}  // namespace orvo
