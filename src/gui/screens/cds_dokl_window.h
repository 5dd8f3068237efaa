// The grid data entry window TCdsDokl ("Nahravani dat  " + date) over the
// session's model: the code-list line, the header grid, the column and row
// labels, the buttons and the item grid. Keys and leaving a cell go to the
// model; the window only moves the cursor and paints.
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "core/screens/cds_dokl.h"
#include "gui/screens/dokl_table_view.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvo::gui {

class OrvoApp;
class GridTableModel;

class CdsDoklWindow : public QDialog {
  Q_OBJECT
 public:
  CdsDoklWindow(OrvoApp& app, QWidget* parent);

  // Opens the model over the session's hand-over values and shows the
  // window modally; the hand-over values are reset afterwards.
  void Run();

  TCdsDokl& model() { return model_; }
  DoklTableView* HeaderGrid() { return header_; }
  DoklTableView* RowsGrid() { return rows_; }
  QPushButton* Button(const char* name);
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
  void EnterInRows();
  void EnterInHeader();
  void MoveNextRowCell();
  void Refresh();
  void RefreshAll();
  void Work(const std::function<void()>& work);
  void Finish();

  OrvoApp& app_;
  TCdsDokl& model_;
  QLineEdit* codeLine_;
  DoklTableView* header_;
  GridTableModel* headerModel_;
  QLabel* column_;
  QLabel* row_;
  DoklTableView* rows_;
  GridTableModel* rowsModel_;
  std::vector<QPushButton*> buttons_;
  bool moving_ = false;
  bool closing_ = false;
};

}  // namespace orvo::gui
