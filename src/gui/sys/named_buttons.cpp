#include "gui/sys/named_buttons.h"

#include <QPushButton>
#include <QString>

namespace orvo::gui {

QPushButton* MakeNamedButton(QWidget* owner, const char* name, const char* text, const char* hint,
                             std::function<void()> onClick) {
  auto* button = new QPushButton(QString::fromLatin1(text), owner);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromLatin1(hint));
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::NoFocus);
  QObject::connect(button, &QPushButton::clicked, owner, std::move(onClick));
  return button;
}

QPushButton* FindNamedButton(const std::vector<QPushButton*>& buttons, const char* name) {
  for (QPushButton* b : buttons) {
    if (b->objectName() == QString::fromLatin1(name)) return b;
  }
  return nullptr;
}

}  // namespace orvo::gui
