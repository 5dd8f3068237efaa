#include "gui/sys/qt_text.h"

#include "core/sys/encoding.h"

namespace orvo::gui {

QString FromCp(std::string_view cp1250) {
  std::string utf8 = Cp1250ToUtf8(cp1250);
  std::string lines;
  lines.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      lines += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      lines += utf8[i];
    }
  }
  return QString::fromStdString(lines);
}

std::string ToCp(const QString& text) { return Utf8ToCp1250(text.toStdString()); }

}  // namespace orvo::gui
