// The window of the table viewer: the heading over a table view whose model
// reads the cells straight from the dataset (no item per cell), sorting by
// a click on a column heading, find (Ctrl+F, F3), copy (Ctrl+C), save as CSV
// (Ctrl+S) and, when not viewing only, editing with a question on closing.
#pragma once

#include <QAbstractTableModel>
#include <QMainWindow>

#include <functional>

#include "tools/tabview/viewer_table.h"

class QLabel;
class QTableView;

namespace orvo::gui {

class ViewerTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  ViewerTableModel(ViewerTable& table, QObject* parent = nullptr);
  // Runs the work of an edit or a sort (the window's Guard).
  std::function<void(const std::function<void()>&)> guard;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  void sort(int column, Qt::SortOrder order) override;

 private:
  ViewerTable& table_;
};

class TableViewWindow : public QMainWindow {
  Q_OBJECT
 public:
  TableViewWindow(Env& env, ViewerTable& table);

  QTableView* View() { return view_; }
  ViewerTableModel* Model() { return model_; }

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
  ViewerTableModel* model_;
  QString lastFind_;
};

}  // namespace orvo::gui
