// A table as a grid shows it: rows of cells under column titles. A grid
// window asks only for the cells it paints, so an implementation answers
// each question on demand and keeps nothing per row; a table of a million
// records costs no more to show than a small one. The dataset browser, the
// code-list window and the table viewer are grids; one Qt table model
// shows any of them.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

class Grid {
 public:
  virtual ~Grid() = default;

  // 0 while there is no table.
  virtual int RowCount() const = 0;
  virtual int ColumnCount() const = 0;
  virtual std::string ColumnTitle(int col) const = 0;
  // How many characters the column's values take; the window turns it
  // into pixels by its font, and may widen it for the title.
  virtual int ColumnChars(int col) const = 0;
  // The cell as shown.
  virtual std::string CellText(int row, int col) const = 0;
  // A value typed into a cell; the grid may store it normalised. False
  // when it took nothing: read-only, a value its column refuses, or (for
  // a grid that says so) the value the cell already shows.
  virtual bool SetCell(int row, int col, std::string_view text) = 0;
  // No cell can be typed into.
  virtual bool ReadOnly() const = 0;
  // Figures stand at the right edge of their column.
  virtual bool RightAligned(int /*col*/) const { return false; }

 protected:
  Grid() = default;
  Grid(const Grid&) = default;
  Grid& operator=(const Grid&) = default;
};

}  // namespace orvo
