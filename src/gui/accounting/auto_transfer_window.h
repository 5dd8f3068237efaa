// The automatic transfers window TUctAut ("  Automaticke prevody") over its
// core model: the definition file with its choice button, the three source
// sets, the transfer identification and the period, "  Proved", "  Zobraz"
// and "  Konec".
#pragma once

#include <QDialog>

#include "core/accounting/auto_transfer.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvo::gui {

class OrvoApp;

class AutoTransferWindow : public QDialog {
  Q_OBJECT
 public:
  AutoTransferWindow(OrvoApp& app, QWidget* parent);

  // Presets and shows the window modally.
  void Run();

  QLineEdit* DefinitionField() { return edit1_; }
  QLineEdit* IdField() { return edit2_; }
  QLineEdit* PeriodField() { return edit3_; }
  QRadioButton* SourceButton(int i) { return rb_[i]; }
  QPushButton* ProceedButton() { return proceed_; }
  TUctAut& model() { return model_; }

 private:
  void Fill();
  void Take();

  OrvoApp& app_;
  TUctAut model_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLineEdit* edit3_;
  QRadioButton* rb_[3];
  QPushButton* proceed_;
};

}  // namespace orvo::gui
