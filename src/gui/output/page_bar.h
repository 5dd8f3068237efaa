// The page bar of the framed and graphic report windows over the model's
// PageFields: "|<", "<", ">", ">|", the fields "Str1:" and "Str2:" and the
// button "Str1" that shows the page of Str1, plus the hinted buttons the
// windows add after it.
#pragma once

#include <functional>
#include <optional>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace orvo {
class PageFields;
}

namespace orvo::gui {

// A button whose tool tip and object name are its hint.
QPushButton* Hinted(QWidget* parent, const char* caption, const char* hint);

struct PageBarHooks {
  std::function<PageFields&()> fields;
  // The window's guard around every action.
  std::function<void(const std::function<void()>&)> run;
  // Asked before a move to another page; false keeps the page.
  std::function<bool()> mayLeave;
  std::function<void(std::optional<int>)> show;
  // The fields shown again from the model.
  std::function<void()> sync;
};

struct PageBar {
  QLineEdit* str1 = nullptr;
  QLineEdit* str2 = nullptr;
};

PageBar AddPageBar(QWidget* owner, QHBoxLayout* bar, const PageBarHooks& hooks);

}  // namespace orvo::gui
