#include "core/screens/browser_model.h"

#include <algorithm>

#include "core/shell/file_names.h"
#include "core/data/cds_file.h"
#include "core/data/dataset_ops.h"
#include "core/data/format_word.h"
#include "core/screens/cds_excel.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

void ScrHandOver::Reset() {
  ScrFile.clear();
  ScrDef.clear();
  ScrHeading1.clear();
  ScrHeading2.clear();
  ScrEditAllowed = 'N';
  ScrSumCols = NoColumnFlags();
  ScrPageCols = NoColumnFlags();
  ScrLineCols = NoColumnFlags();
}

CdsScrModel::CdsScrModel(Env& env, TCdsProc& cds, ScrHandOver& handOver, PrintSettings& settings,
                         Clipboard& clipboard)
    : env_(env),
      cds_(cds),
      handOver_(handOver),
      settings_(settings),
      clipboard_(clipboard),
      table_(env) {}

// --- opening and closing ---------------------------------------------------

bool CdsScrModel::Open() {
  if (!remembered_) {
    rememberedFile_ = handOver_.ScrFile;
    rememberedDef_ = handOver_.ScrDef;
    remembered_ = true;
  }
  if (handOver_.ScrFile.empty() || handOver_.ScrDef.empty() ||
      !env_.fs.FileExists(handOver_.ScrFile) || !env_.fs.FileExists(handOver_.ScrDef)) {
    return false;
  }
  GetPrintSettings(env_, settings_);

  caption_ = handOver_.ScrHeading1.empty()
                 ? "  " + TodayText(env_) + "  " + NowText(env_) + Blanks(20) + handOver_.ScrFile
                 : "  " + handOver_.ScrHeading1 + Blanks(10) + handOver_.ScrFile;
  editable_ = false;

  if (minimalWidth_) {
    env_.ui.ShowProgress(kProgressCaption);
    ReColSizeCds(cds_, handOver_.ScrFile, kCdsScrRWDef, kCdsScrRWCds, handOver_.ScrDef);
    env_.ui.HideProgress();
    handOver_.ScrFile = std::string(kCdsScrRWCds);
    handOver_.ScrDef = std::string(kCdsScrRWDef);
  }

  handOver_.ScrEditAllowed = UpperCz(std::string(1, handOver_.ScrEditAllowed))[0];
  table_.Close();
  table_.SetFileName(handOver_.ScrFile);
  table_.SetReadOnly(handOver_.ScrEditAllowed != 'A');
  if (!table_.Open()) return false;

  ReadDef(env_, cds_.Def(), handOver_.ScrDef);
  def_ = cds_.Def();
  heading1_ = handOver_.ScrHeading1.empty()
                  ? "Zobrazeni/opis souboru:  " + FileNameOf(handOver_.ScrFile)
                  : handOver_.ScrHeading1;
  heading2_ = handOver_.ScrHeading2;
  dialog_.PrepareForOpening(def_, handOver_.ScrSumCols, handOver_.ScrPageCols,
                            handOver_.ScrLineCols, &groupFlags_, &order_);
  handOver_.ScrChanged = false;
  table_.First();
  col_ = 0;
  return true;
}

void CdsScrModel::CloseTable() {
  if (table_.Active()) table_.Close();
}

void CdsScrModel::ResetChoices() {
  allColumns_ = false;
  minimalWidth_ = false;
  editable_ = false;
  remembered_ = false;
  rememberedFile_.clear();
  rememberedDef_.clear();
  order_ = ScrOrder{};
  groupFlags_ = ScrGroupFlags{};
  search_.clear();
}

void CdsScrModel::Close() {
  CloseTable();
  handOver_.Reset();
  ResetChoices();
}

void CdsScrModel::RestoreRemembered() {
  handOver_.ScrFile = rememberedFile_;
  handOver_.ScrDef = rememberedDef_;
}

// Reopening within one showing of the window keeps ScrChanged: what the
// user changed before stays changed for the caller.
void CdsScrModel::Reopen() {
  const bool changed = handOver_.ScrChanged;
  CloseTable();
  RestoreRemembered();
  Open();
  handOver_.ScrChanged = handOver_.ScrChanged || changed;
}

void CdsScrModel::SetMinimalWidth(bool on) {
  minimalWidth_ = on;
  Reopen();
}

void CdsScrModel::ToggleEditAllowed() {
  handOver_.ScrEditAllowed = handOver_.ScrEditAllowed == 'A' ? 'N' : 'A';
  Reopen();
}

std::string CdsScrModel::RowsFieldText() const { return IntTextZero(settings_.PageRows, 3); }

// --- the grid ----------------------------------------------------------------

