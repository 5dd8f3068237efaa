#include "gui/sys/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "gui/sys/qt_text.h"

namespace orvo::gui {

void QtClipboard::SetText(std::string_view text) {
  // The clipboard's own line ends are the desktop's.
  QGuiApplication::clipboard()->setText(FromCp(text));
}

std::string QtClipboard::Text() const { return ToCp(QGuiApplication::clipboard()->text()); }

}  // namespace orvo::gui
