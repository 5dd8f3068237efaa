// The calculation window TUctKalk ("  Kalkulace") over its core model: the
// definition with its title, the organisational level, and the buttons that
// compute, show the report, show the table and close.
#pragma once

#include <QDialog>

#include "core/reports/calculation_window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvo::gui {

class OrvoApp;

class CalculationWindow : public QDialog {
  Q_OBJECT
 public:
  CalculationWindow(OrvoApp& app, QWidget* parent);

  // Shows the window modally.
  void Run();

  TUctKalk& model() { return model_; }
  QLineEdit* DefinitionField() { return edit1_; }
  QLabel* TitleLabel() { return label1_; }
  QRadioButton* LevelButton(int i) { return levels_[i]; }
  QPushButton* ProceedButton() { return proceed_; }
  QPushButton* ShowButton() { return show_; }

 private:
  void Fill();
  void Take();

  OrvoApp& app_;
  TUctKalk model_;
  QLineEdit* edit1_;
  QLabel* label1_;
  QRadioButton* levels_[4];
  QPushButton* proceed_;
  QPushButton* show_;
  QPushButton* end_;
};

}  // namespace orvo::gui
