// The table viewer TabView.Exe, apart from its window: what it was asked
// to show (the hand-over file TabView.Ldb, or a data and a definition file
// given directly, with "Zobrazeni" for viewing only), the dataset laid out
// by the definition's columns, widths and captions, and what a person does
// with a table: sort by a column, find a text, copy a selection, save it as
// CSV, and - when not viewing only - change a cell and store the file.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/screens/grid.h"
#include "core/sys/env.h"

namespace orvo {

struct ViewerRequest {
  std::string dataFile;  // logical paths
  std::string defFile;
  std::string title;
  std::string heading;
  bool viewOnly = false;
};

// The viewer's parameters: one naming the hand-over file, or the data file,
// the definition file and optionally "Zobrazeni". Nothing, after a message
// saying what is wrong, when they cannot be used.
std::optional<ViewerRequest> ViewerRequestFromArgs(Env& env, const std::vector<std::string>& args);

struct ViewerColumn {
  std::string caption;
  int width = 0;       // in characters
  bool numeric = false;
  int field = 0;       // dataset field
  int word = 0;        // definition word, 1-based; 0 without a definition
};

class ViewerTable : public Grid {
 public:
  explicit ViewerTable(Env& env);

  // Reads the definition and the dataset. False after the message naming
  // the file that could not be used.
  bool Load(const ViewerRequest& request);
  const ViewerRequest& Request() const { return request_; }

  int RowCount() const override { return static_cast<int>(order_.size()); }
  int ColumnCount() const override { return static_cast<int>(columns_.size()); }
  const ViewerColumn& Column(int column) const { return columns_.at(static_cast<size_t>(column)); }
  // The value of a cell in the shown order; numeric values without their
  // padding blanks.
  std::string Cell(int row, int column) const;

  // The grid: the columns' captions and widths, numbers at the right;
  // cells take values unless viewing only.
  std::string ColumnTitle(int column) const override { return Column(column).caption; }
  int ColumnChars(int column) const override { return Column(column).width; }
  std::string CellText(int row, int column) const override { return Cell(row, column); }
  bool ReadOnly() const override { return request_.viewOnly; }
  bool RightAligned(int column) const override { return Column(column).numeric; }
  // The dataset record shown at a row.
  int RecordOf(int row) const { return order_.at(static_cast<size_t>(row)); }

  // Stable sort of the shown rows by one column: numeric columns by value,
  // text columns by their bytes. `column` -1 restores the file's order.
  void Sort(int column, bool ascending);
  int SortColumn() const { return sortColumn_; }

  // The next cell after (row, column), row by row and wrapping round, whose
  // value contains `text` (letters compared in upper case, Czech ones
  // included). {-1, -1} when no cell does.
  std::pair<int, int> Find(std::string_view text, int row, int column) const;

  // The cells of the given rows and columns, tab-separated, one line per
  // row, as a spreadsheet takes them from the clipboard.
  std::string CopyText(const std::vector<int>& rows, const std::vector<int>& columns) const;
  // The whole table as CSV: the captions, then every row; ";" between values,
  // quotes where needed, Windows-1250, CR LF.
  std::string CsvText() const;
  // Writes CsvText crash-safely; false after a message.
  bool SaveCsv(std::string_view logicalPath);

  // Editing (not in viewing-only mode): the value is normalised as the
  // definition's word prescribes. False when refused.
  bool SetCell(int row, int column, std::string_view value) override;
  bool Modified() const { return modified_; }
  // Stores the dataset back to its file; false after a message.
  bool Save();
  // Forgets the changes (the viewer is ending without its question).
  void Discard() { modified_ = false; }

 private:
  void BuildColumns();

  Env& env_;
  ViewerRequest request_;
  LoadedDef def_;
  bool haveDef_ = false;
  std::unique_ptr<Dataset> data_;
  std::vector<ViewerColumn> columns_;
  std::vector<int> order_;
  int sortColumn_ = -1;
  bool modified_ = false;
};

}  // namespace orvo
