// The grid core of the document-entry windows: a header line and up to
// 1000 item rows laid out from a definition (the first K words form the
// header, the others the row, item column j is word K + j + 1), the cell
// check through FormatWord and the column's code list with the values the
// code list associates with a chosen value, row insertion and deletion,
// the one-cell clipboard and the sums of a column. The document window of
// the accounting and the generic grid entry both stand on it; it knows
// nothing of files of documents.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/screens/grid.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr int kDoklRows = 1000;

// The desk utilities the four buttons of the entry windows show.
enum class DeskTool { Expression, Calculator, Clock, Calendar };
inline constexpr std::string_view kDoklNotInList =
    " - Udaj nebyl v ciselniku nalezen nebo chybna syntaxe    !";

// What the check of one cell found: the code-list line's text and colour
// and, for a value found in its code list, the further cells of the row the
// code list fills (word number, value).
struct DoklCheck {
  bool ok = true;
  std::string line;          // empty: the line keeps what it showed
  bool lineError = false;    // red and bold; else green
  std::vector<std::pair<int, std::string>> associated;
};

class DoklGrid {
 public:
  explicit DoklGrid(Env& env) : env_(env) {}
  DoklGrid(const DoklGrid&) = delete;
  DoklGrid& operator=(const DoklGrid&) = delete;

  // Sizes the grid from `def` (kept as a copy): blank cells of the field
  // widths, rows numbered 0001 ... in item column 0.
  void Layout(const LoadedDef& def, int rows = kDoklRows);
  const LoadedDef& Def() const { return def_; }
  int HeaderCount() const { return def_.HeaderCount; }
  int ItemCount() const { return def_.PSl - def_.HeaderCount; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int HeaderWord(int col) const { return col + 1; }
  int ItemWord(int col) const { return def_.HeaderCount + col + 1; }
  int Width(int word) const { return def_.Word(word).TD; }
  // Item column of the word named `name` (case-insensitive); -1 when none.
  int ItemColumnOf(std::string_view name) const;

  std::string& Header(int col) { return header_.at(static_cast<size_t>(col)); }
  const std::string& Header(int col) const { return header_.at(static_cast<size_t>(col)); }
  std::string& Cell(int row, int col) { return rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(col)); }
  const std::string& Cell(int row, int col) const {
    return rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(col));
  }
  // The first `count` header values joined (all of them when count <= 0).
  std::string Identification(int count = 0) const;

  // A row holds data when a cell after the row number is not blank.
  bool RowHasData(int row) const;
  bool AnyRowData() const;
  void ClearRows();
  void ClearHeader();
  // Inserts a blank row at `row`; refused (false) when the last row holds
  // data, which would drop off the end.
  bool InsertRow(int row);
  void DeleteRow(int row);

  // The check of a typed value of word `word` with check kind `kind` ('X':
  // the definition's own): a blank value passes; otherwise FormatWord
  // normalises it and the column's code list, when the definition names
  // one, must hold it.
  DoklCheck Check(int word, std::string& value, char kind);
  // The check of a compound key against the code list of word `word`: a
  // record whose first keys.size() fields equal `keys` part by part (blanks
  // around a part do not count). Found: the code-list line; nothing is
  // copied. Not found: the error line names `shown`. Each list is indexed
  // once per key width.
  DoklCheck CheckKey(int word, const std::vector<std::string>& keys, std::string_view shown);
  // Code lists are read once; after a list was replaced on disk the next
  // check reads it again.
  void ForgetCodeLists() { lists_.clear(); }

  // Sum of an item column as numbers.
  double ColumnSum(int col) const;

  std::string clipboard;  // the one-cell clipboard

 private:
  struct CodeList {
    bool usable = false;
    std::unique_ptr<Dataset> table;
    std::unordered_map<std::string, int> index;  // trimmed key -> record
    // Key width -> joined trimmed key fields -> first record.
    std::unordered_map<size_t, std::unordered_map<std::string, int>> compound;
  };
  CodeList& ListOf(const std::string& file);
  CodeList& ListOfWord(int word);
  void DescribeRecord(const Dataset& table, int record, DoklCheck* result) const;
  std::vector<std::string> BlankRow() const;
  void Renumber();

  Env& env_;
  LoadedDef def_;
  std::vector<std::string> header_;
  std::vector<std::vector<std::string>> rows_;
  std::unordered_map<std::string, CodeList> lists_;
};

// One of the two grids as the window shows it, over the grid core. A typed
// value is stored as typed; the window checks the cell when it is left.
class DoklGridView final : public Grid {
 public:
  DoklGridView(DoklGrid& grid, bool header) : grid_(grid), header_(header) {}
  int RowCount() const override;
  int ColumnCount() const override;
  std::string ColumnTitle(int col) const override;
  int ColumnChars(int col) const override;
  std::string CellText(int row, int col) const override;
  bool SetCell(int row, int col, std::string_view text) override;
  bool ReadOnly() const override { return readOnly; }
  bool RightAligned(int col) const override;

  bool readOnly = false;
  // Called after a typed value was stored.
  std::function<void(int row, int col)> typed;

 private:
  DoklGrid& grid_;
  bool header_;
};

}  // namespace orvo
