// The month-end close window TUctMesU ("  Mesicni uzaverka") over its core
// model: the period being closed, the period to open (focused), "  Proved"
// and "  Konec". The window stays open after a close and shows the next one.
#pragma once

#include <QDialog>

#include "core/accounting/month_close.h"

class QLineEdit;
class QPushButton;

namespace orvo::gui {

class OrvoApp;

class MonthCloseWindow : public QDialog {
  Q_OBJECT
 public:
  MonthCloseWindow(OrvoApp& app, QWidget* parent);

  // Shows the window modally; `periodChanged` is told every new period.
  void Run(std::function<void(const std::string&)> periodChanged);

  QLineEdit* CurrentField() { return edit1_; }
  QLineEdit* NextField() { return edit2_; }
  QPushButton* ProceedButton() { return proceed_; }
  TUctMesU& model() { return model_; }

 private:
  void Fill();

  OrvoApp& app_;
  TUctMesU model_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QPushButton* proceed_;
};

}  // namespace orvo::gui
