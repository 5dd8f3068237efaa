// The code-list window TCdsCis without its widgets: the window's state (the
// shown table, the selected cell, the search box, browse or edit mode) and
// what each key and button does, talking to its callers through the
// code-list hand-over values; the uses that show it (ACis, VCisel), the
// in-place sort, and the look-ups of code_list_lookup.h under the names the
// callers know. The Qt window maps keys, buttons and cells onto this model
// and paints it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/screens/code_list_lookup.h"
#include "core/screens/grid.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kCisCaption = "   Ciselnik          Jmeno:   ";
inline constexpr std::string_view kCisHint =
    "Enter - potvrzeni vyhledane vety, Alt+Del - vymazani tabulky";
inline constexpr int kCisLeft = 30;
inline constexpr int kCisTop = 30;
inline constexpr int kCisWidth = 592;
inline constexpr int kCisHeight = 600;

// What the model needs from the windows around it.
struct CisPorts {
  // Shows the window modally: Open, the user's keys, Close. Without it
  // nothing is shown.
  std::function<void()> showWindow;
  // The rows per page of the print settings; 80 without it.
  std::function<int()> rowsPerPage;
  // Hides the window, shows the report in the text report window modally
  // and shows the window again.
  std::function<void(const std::string& reportFile)> showReport;
};

// The keys of the grid the model reacts to.
enum class CisKey { Digit, Enter, F9, Delete, Escape, C, V, Other };

struct CisKeyEvent {
  CisKey key = CisKey::Other;
  char digit = 0;  // with CisKey::Digit
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

class TCdsCis : public Grid {
 public:
  TCdsCis(Env& env, TCdsProc& cds, CisHandOver& handOver, CisPorts ports = {});
  TCdsCis(const TCdsCis&) = delete;
  TCdsCis& operator=(const TCdsCis&) = delete;

  CisHandOver& handOver() { return h_; }
  // The window sets its ports once it exists.
  void SetPorts(CisPorts ports) { ports_ = std::move(ports); }
  const CisPorts& Ports() const { return ports_; }

  // --- uses by the callers -------------------------------------------------
  // The main menu: key fields 1..num, editing permitted, and the window.
  void ACis(std::string_view jmCis, int num);
  // The pick list of a column of a data-entry window (hp 1 header, 2 item).
  void VCisel(int hp, int sloup);
  // The look-ups without the window (code_list_lookup.h).
  void KCisel(int hp, int sloup) { lookup_.KCisel(hp, sloup); }
  void TestEx() { lookup_.TestEx(); }
  void GCisel() { lookup_.GCisel(); }
  void SezDokl() { lookup_.SezDokl(); }
  void DoklPredZa(char xPredZa) { lookup_.DoklPredZa(xPredZa); }
  // Sorts CisFileName in place by CisKeyFields. False (after its message)
  // when the file is missing or could not be sorted and written whole; the
  // file is then as it was. Without key fields there is nothing to do.
  bool SortCisProc();

  // --- the window ----------------------------------------------------------
  // FormShow: false (after the file check's message) when the file is
  // missing or cannot be loaded; the window then closes at once.
  bool Open();
  // FormClose: with editing permitted the table is stored and sorted.
  void Close();
  bool IsOpen() const { return open_; }

  std::string Caption() const;
  bool EditMode() const { return editMode_; }
  bool PickMode() const { return h_.CisEditAllowed != 'A'; }
  // "  Setrideni" and "  Editace" work only with editing permitted; Insert,
  // Delete and Save only in edit mode.
  bool SortEnabled() const { return h_.CisEditAllowed == 'A'; }
  bool EditButtonEnabled() const { return h_.CisEditAllowed == 'A'; }
  bool RecordButtonsEnabled() const { return editMode_; }

  // The grid: a pending new record shows as a row of its own; a column is
  // a field, titled by its name and as wide as its size.
  int RowCount() const override;
  int ColCount() const;
  int ColumnCount() const override { return ColCount(); }
  std::string ColumnTitle(int col) const override;
  int ColumnChars(int col) const override;
  // The column width in pixels for a title `textWidth` pixels wide.
  int ColumnWidth(int col, int titleTextWidth) const;
  std::string CellText(int row, int col) const override;
  // A value typed into a cell (edit mode only): selects the cell and
  // types into it. The same value as shown is no change.
  bool SetCell(int row, int col, std::string_view text) override;
  bool ReadOnly() const override { return !editMode_; }
  int CurrentRow() const;
  int CurrentCol() const { return col_; }
  const Dataset& table() const { return table_; }

  // Moving the cursor (a click on a cell, the arrow keys). A new record
  // that nothing was typed into is dropped when left.
  void SelectCell(int row, int col);
  void SelectCol(int col);
  // Typing into the selected cell (edit mode only).
  void SetCellText(std::string_view text);

  // Buttons.
  void First();
  void Prior();
  void Next();
  void Last();
  void InsertRecord();
  void DeleteRecord();
  void SaveRecord();
  void EditCis();   // "  Editace"
  void SortCis();   // "  Setrideni"
  void Tisk();      // "  Tisk"

  // The search box.
  const std::string& SearchText() const { return search_; }
  void SetSearchText(std::string_view text) { search_ = std::string(text); }
  void VyhledKlic();      // "Vyhledani podle klice", Enter in the search box
  void VyhledRetezec();   // "Vyhledani retezce"

  // A key in the grid; true when the window is to close.
  bool Key(const CisKeyEvent& event);
  // A double click: picks in pick mode; true when the window is to close.
  bool DoubleClick();

  int RowsPerPage() const { return rowsPerPage_; }

 private:
  // Posts the record being edited, or drops a new one nothing was typed
  // into.
  void LeaveRecord();
  void MoveToRow(int row);
  void Enter();
  void F9();
  bool Pick();
  void EmptyTable();
  void Vyhled();
  // The sort of the file by the key fields into the work file, moved over
  // the file. False when nothing was replaced.
  bool SortFile();

  Env& env_;
  TCdsProc& cds_;
  CisHandOver& h_;
  CisPorts ports_;
  CodeListLookup lookup_;
  Dataset table_;  // the shown list
  bool open_ = false;
  bool editMode_ = false;
  int pendingRow_ = -1;    // grid row of a new record not yet posted
  bool touched_ = false;  // something was typed into the new record
  int col_ = 0;
  int rowsPerPage_ = 80;
  std::string search_;
};

}  // namespace orvo
