// The report font between the core (FontSpec, Windows-1250 name) and Qt.
#pragma once

#include <QFont>

#include "core/office/font_spec.h"

namespace orvo::gui {

// A font of the report windows: a typewriter face when the named one is
// missing, so columns stay aligned.
QFont ToQFont(const FontSpec& font);
// The chosen font as a FontSpec; the colour is kept from `colorFrom`.
FontSpec ToFontSpec(const QFont& font, const FontSpec& colorFrom);

}  // namespace orvo::gui
