// The general-ledger window TUctHlKn ("   Hlavni kniha") over its core model:
// the four levels, the activity breakdown, the opening as at 1 January, the
// number of account digits and the four buttons. "  Zobrazeni/Tisk" and
// "  Tabulka" are enabled once "  Proved" has computed the ledger.
#pragma once

#include <QDialog>

#include "core/reports/general_ledger_window.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvo::gui {

class OrvoApp;

class LedgerWindow : public QDialog {
  Q_OBJECT
 public:
  LedgerWindow(OrvoApp& app, QWidget* parent);

  void Run();

  TUctHlKn& model() { return model_; }
  QRadioButton* Level(int i) { return levels_[i]; }
  QCheckBox* Activities() { return cb1_; }
  QCheckBox* January() { return cb2_; }
  QLineEdit* Digits() { return edit1_; }
  QPushButton* ProceedButton() { return proceed_; }
  QPushButton* ShowButton() { return show_; }
  QPushButton* TableButton() { return table_; }

 private:
  void Enable();

  OrvoApp& app_;
  TUctHlKn model_;
  QRadioButton* levels_[4];
  QCheckBox* cb1_;
  QCheckBox* cb2_;
  QLineEdit* edit1_;
  QPushButton* proceed_;
  QPushButton* show_;
  QPushButton* table_;
  QPushButton* end_;
};

}  // namespace orvo::gui
