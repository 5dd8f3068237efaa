#include "gui/desk/editor_find_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvo::gui {

EditorFindDialog::EditorFindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("EditorFindDialog");
  setWindowTitle("Hledat");
  setModal(false);
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* line = new QHBoxLayout;
  auto* label = new QLabel("Hledat:", this);
  text_ = new QLineEdit(this);
  label->setBuddy(text_);
  line->addWidget(label);
  line->addWidget(text_, 1);
  left->addLayout(line);
  auto* options = new QHBoxLayout;
  auto* checks = new QVBoxLayout;
  wholeWord_ = new QCheckBox("Jen cela slova", this);
  matchCase_ = new QCheckBox("Rozlisovat mala a velka pismena", this);
  checks->addWidget(wholeWord_);
  checks->addWidget(matchCase_);
  checks->addStretch();
  options->addLayout(checks);
  auto* direction = new QGroupBox("Smer", this);
  auto* directions = new QHBoxLayout(direction);
  up_ = new QRadioButton("Nahoru", direction);
  down_ = new QRadioButton("Dolu", direction);
  down_->setChecked(true);
  directions->addWidget(up_);
  directions->addWidget(down_);
  options->addWidget(direction);
  left->addLayout(options);
  layout->addLayout(left, 1);
  auto* buttons = new QVBoxLayout;
  find_ = new QPushButton("Najit dalsi", this);
  find_->setDefault(true);
  auto* cancel = new QPushButton("Zrusit", this);
  buttons->addWidget(find_);
  buttons->addWidget(cancel);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(find_, &QPushButton::clicked, this, [this] {
    if (findNext && !text_->text().isEmpty()) findNext(Request());
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::close);
  find_->setEnabled(false);
  connect(text_, &QLineEdit::textChanged, this, [this](const QString& t) { find_->setEnabled(!t.isEmpty()); });
}

FindRequest EditorFindDialog::Request() const {
  return {text_->text(), wholeWord_->isChecked(), matchCase_->isChecked(), up_->isChecked()};
}

void EditorFindDialog::SetText(const QString& text) {
  text_->setText(text);
  text_->selectAll();
}

}  // namespace orvo::gui
