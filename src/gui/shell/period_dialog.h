// The period dialog TObd over PeriodDialogModel: the path line, the YYMM
// field with its check when it is left, the step buttons "Minule obdobi"
// and "Budouci obdobi" (which do not take the focus, so they never run the
// check) and "Potvrd". Every closing saves the period.
#pragma once

#include <QDialog>

#include "core/shell/period_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace orvo::gui {

class OrvoApp;

class PeriodDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PeriodDialog(OrvoApp& app);

  void Run();

  QLineEdit* Field() { return field_; }
  QToolButton* PreviousButton() { return previous_; }
  QToolButton* NextButton() { return next_; }
  QPushButton* ConfirmButton() { return confirm_; }
  QLabel* PathLine() { return path_; }
  PeriodDialogModel& model() { return model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void CheckField();
  void Confirm();
  void Step(bool forward);
  void CloseAndSave();

  OrvoApp& app_;
  PeriodDialogModel model_;
  QLabel* path_;
  QLineEdit* field_;
  QToolButton* previous_;
  QToolButton* next_;
  QPushButton* confirm_;
  // The text of the field's last check and its outcome.
  QString checked_;
  bool checkedOk_ = false;
  bool refocusing_ = false;
};

}  // namespace orvo::gui