std::string CdsScrModel::CellText(int record, int col) const {
  if (!table_.Active() || col < 0 || col >= table_.FieldCount()) return std::string();
  if (record == Row() && table_.Editing()) return table_.AsString(col);
  if (record < 0 || record >= table_.RecordCount()) return std::string();
  return table_.StringAt(record, col);
}

std::string CdsScrModel::ColumnTitle(int col) const {
  if (col < 0 || col >= table_.FieldCount()) return std::string();
  return table_.Field(col).name;
}

int CdsScrModel::ColumnChars(int col) const {
  return col >= 0 && col < table_.FieldCount() ? table_.Field(col).size : 0;
}

int CdsScrModel::ColumnWidthPixels(int col, int captionWidthPixels, int charWidthPixels) const {
  int width = captionWidthPixels + 5;
  const int chars = ColumnChars(col);
  if (chars > 0 && width < chars * charWidthPixels) width = chars * charWidthPixels + 5;
  return width;
}

void CdsScrModel::Select(int row, int col) {
  if (!table_.Active()) return;
  if (table_.FieldCount() > 0) col_ = std::clamp(col, 0, table_.FieldCount() - 1);
  if (table_.RecordCount() == 0 || row == Row()) return;
  MoveRow(row - Row());
}

std::string CdsScrModel::ColumnCounterText() const { return IntTextPadded(col_ + 1, 4); }

std::string CdsScrModel::RowCounterText() const { return IntTextPadded(table_.RecNo(), 8); }

// --- corrections -----------------------------------------------------------------

void CdsScrModel::ToggleCorrections() {
  if (!CanToggleCorrections()) return;
  if (editable_ && table_.Editing()) table_.Post();
  editable_ = !editable_;
}

bool CdsScrModel::CellAllowsEdit() const {
  return editable_ && table_.Active() && !table_.ReadOnly() && table_.FieldCount() > 0;
}

void CdsScrModel::SetCellValue(std::string_view text) {
  table_.SetAsString(col_, text);
  handOver_.ScrChanged = true;
}

void CdsScrModel::EditCell(std::string_view text) {
  if (!CellAllowsEdit()) return;
  SetCellValue(text);
}

bool CdsScrModel::SetCell(int row, int col, std::string_view text) {
  if (!editable_) return false;
  Select(row, col);
  EditCell(text);
  return true;
}

// Posts the record and brings a non-blank value of the selected cell into
// the form its word prescribes (upper case for check code V included). The
// browser's own copy of the definition is used: a report may have loaded
// another one into the engine since the table was opened.
void CdsScrModel::PostAndNormalise() {
  if (!CellAllowsEdit()) return;
  if (table_.Editing()) table_.Post();
  if (table_.RecordCount() == 0 || col_ >= def_.PSl) return;
  const std::string value = table_.AsString(col_);
  if (AllBlanks(value)) return;
  std::string normal = value;
  FormatWord(env_, def_, normal, col_ + 1, 'X');
  if (normal != value) {
    table_.SetAsString(col_, normal);
    table_.Post();
  }
}

void CdsScrModel::MoveRow(int delta) {
  if (!table_.Active() || table_.RecordCount() == 0) return;
  table_.MoveBy(delta);
}

void CdsScrModel::CopyCell() {
  if (table_.Active() && table_.RecordCount() > 0) clipboard_.SetText(table_.AsString(col_));
}

void CdsScrModel::PasteCell() {
  if (!CellAllowsEdit()) return;
  SetCellValue(clipboard_.Text());
  table_.Post();
}

void CdsScrModel::EmptyAll() {
  if (table_.Editing()) table_.Cancel();
  while (table_.RecordCount() > 0) {
    table_.Last();
    table_.Delete();
  }
  handOver_.ScrChanged = true;
}

void CdsScrModel::ClearFile() {
  if (!CellAllowsEdit()) return;
  if (AskYesNo(env_, kClearFileQuestion, "Jmeno souboru:  " + handOver_.ScrFile)) EmptyAll();
}

void CdsScrModel::EmptyTable() {
  if (!CellAllowsEdit()) return;
  if (AskYesNo(env_, kEmptyTableQuestion)) EmptyAll();
}

void CdsScrModel::F9() {
  if (!CellAllowsEdit()) return;
  const int row = Row();
  const std::string previous = row > 0 ? table_.StringAt(row - 1, col_) : std::string();
  SetCellValue(previous);
  table_.Post();
  Enter();
}

void CdsScrModel::Enter() {
  if (!table_.Active() || table_.FieldCount() == 0) return;
  PostAndNormalise();
  if (col_ + 1 < table_.FieldCount()) {
    ++col_;
    return;
  }
  if (Row() + 1 < table_.RecordCount()) {
    col_ = 0;
    MoveRow(1);
  } else if (CellAllowsEdit()) {
    table_.Append();
    table_.Post();
    handOver_.ScrChanged = true;
    col_ = 0;
  }
}

