// The window of the table viewer: the heading over a table view whose model
// reads the cells straight from the dataset (no item per cell), sorting by
// a click on a column heading, find (Ctrl+F, F3), copy (Ctrl+C), save as CSV
// (Ctrl+S) and, when not viewing only, editing with a question on closing.
#pragma once

#include <QMainWindow>

#include <functional>

#include "gui/screens/grid_table_model.h"
#include "tools/tabview/viewer_table.h"

class QLabel;
class QTableView;

namespace orvo::gui {

class TableViewWindow : public QMainWindow {
  Q_OBJECT
 public:
  TableViewWindow(Env& env, ViewerTable& table);

  QTableView* View() { return view_; }
  GridTableModel* Model() { return model_; }

  // The actions of the menu, callable from tests.
  void FindText(const QString& text);
  void FindNext();
  void CopySelection();
  bool SaveCsvAs(const QString& hostPath);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The question for unsaved changes; false keeps the window open.
  bool MayClose();
  void AskFind();
  void AskSaveCsv();
  // Runs a slot's work: an end of the application closes the viewer, any
  // other failure is said and the viewer goes on.
  void Guard(const std::function<void()>& work);

  Env& env_;
  ViewerTable& table_;
  QLabel* heading_;
  QTableView* view_;
  GridTableModel* model_;
  QString lastFind_;
};

}  // namespace orvo::gui
