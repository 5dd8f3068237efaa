#include "gui/output/font_convert.h"

#include "gui/sys/qt_text.h"
#include "paint/report_painter.h"

namespace orvo::gui {

QFont ToQFont(const FontChoice& font) { return QFontOf(font); }

FontChoice ToFontChoice(const QFont& font, const FontChoice& colorFrom) {
  FontChoice choice;
  choice.name = ToCp(font.family());
  choice.size = font.pointSize() > 0 ? font.pointSize() : colorFrom.size;
  choice.bold = font.bold();
  choice.italic = font.italic();
  choice.underline = font.underline();
  choice.strikeOut = font.strikeOut();
  choice.color = colorFrom.color;
  return choice;
}

}  // namespace orvo::gui
