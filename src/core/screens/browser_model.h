// The dataset browser TCdsScr without its widgets. A caller sets the
// hand-over values (file, definition, headings, whether corrections are
// allowed, column flags), shows the window and reads ScrChanged afterwards;
// closing resets the hand-over. The model opens the table, answers the
// grid's questions (cells, captions, widths, counters) and does what every
// key, button and menu item of the window does: searches, corrections,
// the cell clipboard, emptying, copies of the table, the subtotal dialog
// and the reports ("  Sestava I", "  Sestava II", "  Sestava III", "  Word").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/office/office_port.h"
#include "core/sys/clipboard.h"
#include "core/output/print_settings.h"
#include "core/screens/grid.h"
#include "core/screens/report_gen.h"
#include "core/screens/scr_columns.h"
#include "core/screens/subtotal_dialog.h"
#include "core/output/vyst_model.h"
#include "core/sys/env.h"

namespace orvo {

// The copy with minimal column widths.
inline constexpr std::string_view kCdsScrRWCds = "C:\\A_Run\\Work\\CdsScrRW_.Cds";
inline constexpr std::string_view kCdsScrRWDef = "C:\\A_Run\\Work\\CdsScrRW_.Def";

inline constexpr std::string_view kEmptyTableQuestion = "Skutecne chceme tabulku vyprazdnit ?";
inline constexpr std::string_view kClearFileQuestion = "Skutecne chcete zrusit obsah souboru ?";
inline constexpr std::string_view kNotFoundTail = "     -Udaj nebyl nalezen !";
inline constexpr std::string_view kSavedCopyText = "Tabulka byla ulozena do souboru:\r\r";
inline constexpr std::string_view kProgressCaption = "  Probiha vypocet !   ............";

// The browser's hand-over values: set by the caller before showing the
// window, back at their defaults once it closes (ScrToolDir, set once at
// start-up, and the result ScrChanged excepted).
struct ScrHandOver {
  std::string ScrFile;
  std::string ScrDef;
  std::string ScrHeading1;
  std::string ScrHeading2;
  char ScrEditAllowed = 'N';
  std::string ScrToolDir;
  ScrColumnFlags ScrSumCols = NoColumnFlags();
  ScrColumnFlags ScrPageCols = NoColumnFlags();
  ScrColumnFlags ScrLineCols = NoColumnFlags();
  // Result: the user changed the table (typing, pasting, deleting).
  bool ScrChanged = false;

  void Reset();
};

class CdsScrModel : public Grid {
 public:
  CdsScrModel(Env& env, TCdsProc& cds, ScrHandOver& handOver, PrintSettings& settings,
              Clipboard& clipboard);
  CdsScrModel(const CdsScrModel&) = delete;
  CdsScrModel& operator=(const CdsScrModel&) = delete;

  // --- opening and closing ----------------------------------------------
  // False when the file or its definition is missing (the window closes at
  // once, without a message of its own) or the file cannot be loaded.
  bool Open();
  // Stores a writable table and resets the hand-over values and the
  // window's choices.
  void Close();
  bool IsOpen() const { return table_.Active(); }
  const std::string& Caption() const { return caption_; }

  // --- the grid ------------------------------------------------------------
  Dataset& Table() { return table_; }
  const Dataset& Table() const { return table_; }
  // The definition the table was opened with (the loaded definition of
  // the engine may be another one after a report).
  const LoadedDef& Definition() const { return def_; }
  int RecordCount() const { return table_.RecordCount(); }
  // The grid: a row is a record, a column a field, titled by its name and
  // as wide as its size; cells take typed values while corrections are on.
  int RowCount() const override { return IsOpen() ? table_.RecordCount() : 0; }
  int ColumnCount() const override { return IsOpen() ? table_.FieldCount() : 0; }
  // A cell as the grid shows it; the record being edited shows its edit.
  std::string CellText(int record, int col) const override;
  std::string ColumnTitle(int col) const override;
  int ColumnChars(int col) const override;
  // Selects the cell and edits it as EditCell does.
  bool SetCell(int row, int col, std::string_view text) override;
  bool ReadOnly() const override { return !editable_; }
  // Pixels: the caption's width plus 5, at least the field size times a
  // character's width (7 pixels in the system's grid font) plus 5.
  int ColumnWidthPixels(int col, int captionWidthPixels, int charWidthPixels = 7) const;

  // The current record (0-based; -1 when the table is empty) and column.
  int Row() const { return table_.RecNo() - 1; }
  int Col() const { return col_; }
  // Moves the grid's cursor (posting an edit when the record changes).
  void Select(int row, int col);
  std::string ColumnCounterText() const;  // "Sloupec:", four digits
  std::string RowCounterText() const;     // "Radek:", eight digits

  // --- corrections -----------------------------------------------------------
  // "  Oprava" (and Ctrl+S in the grid) is offered only when the caller
  // allowed corrections.
  bool CanToggleCorrections() const { return handOver_.ScrEditAllowed == 'A'; }
  void ToggleCorrections();
  bool Editable() const { return editable_; }
  // "Vyprazdneni tabulky", insert, delete and save.
  bool EditButtonsEnabled() const { return editable_; }

