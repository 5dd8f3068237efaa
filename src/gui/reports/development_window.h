// The balance-development windows TUctVyUc ("  Vyvoj stavu uctu") and
// TUctVyCn ("  Vyvoj stavu cinnosti") over their core model: the start and
// end periods, the number of code digits, the level, the breakdown and the
// four buttons; showing is enabled once "  Proved" has computed.
#pragma once

#include <QDialog>

#include "core/reports/balance_development.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvo::gui {

class OrvoApp;

class DevelopmentWindow : public QDialog {
  Q_OBJECT
 public:
  DevelopmentWindow(OrvoApp& app, DevelopmentKind kind, QWidget* parent);

  void Run();

  TUctVyvoj& model() { return model_; }
  QLineEdit* From() { return edit1_; }
  QLineEdit* To() { return edit2_; }
  QLineEdit* Digits() { return edit3_; }
  QRadioButton* Level(int i) { return levels_[i]; }
  QCheckBox* Breakdown() { return cb1_; }
  QPushButton* ProceedButton() { return proceed_; }
  QPushButton* ShowButton() { return show_; }
  QPushButton* TableButton() { return table_; }

 private:
  void Enable();

  OrvoApp& app_;
  TUctVyvoj model_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLineEdit* edit3_;
  QRadioButton* levels_[4];
  QCheckBox* cb1_;
  QPushButton* proceed_;
  QPushButton* show_;
  QPushButton* table_;
  QPushButton* end_;
};

}  // namespace orvo::gui
