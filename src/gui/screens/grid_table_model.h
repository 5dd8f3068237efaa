// Any core grid (the dataset browser, the code-list window, the table
// viewer) as a Qt item model: cells are read from the grid when the view
// asks for them (no item per cell), so a table of a million records
// scrolls as smoothly as a small one. A typed value goes to the grid,
// which decides whether it is taken.
#pragma once

#include <QAbstractTableModel>

#include <functional>

#include "core/screens/grid.h"

namespace orvo::gui {

class GridTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridTableModel(Grid& grid, QObject* parent = nullptr);

  // Runs the work of an edit or a sort (the window's guard); without it
  // the work runs as it is.
  std::function<void(const std::function<void()>&)> guard;
  // Sorts the grid's rows by a column (a click on its heading); without it
  // a heading does not sort.
  std::function<void(int column, bool ascending)> sortRows;

  Grid& grid() { return grid_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  void sort(int column, Qt::SortOrder order) override;

  // After the grid changed its records or its columns: the view starts
  // over.
  void Reload();
  // After a change of the cells of these rows only.
  void RowsChanged(int first, int last);
  // After any change: rows and columns are added or dropped at the end, so
  // the view keeps its current cell and an open editor, and every shown
  // cell and title is read again.
  void Refresh();

 private:
  void Run(const std::function<void()>& work);

  Grid& grid_;
  // The counts the view was last told of.
  int rows_ = 0;
  int cols_ = 0;
};

}  // namespace orvo::gui