void CdsScrModel::Tab() {
  if (!table_.Active() || table_.FieldCount() == 0) return;
  if (col_ + 1 >= table_.FieldCount()) {
    Enter();
    return;
  }
  PostAndNormalise();
  ++col_;
}

void CdsScrModel::Up() {
  PostAndNormalise();
  MoveRow(-1);
}

void CdsScrModel::Down() {
  PostAndNormalise();
  MoveRow(1);
}

void CdsScrModel::PageUp(int rows) {
  PostAndNormalise();
  MoveRow(-std::max(1, rows));
}

void CdsScrModel::PageDown(int rows) {
  PostAndNormalise();
  MoveRow(std::max(1, rows));
}

// --- navigation ----------------------------------------------------------------------

void CdsScrModel::First() {
  if (table_.Active()) table_.First();
}
void CdsScrModel::Prior() { MoveRow(-1); }
void CdsScrModel::Next() { MoveRow(1); }
void CdsScrModel::Last() {
  if (table_.Active()) table_.Last();
}

void CdsScrModel::Insert() {
  if (!CellAllowsEdit()) return;
  table_.Append();
  table_.Post();
  handOver_.ScrChanged = true;
}

void CdsScrModel::DeleteRecord() {
  if (!CellAllowsEdit() || table_.RecordCount() == 0) return;
  table_.Delete();
  handOver_.ScrChanged = true;
}

void CdsScrModel::SaveRecord() { PostAndNormalise(); }

void CdsScrModel::CtrlHome() {
  col_ = 0;
  First();
}
void CdsScrModel::CtrlEnd() {
  col_ = std::max(0, table_.FieldCount() - 1);
  Last();
}
void CdsScrModel::Home() { col_ = 0; }
void CdsScrModel::End() { col_ = std::max(0, table_.FieldCount() - 1); }
void CdsScrModel::ColPlus() { col_ = std::min(col_ + 1, std::max(0, table_.FieldCount() - 1)); }
void CdsScrModel::ColMinus() { col_ = std::max(col_ - 1, 0); }

// --- searches -------------------------------------------------------------------------

std::optional<int> CdsScrModel::FindKeyFrom(int start, const std::string& key) const {
  const int count = table_.RecordCount();
  for (int r = start; r < count; ++r) {
    std::string value = TrimLeft(UpperCz(table_.StringAt(r, col_)));
    if (value.size() > key.size()) value.resize(key.size());
    if (value == key) return r;
  }
  return std::nullopt;
}

bool CdsScrModel::SearchKey() {
  const std::string key = TrimLeft(UpperCz(search_));
  if (key.empty() || !table_.Active() || table_.FieldCount() == 0) return false;
  if (table_.Editing()) table_.Post();
  if (auto found = FindKeyFrom(Row() + 1, key)) {
    MoveRow(*found - Row());
    return true;
  }
  ErrorBox(env_, "Soubor:  " + env_.fs.FullPath(handOver_.ScrFile) + "\r\r" + key +
                     std::string(kNotFoundTail));
  return false;
}

bool CdsScrModel::SearchString() {
  if (!table_.Active() || table_.RecordCount() == 0 || search_.empty()) return false;
  if (table_.Editing()) table_.Post();
  const std::string text = UpperCz(search_);
  const int count = table_.RecordCount();
  const int fields = table_.FieldCount();
  for (int r = Row() + 1; r < count; ++r) {
    for (int f = 0; f < fields; ++f) {
      if (UpperCz(table_.StringAt(r, f)).find(text) != std::string::npos) {
        MoveRow(r - Row());
        col_ = f;
        return true;
      }
    }
  }
  ErrorBox(env_, "Retezec:  " + text + "\r\r" + std::string(kNotFoundTail));
  return false;
}

bool CdsScrModel::SearchEnter() {
  const std::string key = TrimLeft(UpperCz(search_));
  if (!key.empty() && table_.Active() && table_.FieldCount() > 0) {
    if (table_.Editing()) table_.Post();
    if (auto found = FindKeyFrom(Row() + 1, key)) {
      MoveRow(*found - Row());
      return true;
    }
  }
  return SearchString();
}

// --- copies ------------------------------------------------------------------------------

std::string CdsScrModel::CopyName() const {
  const std::string& given = rememberedFile_;
  const size_t nameStart = given.find_last_of("\\:");
  const size_t dot = given.find('.', nameStart == std::string::npos ? 0 : nameStart + 1);
  if (dot == std::string::npos) return std::string();
  return given.substr(0, dot) + "_CdsScr" + given.substr(dot);
}

void CdsScrModel::SaveCopy() {
  const std::string name = CopyName();
  if (name.empty() || !table_.Active()) return;
  if (table_.Editing()) table_.Post();
  if (SaveCdsFile(env_, name, table_)) InfoBox(env_, std::string(kSavedCopyText) + name);
}

