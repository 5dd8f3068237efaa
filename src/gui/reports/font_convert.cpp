#include "gui/reports/font_convert.h"

#include "gui/qt_text.h"
#include "gui/reports/report_painter.h"

namespace orvo::gui {

QFont ToQFont(const FontSpec& font) { return QFontOf(font); }

FontSpec ToFontSpec(const QFont& font, const FontSpec& colorFrom) {
  FontSpec spec;
  spec.name = ToCp(font.family());
  spec.size = font.pointSize() > 0 ? font.pointSize() : colorFrom.size;
  spec.bold = font.bold();
  spec.italic = font.italic();
  spec.underline = font.underline();
  spec.strikeOut = font.strikeOut();
  spec.color = colorFrom.color;
  return spec;
}

}  // namespace orvo::gui
