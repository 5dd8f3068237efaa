// The print settings window TNumRow ("  Zadej pocet radku tistene stranky !")
// over NumRowModel: the file name, "Pocet radku:", "Orientace:", the printer
// button and "Potvrd". Closing it in any way saves the settings.
#pragma once

#include <QDialog>

#include "core/output/num_row_model.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace orvo::gui {

class NumRowWindow final : public QDialog {
  Q_OBJECT
 public:
  NumRowWindow(Env& env, PrintSettings& settings, QWidget* parent = nullptr);

  NumRowModel& model() { return model_; }
  QLineEdit* rowsField() const { return rows_; }
  QComboBox* orientationField() const { return orientation_; }
  QPushButton* confirmButton() const { return confirm_; }
  QPushButton* printerButton() const { return printer_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowModel();
  void TakeFields();
  void ChoosePrinter();

  NumRowModel model_;
  QLineEdit* file_ = nullptr;
  QLineEdit* rows_ = nullptr;
  QComboBox* orientation_ = nullptr;
  QPushButton* printer_ = nullptr;
  QPushButton* confirm_ = nullptr;
  bool confirmed_ = false;
};

}  // namespace orvo::gui
