// The saldo-konto window TUctSaldo ("  Saldo - Konto") over its core model:
// the range of periods, the grouping order, the order by internal document
// and the four buttons; showing is enabled once "  Proved" has computed.
#pragma once

#include <QDialog>

#include "core/reports/saldo_konto.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvo::gui {

class OrvoApp;

class SaldoWindow : public QDialog {
  Q_OBJECT
 public:
  SaldoWindow(OrvoApp& app, QWidget* parent);

  void Run();

  TUctSaldo& model() { return model_; }
  QLineEdit* From() { return edit1_; }
  QLineEdit* To() { return edit2_; }
  QRadioButton* KontoFirst() { return rku_; }
  QCheckBox* ByDocument() { return cbDokl_; }
  QPushButton* ProceedButton() { return proceed_; }
  QPushButton* ShowButton() { return show_; }

 private:
  void Enable();

  OrvoApp& app_;
  TUctSaldo model_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QRadioButton* ruk_;
  QRadioButton* rku_;
  QCheckBox* cbDokl_;
  QPushButton* proceed_;
  QPushButton* show_;
  QPushButton* table_;
  QPushButton* end_;
};

}  // namespace orvo::gui