  // --- what the window shows and lets the user choose --------------------
  std::string& Heading1Text() { return heading1_; }
  std::string& Heading2Text() { return heading2_; }
  bool WithTime() const { return withTime_; }
  void SetWithTime(bool on) { withTime_ = on; }
  bool AllColumns() const { return allColumns_; }
  void SetAllColumns(bool on) { allColumns_ = on; }
  bool MinimalWidth() const { return minimalWidth_; }
  // "Minimalni sirka sestavy": reopens on the narrowed copy or the file.
  void SetMinimalWidth(bool on);
  // The rows per page beside the print settings button.
  std::string RowsFieldText() const;
  // After the print settings window has changed the settings.
  PrintSettings& Settings() { return settings_; }

  // --- searches ------------------------------------------------------------
  std::string& SearchText() { return search_; }
  // "  Najit klic": in the selected column, from the next record on.
  bool SearchKey();
  // "  Najit ret.": in every column, from the next record on.
  bool SearchString();
  // Enter in the search box: by key, and when that finds nothing, for the
  // string.
  bool SearchEnter();

  // --- grid keys -------------------------------------------------------------
  // A typed value, Delete or Backspace in the selected cell.
  void EditCell(std::string_view text);
  void CopyCell();    // Ctrl+C, and the button (any mode)
  void PasteCell();   // Ctrl+V, and the button (corrections on)
  void ClearFile();   // Alt+Del
  void EmptyTable();  // "Vyprazdneni tabulky"
  void F9();
  void Enter();
  void Tab();
  void Up();
  void Down();
  void PageUp(int rows);
  void PageDown(int rows);

  // --- navigation buttons and menu moves -------------------------------------
  void First();
  void Prior();
  void Next();
  void Last();
  void Insert();        // an empty record (corrections on)
  void DeleteRecord();  // corrections on
  void SaveRecord();    // posts and normalises the selected cell
  void CtrlHome();
  void CtrlEnd();
  void Home();
  void End();
  void ColPlus();
  void ColMinus();

  // --- copies of the table -----------------------------------------------------
  // Ctrl+F2: "_CdsScr" before the first "." of the file name as the caller
  // gave it; nothing without a ".".
  std::string CopyName() const;
  void SaveCopy();
  // Shift+F2: the same name offered in a save dialog.
  void SaveCopyAs();
  // Ctrl+Alt+U: corrections allowed or not, and the window reopened.
  void ToggleEditAllowed();
  // "  Schranka": the whole table as text into the clipboard.
  std::string WholeTableText() const;
  void CopyWholeTable();
  // " Tisk okna" only when there is something to print.
  bool CanPrintWindow() const { return table_.Active() && table_.RecordCount() > 0; }

  // --- the subtotal dialog ---------------------------------------------------
  CdsScrTModel& SubtotalDialog() { return dialog_; }
  // "  Param": fills the dialog before it is shown; ParamDone reads it back.
  void Param();
  void ParamDone();
  const ScrOrder& Order() const { return order_; }
  const ScrGroupFlags& GroupFlags() const { return groupFlags_; }

  // --- reports ---------------------------------------------------------------
  ReportRequest Request() const;
  // "  Sestava I": the report for the text report window, whose hand-over
  // is filled; false when nothing was written (an empty table included).
  bool SestI(VystHandOver& vyst);
  // "  Sestava II" and "  Sestava III": the report and the column layout
  // for the framed and graphic report windows.
  std::optional<ReportLayout> SestII();
  std::optional<ReportLayout> SestIII() { return SestII(); }
  // "  Word": the unpaged report into the clipboard and into a visible
  // document in the report font.
  bool Word(Office& office);
  // "  Excel": the table as it is shown into a workbook opened with the
  // spreadsheet application (its path shown when there is none).
  bool Excel(Office& office);

 private:
  void CloseTable();
  void RestoreRemembered();
  void Reopen();
  bool CellAllowsEdit() const;
  void PostAndNormalise();
  void MoveRow(int delta);
  void EmptyAll();
  void SetCellValue(std::string_view text);
  std::optional<int> FindKeyFrom(int start, const std::string& key) const;
  void ResetChoices();

  Env& env_;
  TCdsProc& cds_;
  ScrHandOver& handOver_;
  PrintSettings& settings_;
  Clipboard& clipboard_;

  Dataset table_;
  LoadedDef def_;
  CdsScrTModel dialog_;
  ScrOrder order_;
  ScrGroupFlags groupFlags_;

  bool remembered_ = false;
  std::string rememberedFile_;
  std::string rememberedDef_;

  std::string caption_;
  std::string heading1_;
  std::string heading2_;
  std::string search_;
  int col_ = 0;
  bool editable_ = false;
  bool withTime_ = false;
  bool allColumns_ = false;
  bool minimalWidth_ = false;
};

}  // namespace orvo
