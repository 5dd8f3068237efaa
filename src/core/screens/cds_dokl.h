// TCdsDokl, the grid data entry ("Nahravani dat  " + date): documents of
// any dataset file laid out by a definition - a header line whose first
// DoklIdCount fields identify the document and item rows, each stored as a
// record that repeats the header. The caller fills the hand-over values
// (DoklHandOver, one set for the run in the Session) and shows the window;
// the model reads, checks, saves, deletes, lists and prints the documents,
// and the window maps keys and buttons onto it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/screens/cds_cis.h"
#include "core/screens/document_store.h"
#include "core/screens/dokl_grid.h"

namespace orvo {

inline constexpr std::string_view kCdsDoklWorkFile = "C:\\A_Run\\Work\\DoklWork.Cds";
inline constexpr std::string_view kCdsDoklWorkDef = "C:\\A_Run\\Work\\DoklWork.Def";
inline constexpr std::string_view kCdsDoklPrintFile = "C:\\A_Run\\Sestavy\\CdsDokl.Ses";
inline constexpr std::string_view kCdsDoklNoId = "Nebyla zadana identifikace dokladu !";

// The hand-over values: set by the caller, reset when the window closes.
struct DoklHandOver {
  std::string DoklFile;
  std::string DoklDef;
  std::array<std::string, 20> DoklPreset;
  int DoklIdCount = 0;    // 0: all header fields
  int DoklListCount = 0;  // 0: all header fields
  std::array<int, 20> DoklListFields{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
  int DoklRows = 0;  // rows of the item grid, caption row included; 0: 1000 item rows
  int DoklLineOffset = 0;
  std::string DoklToolDir;
  std::string DoklHeading1;
  std::string DoklHeading2;

  void Reset() { *this = DoklHandOver(); }
};

struct CdsDoklPorts {
  // The dataset browser on a file with the hand-over's headings.
  std::function<void(const std::string& file, const std::string& def)> showBrowser;
  std::function<void(const std::string& file)> showReport;
  std::function<void(DeskTool)> deskTool;
  std::function<std::string()> calculatorValue;
  // Shift+F2: a file name proposed in a save dialog; empty when cancelled.
  std::function<std::string(const std::string& proposed)> saveDialog;
};

class TCdsDokl {
 public:
  TCdsDokl(Env& env, TCdsProc& cds, TCdsCis& codeList, DoklHandOver& handOver);
  TCdsDokl(const TCdsDokl&) = delete;
  TCdsDokl& operator=(const TCdsDokl&) = delete;

  CdsDoklPorts ports;

  // The opening steps (also a new document): the definition, the grids,
  // the presets. False after a message when the definition cannot be read.
  bool Open();
  std::string Caption() const;

  DoklGrid& Grid() { return grid_; }
  DoklGridView& HeaderView() { return headerView_; }
  DoklGridView& ItemView() { return itemView_; }
  int IdCount() const;

  // Typing (row -1: the header) and values that arrive otherwise.
  void Type(int row, int col, std::string_view text);
  void Put(int row, int col, std::string_view text);

  // Enter (byTab false) or Tab leaving header column `col`: the edit rule,
  // the code list for a value above 0, the dependent columns, and reading
  // the document once the identification is complete. `*loaded` tells
  // whether a document was read.
  bool LeaveHeaderCell(int col, bool byTab, bool* loaded = nullptr);
  // Entering the items: the last identification field must hold a number.
  bool EnterItems();
  // The item check of the cell last typed in.
  bool LeaveItemCell(int row, int col);

  // Reads the document of the header's identification.
  bool Read();
  bool Save();
  bool SaveInto(std::string_view file);
  bool Delete();
  bool NewDocument();
  // "  Konec": false when closing is refused.
  bool Close();
  bool Escape();

  // List of documents, previous/next, last, items of another document,
  // choice by item; all through the code-list window in pick mode.
  bool ChooseFromList();
  bool Neighbour(char direction);
  bool LastDocument();
  bool TakeItemsOf();
  // The grid row of the chosen line, or -1.
  int ChooseByItem();

  // Item keys.
  void Copy(int row, int col) { grid_.clipboard = grid_.Cell(row, col); }
  void Paste(int row, int col);
  bool CopyRowAbove(int row);            // F8
  bool CopyCellAbove(int row, int col);  // F9
  bool TakeCalculator(int row, int col); // F5
  int FirstEmptyRow() const;             // Ctrl+PgDn
  // F3: the next row below `row` whose cell equals `text` (upper-cased), or
  // -1 after the error box.
  int Search(int row, int col, std::string_view text);
  bool InsertRow(int row);
  bool DeleteRow(int row);
  bool ChooseCode(int row, int col);
  bool ChooseHeaderCode(int col);

  // Ctrl+F2 and Shift+F2: the document saved into a file of its own.
  std::string OwnFileName() const;
  bool CopyToOwnFile(bool withDialog);

  bool WritePrint();
  void Print();
  void ShowDocumentTable();
  void ShowWholeFile();
  void RunTool();
  void Desk(DeskTool tool);

  bool Loaded() const { return loaded_; }
  bool Valid() const { return valid_; }
  bool Changed() const { return changed_; }
  bool ReadOnly() const { return readOnly_; }
  const std::string& CodeLine() const { return codeLine_; }
  bool CodeLineError() const { return codeLineError_; }

 private:
  std::vector<std::string> HeaderValues() const;
  std::string CurrentId() const;
  std::string IdCaption(bool blankBefore) const;
  bool IdComplete() const;
  void FillId(const std::vector<std::string>& values);
  bool Pick(const std::string& file, int keys);
  void ApplyAssociated(int row, const DoklCheck& check);
  // The check of a compound-key cell (kind 'K'): the edit rule, then the
  // code list looked up by the row's key values.
  DoklCheck CompoundCheck(int row, int col, std::string& value);

  Env& env_;
  TCdsProc& cds_;
  TCdsCis& codeList_;
  DoklHandOver& h_;
  DoklGrid grid_;
  DoklGridView headerView_;
  DoklGridView itemView_;
  bool loaded_ = false;
  bool valid_ = true;
  bool changed_ = false;
  bool readOnly_ = false;
  bool typedItems_ = false;
  bool pickingHeader_ = false;  // a header check right after a pick
  std::string loadedId_;
  std::string codeLine_;
  bool codeLineError_ = false;
};

}  // namespace orvo
