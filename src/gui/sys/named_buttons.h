// The push buttons of the entry windows' button rows: named (so that
// tests and keys find them), hinted, never taking the focus from the grid.
#pragma once

#include <functional>
#include <vector>

class QPushButton;
class QWidget;

namespace orvo::gui {

QPushButton* MakeNamedButton(QWidget* owner, const char* name, const char* text, const char* hint,
                             std::function<void()> onClick);
// The button of that name, or nullptr.
QPushButton* FindNamedButton(const std::vector<QPushButton*>& buttons, const char* name);

}  // namespace orvo::gui
