#include "gui/screens/grid_table_model.h"

#include "core/sys/text.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

GridTableModel::GridTableModel(Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.RowCount()), cols_(grid.ColumnCount()) {}

int GridTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    return FromCp(grid_.CellText(index.row(), index.column()));
  }
  if (role == Qt::TextAlignmentRole) {
    return grid_.RightAligned(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                              : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return {};
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  // A heading is centred: blanks after a title would push it aside.
  if (orientation == Qt::Horizontal) return FromCp(TrimRight(grid_.ColumnTitle(section)));
  return section + 1;
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (index.isValid() && !grid_.ReadOnly()) f |= Qt::ItemIsEditable;
  return f;
}

void GridTableModel::Run(const std::function<void()>& work) {
  if (guard) {
    guard(work);
  } else {
    work();
  }
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || grid_.ReadOnly()) return false;
  bool changed = false;
  const std::string text = ToCp(value.toString());
  Run([&] { changed = grid_.SetCell(index.row(), index.column(), text); });
  if (changed) emit dataChanged(index, index);
  return changed;
}

void GridTableModel::sort(int column, Qt::SortOrder order) {
  if (!sortRows) return;
  emit layoutAboutToBeChanged();
  Run([&] { sortRows(column, order == Qt::AscendingOrder); });
  emit layoutChanged();
}

void GridTableModel::Reload() {
  beginResetModel();
  rows_ = grid_.RowCount();
  cols_ = grid_.ColumnCount();
  endResetModel();
}

void GridTableModel::RowsChanged(int first, int last) {
  if (first < 0 || last < first || last >= rows_ || cols_ == 0) return;
  emit dataChanged(index(first, 0), index(last, cols_ - 1));
}

void GridTableModel::Refresh() {
  const int cols = grid_.ColumnCount();
  if (cols > cols_) {
    beginInsertColumns({}, cols_, cols - 1);
    cols_ = cols;
    endInsertColumns();
  } else if (cols < cols_) {
    beginRemoveColumns({}, cols, cols_ - 1);
    cols_ = cols;
    endRemoveColumns();
  }
  const int rows = grid_.RowCount();
  if (rows > rows_) {
    beginInsertRows({}, rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
  } else if (rows < rows_) {
    beginRemoveRows({}, rows, rows_ - 1);
    rows_ = rows;
    endRemoveRows();
  }
  if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

}  // namespace orvo::gui
