// The from-to period dialog TObd12 over RangeDialogModel: two YYMM fields,
// each checked when it is left, Enter moving on to the next field and to
// "  Dalsi", Escape cancelling. The caller reads RangeCancelled, RangeFrom
// and RangeTo from model() afterwards.
#pragma once

#include <QDialog>

#include "core/shell/range_dialog.h"

class QLineEdit;
class QPushButton;

namespace orvo::gui {

class OrvoApp;

class RangeDialog : public QDialog {
  Q_OBJECT
 public:
  explicit RangeDialog(OrvoApp& app);

  void Run();

  QLineEdit* Field(int i) { return fields_[i]; }
  QPushButton* ProceedButton() { return proceed_; }
  RangeDialogModel& model() { return model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  // Checks field i; on a bad entry the focus goes back to it.
  bool LeaveField(int i);
  void Take(int i);

  OrvoApp& app_;
  RangeDialogModel model_;
  QLineEdit* fields_[2];
  QPushButton* proceed_;
  bool moving_ = false;
};

}  // namespace orvo::gui
