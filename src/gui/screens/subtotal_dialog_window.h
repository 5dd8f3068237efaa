// The subtotal dialog TCdsScrT ("  Mezisoucty, strankovani, redukce") on
// Qt: a grid of the table's columns with the Sum, Str, Rad and Por cells of
// the core model, toggled by a click or Enter, a position taken back by
// Delete, and the buttons "  Novy vyber", "  Puvodni stav" and "  Konec".
#pragma once

#include <QDialog>

#include "core/screens/subtotal_dialog.h"
#include "core/sys/env.h"

class QLabel;
class QTableWidget;

namespace orvo::gui {

class SubtotalDialogWindow : public QDialog {
  Q_OBJECT
 public:
  SubtotalDialogWindow(Env& env, CdsScrTModel& model, QWidget* parent = nullptr);

  // Fills the grid from the model and sizes the window for it.
  void Refresh();
  QTableWidget* Grid() { return grid_; }

  void NewSelection();
  void OriginalState();
  // "  Konec": closes only when the positions have no gap.
  void Finish();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // The title bar's close button: the same check as "  Konec".
  void closeEvent(QCloseEvent* event) override;

 private:
  void CellClicked(int row, int col);
  void SelectModelCell();

  Env& env_;
  CdsScrTModel& model_;
  QTableWidget* grid_;
  QLabel* touched_;
  QLabel* highest_;
};

}  // namespace orvo::gui
