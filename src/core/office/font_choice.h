// A font as the report windows and the office port pass it around: the
// report font of the print settings, the printer font, the editor font.
// Names are Windows-1250 bytes; the colour is the system's signed 32-bit
// colour value (0x00BBGGRR; negative values name a system colour).
#pragma once

#include <cstdint>
#include <string>

namespace orvo {

struct FontChoice {
  std::string name = "Courier New";
  int size = 8;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int32_t color = 0;  // black

  bool operator==(const FontChoice&) const = default;
};

// Red, green and blue of a colour value; a system colour (negative value)
// gives black, the colour of window text.
struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
};
Rgb RgbOf(int32_t color);

}  // namespace orvo
