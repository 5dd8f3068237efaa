// TUctDokl, the accounting document window's model ("Data" > "Obraty"): a
// document is one identification (year, month, unit, number) with up to
// 1000 rows, each row one record of the period's posting file laid out by
// UctO.Def. The model prepares the look-ups, checks every cell, converts
// foreign-currency amounts, keeps the totals, saves, loads, renumbers and
// deletes documents (each a one-pass rewrite of the posting file), and
// writes the document print UctD.Ses and the voucher UcLDokl.Ses. The window
// maps keys and buttons onto it; orvo-batch books files of documents
// through the same checks.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/screens/document_store.h"
#include "core/data/cds_proc.h"
#include "core/screens/cds_cis.h"
#include "core/screens/dokl_grid.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kDoklHelpTopic = "OrvoDokl";
inline constexpr std::string_view kDoklPrintFile = "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\UctD.Ses";
inline constexpr std::string_view kDoklVoucherFile = "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\UcLDokl.Ses";
inline constexpr std::string_view kDoklWorkFile = "C:\\A_Run\\Work\\Orvoork.Cds";
inline constexpr std::string_view kDoklTotalsTitle = "        Ma dati            Dal         Rozdil";

// One document of the posting file as the list shows it.
struct DoklSummary {
  std::vector<std::string> id;  // the header values
  int rows = 0;
  double debit = 0;
  double credit = 0;
};

// What the window and the desk plug in; unset ports do nothing.
struct UctDoklPorts {
  std::function<void(std::string_view topic)> help;
  // The calculator's result display; empty while there is none.
  std::function<std::string()> calculatorValue;
  std::function<void(DeskTool)> deskTool;
  // A report file in the text report window with the given font size.
  std::function<void(const std::string& file, int fontSize)> showReport;
  // The dataset browser on a file with a layout, two headings and a mode.
  std::function<void(const std::string& file, const std::string& def, const std::string& title,
                     const std::string& heading, const std::string& mode)>
      showBrowser;
  // The list of the posting file's documents; true with the chosen
  // identification's header values.
  std::function<bool(const std::string& postingFile, int idWords, std::vector<std::string>* id)> chooseDocument;
  // A value chosen from a code list; empty when none was chosen.
  std::function<std::string(const std::string& codeList)> chooseCode;
};

// The two choices through the code-list window's model: the list of
// documents (SezDokl) and a column's code list, both in pick mode.
void ChooseThroughCodeList(UctDoklPorts& ports, TCdsCis& codeList);

class TUctDokl {
 public:
  TUctDokl(RunValues& run, TCdsProc& cds);
  TUctDokl(const TUctDokl&) = delete;
  TUctDokl& operator=(const TUctDokl&) = delete;

  UctDoklPorts ports;

  // The opening steps: code lists copied, the konta look-up built, the
  // safety copy, the layout read, an empty document with the next number.
  // False (after a message) when the window cannot open.
  bool Open();
  std::string Caption() const;
  const std::string& PostingFileName() const { return postingFile_; }
  RunValues& Run() { return run_; }
  // The posting file created empty from the layout when it is missing.
  bool MakePostingFile();

  DoklGrid& Grid() { return grid_; }
  const DoklGrid& Grid() const { return grid_; }
  DoklGridView& HeaderView() { return headerView_; }
  DoklGridView& ItemView() { return itemView_; }

  // The next free number of the plant among the documents entered here;
  // empty (after a message) when 99999 is taken.
  std::string NextNumber();

  // --- typing -------------------------------------------------------------
  // A value typed into a cell (row -1: the header).
  void Type(int row, int col, std::string_view text);
  // A value that arrives by paste, F9, F5 or a look-up: never converted.
  void Put(int row, int col, std::string_view text);

  // --- leaving cells --------------------------------------------------------
  // Checks header cell `col`; a failure says "Chybne zadany udaj". A positive
  // number in the last identification column loads that document while none
  // is present; true then when it was found (the window moves to the rows).
  bool LeaveHeaderCell(int col, bool* loaded = nullptr);
  // Leaving the header or entering the rows: the document number must be set.
  bool EnterRows();
  // Checks an item cell: conversion of a typed amount, the check kind, the
  // code list, the associated values, the default reference, the totals.
  bool LeaveItemCell(int row, int col);
  // Leaving the rows grid: an account of class 5, 6, 8 or 9 needs an
  // activity. The row that lacks it (0-based) or -1.
  int ClassCheck();

