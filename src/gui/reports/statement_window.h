// The statements window TUctVykZ ("  Zpracovani vykazu") over its core
// model: the definition with its title, the organisational level, the
// balance source and its periods, the rows per page, and the buttons that
// compute, show the report, show the table and close.
#pragma once

#include <QDialog>

#include "core/reports/statement_window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvo::gui {

class OrvoApp;

class StatementWindow : public QDialog {
  Q_OBJECT
 public:
  // `defName`: the opener's definition (empty for "Volitelny vykaz").
  StatementWindow(OrvoApp& app, const std::string& defName, QWidget* parent);

  // Shows the window modally.
  void Run();

  TUctVykZ& model() { return model_; }
  QLineEdit* DefinitionField() { return edit1_; }
  QLabel* TitleLabel() { return label1_; }
  QRadioButton* LevelButton(int i) { return levels_[i]; }
  QRadioButton* SourceButton(int i) { return sources_[i]; }
  QPushButton* ProceedButton() { return proceed_; }
  QPushButton* ShowButton() { return show_; }

 private:
  void Fill();
  void Take();

  OrvoApp& app_;
  TUctVykZ model_;
  QLineEdit* edit1_;
  QLabel* label1_;
  QRadioButton* levels_[4];
  QRadioButton* sources_[3];
  QLineEdit* edit2_;
  QLineEdit* edit3_;
  QLineEdit* edit4_;
  QPushButton* proceed_;
  QPushButton* show_;
  QPushButton* end_;
};

}  // namespace orvo::gui