void CdsScrModel::SaveCopyAs() {
  if (!table_.Active()) return;
  if (table_.Editing()) table_.Post();
  std::string proposed = CopyName();
  if (proposed.empty()) proposed = rememberedFile_ + "_CdsScr";
  FileDialogRequest request;
  request.startDir = DirectoryOf(env_.fs.FullPath(rememberedFile_));
  request.filter = "Soubory (*.Cds)|*.Cds";
  request.fileName = proposed;
  auto chosen = env_.ui.SaveFileDialog(request);
  if (!chosen || chosen->empty()) return;
  std::string name = *chosen;
  if (ExtensionOf(name).empty()) name += ".Cds";
  SaveCdsFile(env_, name, table_);
}

std::string CdsScrModel::WholeTableText() const {
  const int fields = table_.FieldCount();
  std::vector<int> widths;
  std::string text;
  for (int f = 0; f < fields; ++f) {
    const std::string name = Trim(table_.Field(f).name);
    const int width = std::max(static_cast<int>(name.size()), table_.Field(f).size) + 1;
    widths.push_back(width);
    text += PadRight(name, width);
  }
  auto endLine = [&](size_t lineStart) {
    if (text.size() > lineStart) text.pop_back();
    text += "\r\n";
  };
  endLine(0);
  text += "\r\n";
  const int count = table_.RecordCount();
  for (int r = 0; r < count; ++r) {
    const size_t start = text.size();
    for (int f = 0; f < fields; ++f) {
      text += PadRight(CellText(r, f), widths[static_cast<size_t>(f)]);
    }
    endLine(start);
  }
  return text;
}

void CdsScrModel::CopyWholeTable() {
  if (!table_.Active()) return;
  env_.ui.ShowProgress(kProgressCaption);
  const int row = Row();
  clipboard_.SetText(WholeTableText());
  if (row >= 0) MoveRow(row - Row());
  env_.ui.HideProgress();
}

// --- the subtotal dialog -----------------------------------------------------------------

void CdsScrModel::Param() {
  ReadDef(env_, cds_.Def(), handOver_.ScrDef);
  dialog_.LoadForParam(cds_.Def(), handOver_.ScrSumCols, handOver_.ScrPageCols,
                       handOver_.ScrLineCols);
}

void CdsScrModel::ParamDone() {
  dialog_.ReadBack(&handOver_.ScrSumCols, &handOver_.ScrPageCols, &handOver_.ScrLineCols, &order_,
                   &groupFlags_);
}

// --- reports -----------------------------------------------------------------------------------

ReportRequest CdsScrModel::Request() const {
  ReportRequest request;
  request.ScrFile = handOver_.ScrFile;
  request.ScrDef = handOver_.ScrDef;
  request.heading1 = heading1_;
  request.heading2 = heading2_;
  request.withTime = withTime_;
  request.allColumns = allColumns_;
  request.order = order_;
  request.groupFlags = groupFlags_;
  return request;
}

bool CdsScrModel::SestI(VystHandOver& vyst) {
  if (!CanPrintWindow()) return false;
  auto layout = GenerSes(cds_, table_, Request(), ReportPaging::Paged, settings_.PageRows - 4);
  if (!layout) return false;
  vyst.VystFile = layout->file;
  vyst.VystToolDir = handOver_.ScrToolDir;
  return true;
}

std::optional<ReportLayout> CdsScrModel::SestII() {
  if (!CanPrintWindow()) return std::nullopt;
  return GenerSes(cds_, table_, Request(), ReportPaging::Paged, settings_.PageRows - 2);
}

bool CdsScrModel::Word(Office& office) {
  if (!CanPrintWindow()) return false;
  auto layout = GenerSes(cds_, table_, Request(), ReportPaging::Unpaged, settings_.PageRows);
  if (!layout) return false;
  int io = kIoOk;
  auto text = env_.fs.ReadWhole(layout->file, &io);
  if (!text) {
    ErrorBox(env_, UnreadableFileText(layout->file, io));
    return false;
  }
  clipboard_.SetText(*text);
  TextDocument document{*text, settings_.ReportFont,
                        std::string(kWorkDir) + "\\W_" + BaseName(layout->file) + ".Rtf"};
  if (office.ShowText(env_, document) != OfficeResult::Done) {
    ErrorBox(env_, kWordUnavailable);
    return false;
  }
  return true;
}

bool CdsScrModel::Excel(Office& office) {
  if (!table_.Active()) return false;
  if (table_.Editing()) table_.Post();
  return ExDbToXlsF(env_, table_, def_, handOver_.ScrFile, handOver_.ScrDef, settings_.ReportFont,
                    office)
      .has_value();
}

}  // namespace orvo
