// "Mapa znaku" of the text editor: the printable characters of
// Windows-1250 in a grid. A click puts the character on the clipboard,
// a double click or "Vlozit" inserts it at the editor's caret. Non-modal.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace orvo::gui {

class CharacterMapWindow : public QDialog {
  Q_OBJECT
 public:
  explicit CharacterMapWindow(const QFont& font, QWidget* parent = nullptr);

  // Inserts a character into the editor; false when its text is read-only.
  std::function<bool(const QString&)> insert;
  // Whether "Vlozit" can insert now (the editor's text editable).
  void SetInsertEnabled(bool enabled);

  QTableWidget* Grid() const { return grid_; }
  QPushButton* InsertButton() const { return insertButton_; }
  // The character chosen last ("" before the first click).
  QString Chosen() const { return chosen_; }
  // Chooses the character: on the clipboard, shown with its code.
  void Choose(const QString& character);

 private:
  void Insert();

  QTableWidget* grid_;
  QLabel* shown_;
  QLabel* code_;
  QPushButton* insertButton_;
  QString chosen_;
};

}  // namespace orvo::gui
