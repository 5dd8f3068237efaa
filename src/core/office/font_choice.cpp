#include "core/office/font_choice.h"

namespace orvo {

Rgb RgbOf(int32_t color) {
  if (color < 0) return {};
  const auto c = static_cast<uint32_t>(color);
  return {static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
          static_cast<int>((c >> 16) & 0xFF)};
}

}  // namespace orvo
