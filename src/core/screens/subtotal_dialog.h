// The subtotal dialog TCdsScrT ("  Mezisoucty, strankovani, redukce")
// without its widgets: a grid of one row per table column (at most 200)
// where the user marks subtotals ("Sum"), page breaks ("Str") and empty
// lines ("Rad") on a group change, and numbers the columns to print in the
// order wanted ("Por"). Also how the browser fills it and what it keeps
// from it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/data/definition.h"
#include "core/screens/scr_columns.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kCdsScrTCaption = "  Mezisoucty, strankovani, redukce";
inline constexpr std::string_view kOrderGapText =
    "Vyber sloupcu netvori souvislou radu !\r\rZadejte vyber znovu.";

class CdsScrTModel {
 public:
  enum Column { kName = 0, kSum = 1, kStr = 2, kRad = 3, kPor = 4 };
  static constexpr int kColumnCount = 5;
  // Row 0 holds the captions; rows 1 .. 200 the table columns.
  static constexpr int kMaxRows = kScrMaxColumns + 1;

  CdsScrTModel();

  int RowCount() const { return rowCount_; }
  // Clamped to 1 .. 201.
  void SetRowCount(int rows);
  const std::string& Cell(int row, int col) const;
  // A typed value.
  void SetCell(int row, int col, std::string text);

  int Row() const { return row_; }
  int Col() const { return col_; }
  void Select(int row, int col);

  // A click on a cell selects it and acts like Enter on it.
  void Click(int row, int col);
  // Columns 1 to 3 toggle between their word and empty; an empty cell of
  // column 4 gets the next position.
  void Enter();
  // On a numbered cell of column 4: empties it and closes the gap.
  void Delete();
  // "  Novy vyber": no column chosen; the selection moves to column 4.
  void NewSelection();
  // "  Puvodni stav": every row numbered in table order.
  void OriginalState();
  // "  Konec": false after the message when the positions have a gap.
  bool CanClose(Env& env) const;

  // The two counters beside the grid.
  int HighestRowTouched() const { return touched_; }
  int HighestPosition() const;
  // The position in column 4; 0 when the row is left out.
  int Position(int row) const;

  // --- the browser's side ---------------------------------------------------
  // Opening the browser: the caller's flags into columns 1 to 3, and every
  // column of the definition numbered in table order. The flags by position
  // are taken from that numbering, so the caller's flags apply to the
  // table's own columns; the order stays empty.
  void PrepareForOpening(const LoadedDef& def, const ScrColumnFlags& sum,
                         const ScrColumnFlags& page, const ScrColumnFlags& line,
                         ScrGroupFlags* groupFlags, ScrOrder* order);
  // "  Param": one row per field (at most 200) with its name and flags;
  // the positions chosen so far stay.
  void LoadForParam(const LoadedDef& def, const ScrColumnFlags& sum, const ScrColumnFlags& page,
                    const ScrColumnFlags& line);
  // After the dialog: the flags per column, the order and the flags by
  // position.
  void ReadBack(ScrColumnFlags* sum, ScrColumnFlags* page, ScrColumnFlags* line, ScrOrder* order,
                ScrGroupFlags* groupFlags) const;

 private:
  void ClearFlagColumns();
  void NumberAllRows();
  void Touch(int row);
  ScrOrder OrderFromPositions() const;
  ScrGroupFlags FlagsByPosition(const ScrOrder& order) const;

  std::array<std::array<std::string, kColumnCount>, kMaxRows> cells_;
  int rowCount_ = 1;
  int row_ = 1;
  int col_ = kSum;
  int touched_ = 0;
};

}  // namespace orvo
