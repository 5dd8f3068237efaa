#include "gui/screens/dataset_table_model.h"

#include "gui/sys/qt_text.h"

namespace orvo::gui {

DatasetTableModel::DatasetTableModel(CdsScrModel& browser, QObject* parent)
    : QAbstractTableModel(parent), browser_(browser) {}

int DatasetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !browser_.IsOpen() ? 0 : browser_.RecordCount();
}

int DatasetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !browser_.IsOpen() ? 0 : browser_.ColumnCount();
}

QVariant DatasetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    return FromCp(browser_.CellText(index.row(), index.column()));
  }
  return {};
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return FromCp(browser_.ColumnTitle(section));
  return section + 1;
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (index.isValid() && browser_.Editable()) f |= Qt::ItemIsEditable;
  return f;
}

bool DatasetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !browser_.Editable()) return false;
  browser_.Select(index.row(), index.column());
  browser_.EditCell(ToCp(value.toString()));
  emit dataChanged(index, index);
  return true;
}

void DatasetTableModel::Reload() {
  beginResetModel();
  endResetModel();
}

void DatasetTableModel::RowsChanged(int first, int last) {
  if (first < 0 || last < first || columnCount() == 0) return;
  emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}

}  // namespace orvo::gui
