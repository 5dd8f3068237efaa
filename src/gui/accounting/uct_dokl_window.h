// The accounting document window TUctDokl ("Ucetni doklady     " + date)
// over its core model: the code-list line, the header grid, the column and
// row labels, the totals, the buttons and the rows grid. Keys and leaving a
// cell by any route go to the model; the window only moves the cursor and
// paints.
#pragma once

#include <QDialog>

#include <functional>

#include "core/accounting/uct_dokl.h"
#include "gui/screens/dokl_table_view.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvo::gui {

class OrvoApp;
class GridTableModel;

class UctDoklWindow : public QDialog {
  Q_OBJECT
 public:
  UctDoklWindow(OrvoApp& app, QWidget* parent);
  ~UctDoklWindow() override;

  // Opens the model and shows the window modally.
  void Run();

  TUctDokl& model() { return model_; }
  DoklTableView* HeaderGrid() { return header_; }
  DoklTableView* RowsGrid() { return rows_; }
  QLineEdit* CodeLine() { return codeLine_; }
  QLabel* Totals() { return totals_; }
  QPushButton* Button(const char* name);
  // Puts the cursor on a cell of the rows grid (the model's row and column).
  void GoToRow(int row, int col);
  void GoToHeader(int col);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QPushButton* AddButton(const char* name, const char* text, const char* hint, std::function<void()> action);
  bool HeaderKey(QKeyEvent* event);
  bool RowsKey(QKeyEvent* event);
  void HeaderCellChanged(const QModelIndex& now, const QModelIndex& before);
  void RowCellChanged(const QModelIndex& now, const QModelIndex& before);
  // Checks the current cell as Enter does and moves on when it passed.
  void EnterInRows();
  void EnterInHeader();
  void MoveNextRowCell();
  void Refresh();
  void RefreshAll();
  void Run(const std::function<void()>& work);
  void Finish(bool save);

  OrvoApp& app_;
  TUctDokl model_;
  QLineEdit* codeLine_;
  DoklTableView* header_;
  DoklTableView* rows_;
  GridTableModel* headerModel_;
  GridTableModel* rowsModel_;
  QLabel* column_;
  QLabel* row_;
  QLabel* totals_;
  std::vector<QPushButton*> buttons_;
  bool moving_ = false;   // the window moves the cursor itself
  bool closing_ = false;  // the model allowed the close
};

}  // namespace orvo::gui
