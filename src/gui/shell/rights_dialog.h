// The rights administration THesloP over RightsAdminModel: a grid of 200
// rows (name, password, role), Insert and Ctrl+Delete on rows, Enter as Tab,
// and "  Konec", which stores the grid.
#pragma once

#include <QDialog>

#include "core/shell/rights_admin.h"

class QTableWidget;

namespace orvo::gui {

class OrvoApp;

class RightsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit RightsDialog(OrvoApp& app);

  void Run();
  QTableWidget* Grid() { return grid_; }
  RightsAdminModel& model() { return model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void Fill();
  void TakeCell(int row, int column);

  OrvoApp& app_;
  RightsAdminModel model_;
  QTableWidget* grid_;
  bool filling_ = false;
  bool mayStay_ = true;
};

}  // namespace orvo::gui