  // --- keys -----------------------------------------------------------------
  void Copy(int row, int col);
  void Paste(int row, int col);
  // F9: the cell of the row above, then checked as by Enter.
  bool CopyFromAbove(int row, int col);
  // F5 in the amount columns: the calculator's value.
  bool TakeCalculator(int row, int col);
  // Insert: refused on a full grid with a message.
  bool InsertRow(int row);
  // Ctrl+Delete: asks first.
  bool DeleteRow(int row);
  // Ctrl+F1 in an item column: the chosen code-list value with its
  // associated values, checked; the window's code-list editor chooses.
  bool ChooseValue(int row, int col, std::string_view value);
  // Ctrl+F1: the column's code list through the port; false when the
  // column has none or nothing was chosen.
  bool ChooseCode(int row, int col);

  // --- documents --------------------------------------------------------------
  // Saves into the posting file; `work` names another file (the table views),
  // which is written whatever was typed. True when nothing was refused.
  bool Save();
  bool SaveInto(std::string_view file);
  // Save, then the warning when the sides differ.
  bool SaveAndWarn();
  bool Load();
  // "Zruseni sesitu": asks; deletes the document's records.
  bool Delete();
  // "Otevrit novy sesit".
  bool NewDocument();
  // "  Konec" and the window's close: false when closing is refused.
  bool Close();
  // Escape: asks; true when the window closes without saving.
  bool Escape();
  // The documents of the posting file, in file order of first appearance.
  std::vector<DoklSummary> Documents();
  // "Vybrat sesit zo seznamu" and Ctrl+R.
  bool ChooseFromList();
  // An empty document with the preset identification, as after opening.
  void StartDocument();
  // The header values put in (cut or filled to the widths) and the document
  // of that identification loaded; false after the message.
  bool LoadDocument(const std::vector<std::string>& id);
  // The records the document saves: header values and row cells of every
  // row with data, the blank reference filled with the document number.
  std::vector<DocumentRecord> DocumentRows() const;

  // --- output -----------------------------------------------------------------
  bool WritePrint();
  bool WriteVoucher();
  void Print();
  void Voucher();
  void ShowDocumentTable();
  void ShowDocumentInViewer();
  void ShowWholeFile();
  void ShowWholeFileInViewer();
  void Help();
  void Desk(DeskTool tool);

  // --- state ------------------------------------------------------------------
  bool Present() const { return present_; }
  bool Modified() const { return modified_; }
  bool CellValid() const { return valid_; }
  bool ReadOnly() const { return readOnly_; }
  const std::string& CodeLine() const { return codeLine_; }
  bool CodeLineError() const { return codeLineError_; }
  double Debit() const { return debit_; }
  double Credit() const { return credit_; }
  // The three totals as the window shows them.
  std::string TotalsLine() const;
  void RecomputeTotals();

  // The item columns found by the roles the logic relies on (-1: none).
  int ColMD() const { return colMD_; }
  int ColDal() const { return colDal_; }
  int ColMena() const { return colMena_; }
  int ColKurz() const { return colKurz_; }
  int ColIntDokl() const { return colIntDokl_; }
  int ColUcet() const { return colUcet_; }
  int ColCinnost() const { return colCinnost_; }

 private:
  bool Prepare();
  bool BuildKonta(const std::string& konta, bool* partial);
  char KindOf(int col) const;
  bool HeaderComplete();
  std::string IdCaption(bool blankBefore) const;
  std::vector<std::string> HeaderValues() const;
  bool ApplyCheck(int row, int col, bool typed);

  RunValues& run_;
  TCdsProc& cds_;
  Env& env_;
  DoklGrid grid_;
  DoklGridView headerView_;
  DoklGridView itemView_;
  std::string postingFile_;
  std::string defFile_;

  bool present_ = false;
  bool modified_ = false;
  bool valid_ = true;
  bool readOnly_ = false;
  std::string loadedId_;
  std::string codeLine_;
  bool codeLineError_ = false;
  double debit_ = 0;
  double credit_ = 0;
  int typedRow_ = -1;
  int typedCol_ = -1;
  bool kontaWarned_ = false;

  int colMD_ = -1, colDal_ = -1, colMena_ = -1, colKurz_ = -1, colIntDokl_ = -1;
  int colUcet_ = -1, colCinnost_ = -1, colDatZapisu_ = -1;
};

}  // namespace orvo
