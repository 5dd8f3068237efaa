// The report font between the core (FontChoice, Windows-1250 name) and Qt.
#pragma once

#include <QFont>

#include "core/office/font_choice.h"

namespace orvo::gui {

// A font of the report windows: a typewriter face when the named one is
// missing, so columns stay aligned.
QFont ToQFont(const FontChoice& font);
// The chosen font as a FontChoice; the colour is kept from `colorFrom`.
FontChoice ToFontChoice(const QFont& font, const FontChoice& colorFrom);

}  // namespace orvo::gui
