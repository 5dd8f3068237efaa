// The browser's grid as a Qt item model: cells are read straight from the
// browser model's dataset when the view asks for them (no item per cell),
// so a table of a million records scrolls as smoothly as a small one.
// Edits go to the browser model, which decides whether they are allowed.
#pragma once

#include <QAbstractTableModel>

#include "core/screens/browser_model.h"

namespace orvo::gui {

class DatasetTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit DatasetTableModel(CdsScrModel& browser, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // After the browser model changed the records or the columns.
  void Reload();
  // After a change of cells only.
  void RowsChanged(int first, int last);

 private:
  CdsScrModel& browser_;
};

}  // namespace orvo::gui
