// Text at the edge between the core and Qt: stored text is Windows-1250
// bytes with "\r" line breaks, Qt wants Unicode with "\n".
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace orvo::gui {

// Windows-1250 bytes to a QString; "\r\n" and a lone "\r" become "\n".
QString FromCp(std::string_view cp1250);
// A QString back to Windows-1250 bytes (characters without a form there
// become "?").
std::string ToCp(const QString& text);

}  // namespace orvo::gui
